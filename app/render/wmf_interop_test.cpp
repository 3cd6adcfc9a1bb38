// The saved metafile opens in a program other than ours: ImageMagick reads
// it through libwmf, and zxing-cpp decodes that rendering.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "app/model/app_state.h"
#include "app/render/build_copy.h"
#include "app/render/save_symbol.h"
#include "tests/support/zxing_decode.h"

namespace quillet {
namespace {

std::string run(const std::string& cmd) {
    std::string out;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
    return out;
}

bool imageMagickReadsWmf() { return run("convert -list format 2>/dev/null").find(" WMF") != std::string::npos; }

// ImageMagick's rendering of a file, as 8-bit grey.
test::GreyImage magickGrey(const std::string& path, int dpi) {
    const std::string raw = path + ".gray";
    std::string size = run("convert -density " + std::to_string(dpi) + " '" + path +
                           "' -background white -flatten -colorspace Gray -depth 8 -format '%w %h' -write gray:'" +
                           raw + "' info: 2>/dev/null");
    int w = 0, h = 0;
    if (std::sscanf(size.c_str(), "%d %d", &w, &h) != 2 || w <= 0 || h <= 0) return {};
    std::ifstream in(raw, std::ios::binary);
    std::vector<uint8_t> px{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::filesystem::remove(raw);
    if (px.size() != size_t(w) * size_t(h)) return {};
    test::GreyImage img(w, h);
    img.pixels = px;
    return img;
}

struct Case {
    int symbology;
    std::string message;
    std::string format;
    std::string decoded;
};

class WmfInterop : public ::testing::TestWithParam<Case> {};

TEST_P(WmfInterop, ImageMagickRendersWhatZxingDecodes) {
    ASSERT_TRUE(imageMagickReadsWmf()) << "ImageMagick's WMF delegate is missing (scripts/install-deps.sh installs it)";
    const Case& c = GetParam();
    AppState app;
    platform::HeadlessUserInterface ui;
    platform::InProcessClipboard clipboard;
    ui.echo = false;
    app.ui = &ui;
    app.clipboard = &clipboard;
    const auto dir = std::filesystem::temp_directory_path();
    app.scratchMetafilePath = (dir / ("qlt_interop_" + std::to_string(getpid()) + ".wmf")).string();
    app.settings.symbology = c.symbology;
    app.settings.message = c.message;
    app.settings.narrowWidth = 50.8f;
    app.settings.quietZones = true;
    BuildCopy(app);
    ASSERT_TRUE(app.settings.symbolBuilt);
    const std::string saved = (dir / ("qlt_saved_" + std::to_string(getpid()) + ".wmf")).string();
    ASSERT_TRUE(SaveSymbolImage(app, saved));
    auto img = magickGrey(saved, 200);
    std::filesystem::remove(saved);
    std::filesystem::remove(app.scratchMetafilePath);
    ASSERT_GT(img.width, 0);
    auto d = test::decode(img.padded(40), c.format);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.bytes, c.decoded);
}

INSTANTIATE_TEST_SUITE_P(Symbols, WmfInterop,
                         ::testing::Values(Case{1, "INTEROP", "Code39", "INTEROP"},
                                           Case{7, "590123412345", "EAN13", "5901234123457"},
                                           Case{13, "Interop 128", "Code128", "Interop 128"}),
                         [](const auto& info) { return info.param.format; });

}  // namespace
}  // namespace quillet
