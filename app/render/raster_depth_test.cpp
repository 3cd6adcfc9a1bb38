// The depth [BITSPERPIXEL=...] asks for, as each format's own reader finds
// it in the file saved through the command language: file(1) for PNG, BMP,
// Targa, PCX and JPEG, libtiff for TIFF, the screen descriptor for GIF.
#include <gtest/gtest.h>

#include <tiffio.h>

#include <regex>

#include "app/automation/dde_link.h"
#include "app/render/output_test_util.h"
#include "tests/support/wmf_inspect.h"

namespace quillet {
namespace {

using test::commandOutput;
using test::quoted;

// The first number the pattern's group catches in file(1)'s description.
int fileNumber(const std::string& path, const std::string& pattern) {
    const std::string description = commandOutput("file -b " + quoted(path));
    std::smatch m;
    if (!std::regex_search(description, m, std::regex(pattern))) return -1;
    return std::stoi(m[1].str());
}

// Bits a pixel as the file declares them (samples times bits a sample).
int declaredBits(const std::string& path, const std::string& ext) {
    if (ext == "png") {
        const int bits = fileNumber(path, R"((\d+)-bit)");
        const std::string d = commandOutput("file -b " + quoted(path));
        return d.find("RGB") != std::string::npos ? 3 * bits : bits;
    }
    if (ext == "bmp") return fileNumber(path, R"(\d+ x \d+ x (\d+))");
    if (ext == "tga") return fileNumber(path, R"(\d+ x \d+ x (\d+))");
    if (ext == "pcx") {
        const int planes = fileNumber(path, R"((\d+) planes)");
        return (planes < 0 ? 1 : planes) * fileNumber(path, R"((\d+)-bit)");
    }
    if (ext == "jpg") return 8 * fileNumber(path, R"(components (\d+))");
    if (ext == "gif") {
        const auto b = test::readFileBytes(path);
        // Global colour table flag and size in the screen descriptor.
        return b.size() > 10 && (b[10] & 0x80) ? (b[10] & 7) + 1 : -1;
    }
    int bits = -1;
    if (TIFF* t = TIFFOpen(path.c_str(), "r")) {
        uint16_t perSample = 0, samples = 0;
        if (TIFFGetField(t, TIFFTAG_BITSPERSAMPLE, &perSample) && TIFFGetField(t, TIFFTAG_SAMPLESPERPIXEL, &samples))
            bits = perSample * samples;
        TIFFClose(t);
    }
    return bits;
}

struct DepthCase {
    std::string ext;
    int asked;
    int written;  // the asked depth, or what the format holds instead
};

class RasterDepth : public ::testing::TestWithParam<DepthCase> {};

TEST_P(RasterDepth, FileDeclaresTheDepthAsked) {
    const DepthCase& c = GetParam();
    test::OutputHarness h;
    h.app.settings.narrowWidth = 50;
    ASSERT_TRUE(h.build(13, "Depth " + std::to_string(c.asked)));
    const std::string out = h.path("depth." + c.ext);
    ASSERT_EQ(ExecuteResult::Accepted, LinkExecute(h.app, "[BITSPERPIXEL=" + std::to_string(c.asked) +
                                                              "][RASTERIMAGERESOLUTION=254][SAVEBARCODE(" + out + ")]"));
    EXPECT_EQ(declaredBits(out, c.ext), c.written) << commandOutput("file -b " + quoted(out));
    // Whatever the depth, the picture is the symbol.
    const auto d = test::decode(test::magickGrey(out).padded(20), "Code128");
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.text, "Depth " + std::to_string(c.asked));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, RasterDepth,
    ::testing::Values(DepthCase{"png", 1, 1}, DepthCase{"png", 8, 8}, DepthCase{"png", 24, 24},
                      DepthCase{"bmp", 1, 1}, DepthCase{"bmp", 8, 8}, DepthCase{"bmp", 24, 24},
                      DepthCase{"tif", 1, 1}, DepthCase{"tif", 8, 8}, DepthCase{"tif", 24, 24},
                      DepthCase{"pcx", 1, 1}, DepthCase{"pcx", 8, 8}, DepthCase{"pcx", 24, 24},
                      DepthCase{"gif", 1, 1}, DepthCase{"gif", 8, 8},
                      // GIF holds 256 colours at most.
                      DepthCase{"gif", 24, 8},
                      // Targa has no 1-bit form: 8-bit greys.
                      DepthCase{"tga", 1, 8}, DepthCase{"tga", 8, 8}, DepthCase{"tga", 24, 24},
                      // JPEG has neither a 1-bit form nor a palette: 8-bit greys.
                      DepthCase{"jpg", 1, 8}, DepthCase{"jpg", 8, 8}, DepthCase{"jpg", 24, 24}),
    [](const auto& info) { return info.param.ext + "_" + std::to_string(info.param.asked); });

}  // namespace
}  // namespace quillet
