#pragma once
// Shared by the Data Matrix and QR Code tests: an application state with a
// headless user interface, an in-process clipboard and a scratch file of its
// own, and the readers of what a build left there.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/model/app_state.h"
#include "app/render/build_copy.h"
#include "tests/support/render_wmf.h"
#include "tests/support/wmf_inspect.h"

namespace quillet::test {

struct MatrixHarness {
    AppState app;
    platform::HeadlessUserInterface ui;
    platform::InProcessClipboard clipboard;
    std::string scratch;

    explicit MatrixHarness(int symbology) {
        ui.echo = false;
        app.ui = &ui;
        app.clipboard = &clipboard;
        static int counter = 0;
        scratch = (std::filesystem::temp_directory_path() /
                   ("qmx" + std::to_string(::getpid()) + "_" + std::to_string(counter++) + ".wmf"))
                      .string();
        app.scratchMetafilePath = scratch;
        app.settings.symbology = symbology;
        app.settings.printerWarnings = false;
        app.pasteHintShown = true;  // driven as automation drives it
        app.settings.matrixModuleSize = 50;  // 5 pixels a module at 254 dpi
    }
    ~MatrixHarness() { std::remove(scratch.c_str()); }

    bool build(const std::string& message) {
        app.settings.message = message;
        app.settings.symbolBuilt = false;
        BuildCopy(app);
        return app.settings.symbolBuilt;
    }
    wmf::Metafile picture() { return parseMetafile(readFileBytes(scratch)); }
    // The drawn modules: every rectangle after the background.
    std::vector<DrawnRect> modules() {
        auto r = rectangles(picture());
        if (!app.settings.transparent && !r.empty()) r.erase(r.begin());
        return r;
    }
    Decoded decodeScratch(const std::string& format) {
        GreyImage img = renderWmfFile(scratch, 254).padded(40);
        if (img.width == 0) return {};
        return decode(img, format);
    }
    std::string lastMessage() const { return ui.messages.empty() ? "" : ui.messages.back().text; }
};

// All 256 byte values, in order.
inline std::string allBytes() {
    std::string s;
    for (int i = 0; i < 256; ++i) s.push_back(char(i));
    return s;
}

}  // namespace quillet::test
