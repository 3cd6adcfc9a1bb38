#pragma once
// Shared by the output tests: a symbol built through Build/Copy with the
// headless services, a private folder for the files written, and the
// independent command-line readers (ImageMagick, ghostscript, poppler).
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "app/model/app_state.h"
#include "app/render/build_copy.h"
#include "platform/clipboard.h"
#include "platform/user_interface.h"
#include "tests/support/zxing_decode.h"

namespace quillet::test {

struct OutputHarness {
    AppState app;
    platform::HeadlessUserInterface ui;
    platform::InProcessClipboard clipboard;
    std::filesystem::path dir;

    OutputHarness() {
        ui.echo = false;
        app.ui = &ui;
        app.clipboard = &clipboard;
        static int counter = 0;
        dir = std::filesystem::temp_directory_path() /
              ("qlt_out_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::create_directories(dir);
        app.scratchMetafilePath = (dir / "scratch.wmf").string();
        app.settings.printerWarnings = false;
        app.pasteHintShown = true;  // driven as automation drives it
    }
    ~OutputHarness() {
        std::error_code ec;
        if (!std::getenv("QUILLET_KEEP_TEST_FILES")) std::filesystem::remove_all(dir, ec);
    }
    std::string path(const std::string& name) const { return (dir / name).string(); }

    bool build(int symbology, const std::string& message) {
        app.settings.symbology = symbology;
        app.settings.message = message;
        app.settings.symbolBuilt = false;
        BuildCopy(app);
        return app.settings.symbolBuilt;
    }
};

// Standard output of a shell command ("" when it cannot run).
inline std::string commandOutput(const std::string& command) {
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

inline std::string quoted(const std::string& s) { return "'" + s + "'"; }

// "Key: value" lines of `identify -verbose`, keyed by the key without its
// indentation; the first occurrence wins.
inline std::map<std::string, std::string> identifyVerbose(const std::string& path) {
    std::map<std::string, std::string> props;
    std::istringstream in(commandOutput("identify -verbose " + quoted(path) + " 2>/dev/null"));
    std::string line;
    while (std::getline(in, line)) {
        const auto start = line.find_first_not_of(' ');
        const auto colon = line.find(": ", start);
        if (start == std::string::npos || colon == std::string::npos) continue;
        props.emplace(line.substr(start, colon - start), line.substr(colon + 2));
    }
    return props;
}

// A binary PGM (P5, maxval 255) as a grey image; width 0 when malformed.
inline GreyImage parsePgm(const std::string& bytes) {
    std::istringstream in(bytes);
    std::string magic;
    int fields[3] = {0, 0, 0};
    in >> magic;
    for (int& f : fields) {
        while (in >> std::ws && in.peek() == '#') in.ignore(1 << 20, '\n');  // comment lines
        in >> f;
    }
    in.get();
    const int w = fields[0], h = fields[1], maxval = fields[2];
    if (magic != "P5" || w <= 0 || h <= 0 || maxval != 255) return {};
    GreyImage img(w, h);
    const auto offset = size_t(in.tellg());
    if (bytes.size() < offset + img.pixels.size()) return {};
    std::copy(bytes.begin() + ptrdiff_t(offset), bytes.begin() + ptrdiff_t(offset + img.pixels.size()),
              img.pixels.begin());
    return img;
}

// The image as ImageMagick reads it, in 8-bit greys. PCX goes through
// netpbm instead: ImageMagick reads a 1-bit PCX with its bits inverted.
inline GreyImage magickGrey(const std::string& path) {
    if (path.size() > 4 && path.substr(path.size() - 4) == ".pcx")
        return parsePgm(commandOutput("pcxtoppm " + quoted(path) + " 2>/dev/null | ppmtopgm"));
    return parsePgm(commandOutput("convert " + quoted(path) + "[0] -flatten -colorspace Gray -depth 8 pgm:- 2>/dev/null"));
}

}  // namespace quillet::test
