// Saving a built symbol as an image: every format and option read back by
// an independent reader (the format's reference library, ImageMagick or
// ghostscript), the pixel size checked against the picture's extent and the
// symbol decoded by zxing-cpp.
#include <gtest/gtest.h>

#include <gif_lib.h>
#include <jpeglib.h>
#include <tiffio.h>
#include <zlib.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <set>

#include "app/automation/dde_link.h"
#include "app/render/imgconv.h"
#include "app/render/imgconv_image.h"
#include "app/render/output_test_util.h"
#include "app/render/raster_properties.h"
#include "app/render/save_bar_code_command.h"
#include "app/render/save_symbol.h"
#include "platform/file_output.h"
#include "tests/support/wmf_inspect.h"

namespace quillet {
namespace {

using test::OutputHarness;

const std::string kMessage = "Quillet-2.3";

std::vector<uint8_t> fileBytes(const std::string& path) { return test::readFileBytes(path); }

int pixels(int extent, int dpi) { return int(std::nearbyint(extent * double(dpi) / 2540.0)); }

// --- Raw readers of the properties a file declares ----------------------------

struct PngFacts {
    int width = 0, height = 0, bitDepth = 0, colourType = -1, interlace = -1;
    std::set<int> filters;  // filter byte of every row (non-interlaced files)
};

uint32_t be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

PngFacts pngFacts(const std::string& path) {
    PngFacts f;
    auto b = fileBytes(path);
    if (b.size() < 8 || std::memcmp(b.data(), "\x89PNG\r\n\x1a\n", 8) != 0) return f;
    std::vector<uint8_t> idat;
    for (size_t i = 8; i + 12 <= b.size();) {
        const uint32_t len = be32(&b[i]);
        if (i + 12 + len > b.size()) break;
        const std::string type(reinterpret_cast<const char*>(&b[i + 4]), 4);
        const uint8_t* d = &b[i + 8];
        if (type == "IHDR") {
            f.width = int(be32(d));
            f.height = int(be32(d + 4));
            f.bitDepth = d[8];
            f.colourType = d[9];
            f.interlace = d[12];
        } else if (type == "IDAT") {
            idat.insert(idat.end(), d, d + len);
        }
        i += 12 + len;
    }
    if (f.interlace != 0) return f;
    const int channels = f.colourType == 2 ? 3 : 1;
    const size_t rowBytes = (size_t(f.width) * size_t(f.bitDepth) * size_t(channels) + 7) / 8;
    std::vector<uint8_t> raw((rowBytes + 1) * size_t(f.height));
    uLongf rawLen = uLongf(raw.size());
    if (uncompress(raw.data(), &rawLen, idat.data(), uLong(idat.size())) != Z_OK || rawLen != raw.size()) return f;
    for (int y = 0; y < f.height; ++y) f.filters.insert(raw[size_t(y) * (rowBytes + 1)]);
    return f;
}

struct TiffFacts {
    int bits = 0, samples = 0, compression = -1, photometric = -1;
};

TiffFacts tiffFacts(const std::string& path) {
    TiffFacts f;
    TIFF* t = TIFFOpen(path.c_str(), "r");
    if (!t) return f;
    uint16_t v = 0;
    if (TIFFGetField(t, TIFFTAG_BITSPERSAMPLE, &v)) f.bits = v;
    if (TIFFGetField(t, TIFFTAG_SAMPLESPERPIXEL, &v)) f.samples = v;
    if (TIFFGetField(t, TIFFTAG_COMPRESSION, &v)) f.compression = v;
    if (TIFFGetField(t, TIFFTAG_PHOTOMETRIC, &v)) f.photometric = v;
    TIFFClose(t);
    return f;
}

// Components of a JPEG as libjpeg reads its header.
int jpegComponents(const std::string& path) {
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) return 0;
    jpeg_decompress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_decompress(&c);
    jpeg_stdio_src(&c, in);
    int n = jpeg_read_header(&c, TRUE) == JPEG_HEADER_OK ? c.num_components : 0;
    jpeg_destroy_decompress(&c);
    std::fclose(in);
    return n;
}

struct GifFacts {
    int colourBits = 0, images = 0, width = 0, height = 0;
    std::vector<uint8_t> grey;
};

GifFacts gifFacts(const std::string& path) {
    GifFacts f;
    int error = 0;
    GifFileType* g = DGifOpenFileName(path.c_str(), &error);
    if (!g) return f;
    if (DGifSlurp(g) == GIF_OK && g->SColorMap && g->ImageCount == 1) {
        f.colourBits = g->SColorMap->BitsPerPixel;
        f.images = g->ImageCount;
        f.width = g->SWidth;
        f.height = g->SHeight;
        const SavedImage& im = g->SavedImages[0];
        for (int i = 0; i < f.width * f.height; ++i) {
            const GifColorType c = g->SColorMap->Colors[im.RasterBits[i]];
            f.grey.push_back(uint8_t((c.Red * 299 + c.Green * 587 + c.Blue * 114 + 500) / 1000));
        }
    }
    DGifCloseFile(g, &error);
    return f;
}

uint16_t le16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b.at(at) | b.at(at + 1) << 8); }

// --- Every format and option --------------------------------------------------

struct FormatCase {
    std::string name;
    std::string ext;
    int bitsPerPixel;
    void (*options)(RasterOptions&);
    std::function<void(const std::string& path)> verify;  // the declared depth and compression
};

class SaveFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(SaveFormat, ReadsBackWithSizeDepthCompressionAndDecodes) {
    const FormatCase& c = GetParam();
    OutputHarness h;
    h.app.settings.narrowWidth = 50;  // 5 pixels a module at 254 dpi
    h.app.settings.quietZones = true;
    ASSERT_TRUE(h.build(13, kMessage));
    RasterOptions& r = h.app.settings.raster;
    r.rasterBitsPerPixel = c.bitsPerPixel;
    r.rasterResolution = 254;
    if (c.options) c.options(r);
    const std::string out = h.path("symbol." + c.ext);
    ASSERT_TRUE(SaveSymbolImage(h.app, out)) << h.ui.messages.size();

    const auto& pict = h.app.output.lastSymbol.value().metafile;
    test::GreyImage img = test::magickGrey(out);
    EXPECT_EQ(img.width, pixels(pict.xExt, r.rasterResolution));
    EXPECT_EQ(img.height, pixels(pict.yExt, r.rasterResolution));
    c.verify(out);
    if (c.bitsPerPixel == 1 && c.ext != "jpg") {
        for (uint8_t p : img.pixels) ASSERT_TRUE(p == 0 || p == 255) << "not bilevel: " << int(p);
    }
    auto d = test::decode(img.padded(20), "Code128");
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.text, kMessage);
}

void expectIdentify(const std::string& path, const std::string& key, const std::string& value) {
    auto props = test::identifyVerbose(path);
    EXPECT_EQ(props[key], value) << key << " of " << path;
}

std::function<void(const std::string&)> png(int bitDepth, int colourType, int interlace, std::set<int> filters) {
    return [=](const std::string& p) {
        PngFacts f = pngFacts(p);
        EXPECT_EQ(f.bitDepth, bitDepth);
        EXPECT_EQ(f.colourType, colourType);
        EXPECT_EQ(f.interlace, interlace);
        if (interlace == 0) {
            for (int used : f.filters) EXPECT_TRUE(filters.count(used)) << "row filter " << used;
            EXPECT_FALSE(f.filters.empty());
        }
    };
}

std::function<void(const std::string&)> tiff(int bits, int samples, int compression) {
    return [=](const std::string& p) {
        TiffFacts f = tiffFacts(p);
        EXPECT_EQ(f.bits, bits);
        EXPECT_EQ(f.samples, samples);
        EXPECT_EQ(f.compression, compression);
    };
}

std::function<void(const std::string&)> jpeg(int components, int quality) {
    return [=](const std::string& p) {
        EXPECT_EQ(jpegComponents(p), components);
        expectIdentify(p, "Quality", std::to_string(quality));
    };
}

// The colour table's size: two entries for 1 bit, more for the grey
// shades of the text at 8 and 24 bits.
std::function<void(const std::string&)> gif(int minBits, int maxBits) {
    return [=](const std::string& p) {
        GifFacts f = gifFacts(p);
        EXPECT_EQ(f.images, 1);
        EXPECT_GE(f.colourBits, minBits);
        EXPECT_LE(f.colourBits, maxBits);
    };
}

// Bit count and compression field of the BMP info header, and ImageMagick's name.
std::function<void(const std::string&)> bmp(int bitCount, int compression, const std::string& magick) {
    return [=](const std::string& p) {
        auto b = fileBytes(p);
        EXPECT_EQ(le16(b, 28), bitCount);
        EXPECT_EQ(le16(b, 30), compression);
        expectIdentify(p, "Compression", magick);
    };
}

std::function<void(const std::string&)> tga(int type, int depth, const std::string& magick) {
    return [=](const std::string& p) {
        auto b = fileBytes(p);
        EXPECT_EQ(b.at(2), type);
        EXPECT_EQ(b.at(16), depth);
        expectIdentify(p, "Compression", magick);
    };
}

std::function<void(const std::string&)> pcx(int bits, int planes) {
    return [=](const std::string& p) {
        auto b = fileBytes(p);
        EXPECT_EQ(b.at(2), 1);  // run-length encoded
        EXPECT_EQ(b.at(3), bits);
        EXPECT_EQ(b.at(65), planes);
    };
}

const std::set<int> kAnyFilter = {0, 1, 2, 3, 4};

INSTANTIATE_TEST_SUITE_P(
    Formats, SaveFormat,
    ::testing::Values(
        FormatCase{"png_1", "png", 1, nullptr, png(1, 0, 0, kAnyFilter)},
        FormatCase{"png_8", "png", 8, nullptr, png(8, 3, 0, kAnyFilter)},
        FormatCase{"png_24", "png", 24, nullptr, png(8, 2, 0, kAnyFilter)},
        FormatCase{"png_no_filter", "png", 24, [](RasterOptions& r) { r.pngFilter = 2; }, png(8, 2, 0, {0})},
        FormatCase{"png_sub", "png", 24, [](RasterOptions& r) { r.pngFilter = 4; }, png(8, 2, 0, {1})},
        FormatCase{"png_up", "png", 8, [](RasterOptions& r) { r.pngFilter = 6; }, png(8, 3, 0, {2})},
        FormatCase{"png_average", "png", 24, [](RasterOptions& r) { r.pngFilter = 8; }, png(8, 2, 0, {3})},
        FormatCase{"png_paeth", "png", 1, [](RasterOptions& r) { r.pngFilter = 10; }, png(1, 0, 0, {4})},
        FormatCase{"png_interlaced", "png", 8, [](RasterOptions& r) { r.pngInterlace = 1; }, png(8, 3, 1, {})},
        FormatCase{"jpg_1", "jpg", 1, nullptr, jpeg(1, 100)},
        FormatCase{"jpg_8_q75", "jpg", 8, [](RasterOptions& r) { r.jpegQuality = 75; }, jpeg(1, 75)},
        FormatCase{"jpg_24_q40", "jpg", 24, [](RasterOptions& r) { r.jpegQuality = 40; }, jpeg(3, 40)},
        FormatCase{"tif_1_none", "tif", 1, nullptr, tiff(1, 1, COMPRESSION_NONE)},
        FormatCase{"tif_8_lzw", "tif", 8, [](RasterOptions& r) { r.tiffCompression = 1; }, tiff(8, 1, COMPRESSION_LZW)},
        FormatCase{"tif_24_packbits", "tif", 24, [](RasterOptions& r) { r.tiffCompression = 2; },
                   tiff(8, 3, COMPRESSION_PACKBITS)},
        FormatCase{"tif_1_group3", "tif", 1, [](RasterOptions& r) { r.tiffCompression = 3; },
                   tiff(1, 1, COMPRESSION_CCITTFAX3)},
        FormatCase{"tif_1_group4", "tif", 1, [](RasterOptions& r) { r.tiffCompression = 4; },
                   tiff(1, 1, COMPRESSION_CCITTFAX4)},
        // CCITT codes bilevel images only: a deeper request is written bilevel.
        FormatCase{"tif_24_group4", "tif", 24, [](RasterOptions& r) { r.tiffCompression = 4; },
                   tiff(1, 1, COMPRESSION_CCITTFAX4)},
        FormatCase{"gif_1", "gif", 1, nullptr, gif(1, 1)},
        FormatCase{"gif_8", "gif", 8, nullptr, gif(2, 8)},
        FormatCase{"gif_1_lzw", "gif", 1, [](RasterOptions& r) { r.gifCompression = 1; }, gif(1, 1)},
        FormatCase{"gif_24_lzw", "gif", 24, [](RasterOptions& r) { r.gifCompression = 1; }, gif(2, 8)},
        FormatCase{"bmp_1", "bmp", 1, nullptr, bmp(1, 0, "None")},
        FormatCase{"bmp_8", "bmp", 8, nullptr, bmp(8, 0, "None")},
        FormatCase{"bmp_24", "bmp", 24, nullptr, bmp(24, 0, "None")},
        FormatCase{"bmp_8_rle", "bmp", 8, [](RasterOptions& r) { r.bmpCompression = 1; }, bmp(8, 1, "RLE")},
        FormatCase{"bmp_1_rle", "bmp", 1, [](RasterOptions& r) { r.bmpCompression = 1; }, bmp(8, 1, "RLE")},
        FormatCase{"tga_1", "tga", 1, nullptr, tga(3, 8, "None")},
        FormatCase{"tga_8", "tga", 8, nullptr, tga(1, 8, "None")},
        FormatCase{"tga_24_rle", "tga", 24, [](RasterOptions& r) { r.tgaCompression = 1; }, tga(10, 24, "RLE")},
        FormatCase{"tga_8_rle", "tga", 8, [](RasterOptions& r) { r.tgaCompression = 1; }, tga(9, 8, "RLE")},
        FormatCase{"pcx_1", "pcx", 1, nullptr, pcx(1, 1)},
        FormatCase{"pcx_8", "pcx", 8, nullptr, pcx(8, 1)},
        FormatCase{"pcx_24", "pcx", 24, nullptr, pcx(8, 3)}),
    [](const auto& info) { return info.param.name; });

// --- Coders on pictures other than bar codes ------------------------------------

// Raw RGB of an image as an independent reader decodes it.
std::vector<uint8_t> readerRgb(const std::string& path) {
    const bool pcx = path.substr(path.size() - 4) == ".pcx";
    std::string out = test::commandOutput(pcx ? "pcxtoppm " + test::quoted(path) + " 2>/dev/null"
                                              : "convert " + test::quoted(path) + " -depth 8 ppm:- 2>/dev/null");
    // P6 header: magic, width, height, maxval, one whitespace byte.
    std::istringstream in(out);
    std::string magic;
    int w = 0, h = 0, maxval = 0;
    in >> magic >> w >> h >> maxval;
    in.get();
    if (magic != "P6") return {};
    const auto offset = size_t(in.tellg());
    return std::vector<uint8_t>(out.begin() + ptrdiff_t(offset), out.end());
}

TEST(SaveImage, CodersKeepEveryPixelOfRunsAndNoise) {
    // Runs of every length up to past the packet limits, between noise.
    platform::RenderedImage r;
    r.width = 301;
    r.height = 7;
    uint32_t seed = 12345;
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x) {
            seed = seed * 1103515245u + 12345u;
            const bool run = (x / 67 + y) % 2 == 0;
            const uint32_t v = run ? uint32_t(x / 67 * 40) : (seed >> 16) % 200;
            r.argb.push_back(0xFF000000u | v << 16 | (255 - v) << 8 | (v * 7 % 256));
        }
    struct Case { std::string ext; int depth; imgconv::Options o; };
    imgconv::Options rle;
    rle.bmpRle = rle.tgaRle = true;
    const std::vector<Case> cases = {{"bmp", 8, rle}, {"bmp", 24, rle}, {"tga", 8, rle}, {"tga", 24, rle},
                                     {"pcx", 8, rle}, {"pcx", 24, rle}, {"gif", 8, rle}, {"bmp", 8, {}},
                                     {"png", 1, {}}, {"png", 8, {}}, {"png", 24, {}}};
    OutputHarness h;
    for (const Case& c : cases) {
        const imgconv::Image img = imgconv::prepareImage(r, c.depth, 300);
        const std::string out = h.path("noise" + std::to_string(c.depth) + "." + c.ext);
        const auto written = platform::replaceFile(out, [&](int fd) {
            return c.ext == "png"   ? imgconv::writePng(fd, img, c.o)
                   : c.ext == "bmp" ? imgconv::writeBmp(fd, img, c.o)
                   : c.ext == "tga" ? imgconv::writeTga(fd, img, c.o)
                   : c.ext == "pcx" ? imgconv::writePcx(fd, img, c.o)
                                    : imgconv::writeGif(fd, img, c.o);
        });
        ASSERT_TRUE(written) << out << ": " << written.reason;
        std::vector<uint8_t> expected;
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x) {
                const auto px = img.rgb(x, y);
                expected.insert(expected.end(), px.begin(), px.end());
            }
        EXPECT_EQ(readerRgb(out), expected) << out;
    }
}

// The depth-1 threshold, four pixels at a time, against luminance() for
// every colour, with alpha, at every start and length around a group of four.
TEST(SaveImage, DepthOneThresholdMatchesLuminanceForEveryColour) {
    std::vector<uint32_t> block(1 << 16);
    std::vector<uint8_t> out(block.size() + 8);
    for (uint32_t high = 0; high < 256; ++high) {
        for (uint32_t low = 0; low < block.size(); ++low) block[low] = (low * 0x9E37u & 0xFF000000u) | high << 16 | low;
        imgconv::darkPixelsToZero(block.data(), out.data(), block.size());
        for (uint32_t low = 0; low < block.size(); ++low) {
            const uint32_t c = block[low];
            const bool light = imgconv::luminance({uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)}) >= 128;
            ASSERT_EQ(out[low], light ? 1 : 0) << std::hex << c;
        }
    }
    const std::vector<uint32_t> mixed = {0xFF7F7F7F, 0xFF808080, 0xFFFFFFFF, 0xFF000000, 0x00FFFFFF,
                                         0xFF123456, 0xFFFEDCBA, 0xFF00FF00, 0xFF0000FF, 0xFFFF0000};
    for (size_t start = 0; start < 4; ++start)
        for (size_t n = 0; n + start <= mixed.size(); ++n) {
            std::vector<uint8_t> got(n + 1, 7);
            imgconv::darkPixelsToZero(mixed.data() + start, got.data(), n);
            for (size_t k = 0; k < n; ++k) {
                const uint32_t c = mixed[start + k];
                EXPECT_EQ(got[k], imgconv::luminance({uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)}) >= 128)
                    << start << "+" << k << " of " << n;
            }
            EXPECT_EQ(got[n], 7) << "wrote past " << n;
        }
}

TEST(SaveImage, EveryDepthKeepsEachPixelsOwnColour) {
    // Runs of one colour, alternating pairs and lone pixels, with colours
    // either side of the black/white threshold, at widths around a byte.
    const std::vector<uint32_t> colours = {0xFF000000, 0xFFFFFFFF, 0xFF7F7F7F, 0xFF808080, 0xFF123456,
                                           0xFFFEDCBA, 0xFF00FF00, 0xFF0000FF};
    for (int width : {1, 7, 8, 9, 61}) {
        platform::RenderedImage r;
        r.width = width;
        r.height = 5;
        uint32_t seed = uint32_t(width);
        for (int i = 0; i < width * r.height; ++i) {
            seed = seed * 1103515245u + 12345u;
            const int pattern = (i / 11) % 3;
            const size_t pick = pattern == 0 ? 1 : pattern == 1 ? size_t(i % 2) : (seed >> 16) % colours.size();
            r.argb.push_back(colours[pick]);
        }
        for (int depth : {1, 8, 24}) {
            const imgconv::Image img = imgconv::prepareImage(r, depth, 300);
            ASSERT_EQ(img.data.size(), size_t(width * r.height) * img.bytesPerPixel());
            for (int y = 0; y < r.height; ++y)
                for (int x = 0; x < width; ++x) {
                    const uint32_t c = r.at(x, y);
                    const imgconv::Rgb rgb{uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)};
                    const imgconv::Rgb white{255, 255, 255}, black{0, 0, 0};
                    const imgconv::Rgb expected = depth == 1 ? (imgconv::luminance(rgb) < 128 ? black : white) : rgb;
                    ASSERT_EQ(img.rgb(x, y), expected) << "width " << width << " depth " << depth << " at " << x << "," << y;
                }
        }
    }
}

TEST(SaveImage, PaletteOfMoreThan256ColoursIsTheNearestCubeColour) {
    platform::RenderedImage r;
    r.width = 40;
    r.height = 30;
    for (int i = 0; i < r.width * r.height; ++i) r.argb.push_back(0xFF000000u | uint32_t(i * 997 % 0x1000000));
    const imgconv::Image img = imgconv::prepareImage(r, 8, 300);
    EXPECT_EQ(img.palette.size(), 252u);
    for (int i = 0; i < r.width * r.height; ++i) {
        const auto got = img.rgb(i % r.width, i / r.width);
        const uint32_t want = r.argb[size_t(i)];
        // Half a cube step at most: 255/5/2 for red and blue, 255/6/2 for green.
        EXPECT_LE(std::abs(int(got[0]) - int(want >> 16 & 0xFF)), 26) << i;
        EXPECT_LE(std::abs(int(got[1]) - int(want >> 8 & 0xFF)), 22) << i;
        EXPECT_LE(std::abs(int(got[2]) - int(want & 0xFF)), 26) << i;
    }
}

// --- Resolution and whole pixels -------------------------------------------------

TEST(SaveImage, PixelSizeFollowsResolutionAndModulesStayWhole) {
    struct Case { int dpi; float narrow; int modulePx; };
    // 127 units at 600 dpi are 30 pixels; 33 units at 300 dpi are 3.9 pixels
    // (no whole module: only the size is checked).
    for (Case c : {Case{254, 50, 5}, Case{600, 127, 30}, Case{300, 33, 0}, Case{20, 127, 1}}) {
        OutputHarness h;
        h.app.settings.narrowWidth = c.narrow;
        h.app.settings.includeText = false;
        h.app.settings.quietZones = true;
        ASSERT_TRUE(h.build(13, kMessage));
        h.app.settings.raster.rasterResolution = c.dpi;
        const std::string out = h.path("s.png");
        ASSERT_TRUE(SaveSymbolImage(h.app, out));
        test::GreyImage img = test::magickGrey(out);
        EXPECT_EQ(img.width, pixels(h.app.output.lastSymbol.value().metafile.xExt, c.dpi)) << c.dpi;
        EXPECT_EQ(img.height, pixels(h.app.output.lastSymbol.value().metafile.yExt, c.dpi)) << c.dpi;
        if (c.modulePx == 0 || img.width == 0) continue;
        // Every run of one colour along a row is a whole number of modules.
        const uint8_t* row = &img.pixels[size_t(img.height / 2) * size_t(img.width)];
        int run = 1, runs = 0;
        for (int x = 1; x <= img.width; ++x) {
            if (x < img.width && row[x] == row[x - 1]) {
                ++run;
                continue;
            }
            EXPECT_EQ(run % c.modulePx, 0) << "run ending at " << x << " at " << c.dpi << " dpi";
            ++runs;
            run = 1;
        }
        EXPECT_GT(runs, 30);
    }
}

// --- GIF compression ----------------------------------------------------------

TEST(SaveImage, GifCompressionChangesTheCodingOnly) {
    OutputHarness h;
    h.app.settings.narrowWidth = 50;
    ASSERT_TRUE(h.build(13, kMessage));
    h.app.settings.raster.rasterResolution = 254;
    struct Saved { GifFacts facts; uintmax_t size; };
    std::vector<Saved> saved;
    for (int lzw : {0, 1}) {
        h.app.settings.raster.gifCompression = lzw;
        const std::string out = h.path("s" + std::to_string(lzw) + ".gif");
        ASSERT_TRUE(SaveSymbolImage(h.app, out));
        saved.push_back({gifFacts(out), std::filesystem::file_size(out)});
    }
    ASSERT_FALSE(saved[0].facts.grey.empty());
    EXPECT_EQ(saved[0].facts.grey, saved[1].facts.grey);
    // Uncoded: one 3-bit code a pixel at least; coded: far smaller.
    const uintmax_t pixelCount = uintmax_t(saved[0].facts.width) * uintmax_t(saved[0].facts.height);
    EXPECT_GE(saved[0].size, pixelCount * 3 / 8);
    EXPECT_LT(saved[1].size * 10, saved[0].size);
}

// --- EPS ----------------------------------------------------------------------

TEST(SaveImage, EpsHasThePhysicalSizeAsBoundingBox) {
    for (bool transparent : {false, true}) {
        OutputHarness h;
        h.app.settings.narrowWidth = 50;
        h.app.settings.quietZones = true;
        h.app.settings.transparent = transparent;
        ASSERT_TRUE(h.build(13, kMessage));
        const std::string out = h.path("s.eps");
        ASSERT_TRUE(SaveSymbolImage(h.app, out));
        const auto& pict = h.app.output.lastSymbol.value().metafile;
        const double w = pict.xExt * 72.0 / 2540, hgt = pict.yExt * 72.0 / 2540;
        std::ifstream in(out);
        std::string line, box, hires;
        while (std::getline(in, line)) {
            if (line.rfind("%%BoundingBox:", 0) == 0 && box.empty()) box = line;
            if (line.rfind("%%HiResBoundingBox:", 0) == 0 && hires.empty()) hires = line;
        }
        EXPECT_EQ(box, "%%BoundingBox: 0 0 " + std::to_string(int(std::ceil(w))) + " " +
                           std::to_string(int(std::ceil(hgt))));
        double x0 = -1, y0 = -1, x1 = 0, y1 = 0;
        ASSERT_EQ(std::sscanf(hires.c_str(), "%%%%HiResBoundingBox: %lf %lf %lf %lf", &x0, &y0, &x1, &y1), 4);
        EXPECT_EQ(x0, 0);
        EXPECT_EQ(y0, 0);
        EXPECT_NEAR(x1, w, 1e-3);
        EXPECT_NEAR(y1, hgt, 1e-3);
        // ghostscript draws it at 254 dpi: ten units a pixel.
        test::GreyImage img = test::parsePgm(test::commandOutput(
            "gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -sDEVICE=pgmraw -r254 -sOutputFile=- " + test::quoted(out)));
        EXPECT_NEAR(img.width, pict.xExt / 10.0, 1.0);
        EXPECT_NEAR(img.height, pict.yExt / 10.0, 1.0);
        auto d = test::decode(img.padded(20), "Code128");
        ASSERT_TRUE(d.ok) << transparent;
        EXPECT_EQ(d.text, kMessage);
    }
}

// --- The converter's contract ---------------------------------------------------

TEST(SaveImage, ExtensionDecidesBetweenConversionAndMetafileCopy) {
    struct Case { std::string name; bool converted; std::string magic; };
    OutputHarness h;
    ASSERT_TRUE(h.build(13, kMessage));
    const auto scratch = fileBytes(h.app.scratchMetafilePath);
    for (const Case& c : {Case{"a.Png", true, "\x89PNG"}, Case{"b.GIF", true, "GIF8"}, Case{"c.jpeg", false, ""},
                          Case{"d.tiff", false, ""}, Case{"e", false, ""}, Case{"f.wmf", false, ""},
                          Case{"dir.v2/g", false, ""}}) {
        const std::string out = h.path(c.name);
        std::filesystem::create_directories(std::filesystem::path(out).parent_path());
        ASSERT_TRUE(SaveSymbolImage(h.app, out)) << c.name;
        auto bytes = fileBytes(out);
        if (c.converted)
            EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), c.magic) << c.name;
        else
            EXPECT_EQ(bytes, scratch) << c.name;
    }
}

TEST(SaveImage, ConverterRefusesWhatItCannotReadOrWrite) {
    OutputHarness h;
    ASSERT_TRUE(h.build(13, kMessage));
    std::ofstream(h.path("junk.wmf")) << "not a metafile";
    struct Case { std::string source, target; };
    for (const Case& c : {Case{h.path("missing.wmf"), h.path("x.png")}, Case{h.path("junk.wmf"), h.path("x.png")},
                          Case{h.path("junk.wmf"), h.path("x.eps")},
                          Case{h.app.scratchMetafilePath, h.path("no/such/dir/x.png")},
                          Case{h.app.scratchMetafilePath, h.path("x.jpeg")}}) {
        std::string src = c.source, dst = c.target;
        EXPECT_NE(SAVEBARCODE(src.data(), dst.data(), 1, 300, 100, 0, 0, 0, 0, 0, 0), 0) << c.source << " " << c.target;
        EXPECT_FALSE(std::filesystem::exists(c.target)) << c.target;
    }
    // A failed save is reported and leaves no file: nothing built yet, or a
    // target that cannot be written (saving no longer needs the scratch file).
    OutputHarness unbuilt;
    for (auto [app, ui, target] : {std::tuple{&unbuilt.app, &unbuilt.ui, unbuilt.path("y.png")},
                                   std::tuple{&unbuilt.app, &unbuilt.ui, unbuilt.path("y.wmf")},
                                   std::tuple{&h.app, &h.ui, h.path("no/such/dir/y.png")},
                                   std::tuple{&h.app, &h.ui, h.path("no/such/dir/y.wmf")}}) {
        const size_t before = ui->messages.size();
        EXPECT_FALSE(SaveSymbolImage(*app, target)) << target;
        EXPECT_FALSE(std::filesystem::exists(target)) << target;
        EXPECT_EQ(ui->messages.size(), before + 1) << target;
    }
}

TEST(SaveImage, OutOfRangeOptionsAreBroughtIn) {
    OutputHarness h;
    h.app.settings.narrowWidth = 50;
    ASSERT_TRUE(h.build(13, kMessage));
    std::string src = h.app.scratchMetafilePath, dst = h.path("z.png");
    // Resolution 5 is read as 300, bits per pixel 4 as 1, filter 7 as all filters.
    ASSERT_EQ(SAVEBARCODE(src.data(), dst.data(), 4, 5, 0, 7, 0, 0, 0, 9, 0), 0);
    PngFacts f = pngFacts(dst);
    EXPECT_EQ(f.width, pixels(h.app.output.lastSymbol.value().metafile.xExt, 300));
    EXPECT_EQ(f.bitDepth, 1);
    EXPECT_EQ(f.colourType, 0);
}

struct SavingUi : platform::HeadlessUserInterface {
    std::optional<std::string> choice;
    std::vector<std::string> offered;
    std::string title, filter;
    std::optional<std::string> fileDialog(bool, const std::string& t, const std::string& f,
                                          const std::string& initial) override {
        title = t;
        filter = f;
        offered.push_back(initial);
        return choice;
    }
};

TEST(SaveImage, SaveBarCodeAsRemembersTheName) {
    OutputHarness h;
    SavingUi ui;
    ui.echo = false;
    h.app.ui = &ui;
    ASSERT_TRUE(h.build(13, kMessage));
    EXPECT_FALSE(MBSave_Click(h.app));  // cancelled
    EXPECT_TRUE(h.app.barCodeFilePath.empty());
    ui.choice = h.path("chosen.bmp");
    ASSERT_TRUE(MBSave_Click(h.app));
    EXPECT_EQ(h.app.barCodeFilePath, *ui.choice);
    EXPECT_EQ(test::identifyVerbose(*ui.choice)["Format"].substr(0, 3), "BMP");
    ui.choice.reset();
    MBSave_Click(h.app);
    EXPECT_EQ(ui.offered, (std::vector<std::string>{"", "", h.path("chosen.bmp")}));
    EXPECT_EQ(ui.title, "Save Bar Code As");
    EXPECT_EQ(ui.filter.substr(0, 31), "Windows MetaFile (*.wmf)|*.wmf|");
    EXPECT_EQ(ui.filter.substr(ui.filter.size() - 19), "All Files (*.*)|*.*");
}

TEST(SaveImage, CommandLanguageSetsTheOptionsAndSaves) {
    OutputHarness h;
    h.app.settings.narrowWidth = 50;
    ASSERT_TRUE(h.build(13, kMessage));
    const std::string out = h.path("cmd.tif");
    ASSERT_EQ(ExecuteResult::Accepted, LinkExecute(h.app, "[BITSPERPIXEL=8][RASTERIMAGERESOLUTION=508][TIFFCOMPRESSION=LZW][SAVEBARCODE(" +
                                         out + ")]"));
    TiffFacts f = tiffFacts(out);
    EXPECT_EQ(f.bits, 8);
    EXPECT_EQ(f.compression, COMPRESSION_LZW);
    test::GreyImage img = test::magickGrey(out);
    EXPECT_EQ(img.width, pixels(h.app.output.lastSymbol.value().metafile.xExt, 508));
    auto d = test::decode(img.padded(20), "Code128");
    EXPECT_EQ(d.text, kMessage);
}

// --- Raster Image Properties ------------------------------------------------------

TEST(RasterProperties, OkStoresCorrectedValues) {
    struct Case { std::string dpi, quality; int filterItem, bppItem, tiffItem; int wantDpi, wantQuality, wantFilter, wantBpp; };
    for (const Case& c : {Case{"10", "0", 5, 0, 0, 300, 100, 10, 1}, Case{"2000", "101", 0, 1, 4, 1440, 100, 0, 8},
                          Case{"20", "1", 1, 2, 2, 20, 1, 2, 24}, Case{"1440", "100", 3, 2, 3, 1440, 100, 6, 24},
                          Case{"19", "", 4, 0, 1, 300, 100, 8, 1}, Case{"", "55", 2, 1, 0, 300, 55, 4, 8},
                          Case{"99999999999999999999", "99999999999999999999", 0, 0, 0, 1440, 100, 0, 1}}) {
        RasterOptions r;
        RasterDialogFields f = rasterDialogFields(r);
        f.dpiText = c.dpi;
        f.jpegQualityText = c.quality;
        f.pngFilterItem = c.filterItem;
        f.bitsPerPixelItem = c.bppItem;
        f.tiffItem = c.tiffItem;
        f.gifCompress = true;
        applyRasterDialog(r, f);
        EXPECT_EQ(r.rasterResolution, c.wantDpi) << c.dpi;
        EXPECT_EQ(r.jpegQuality, c.wantQuality) << c.quality;
        EXPECT_EQ(r.pngFilter, c.wantFilter);
        EXPECT_EQ(r.rasterBitsPerPixel, c.wantBpp);
        EXPECT_EQ(r.tiffCompression, c.tiffItem);
        EXPECT_EQ(r.gifCompression, 1);
        EXPECT_EQ(r.bmpCompression, 0);
    }
}

TEST(RasterProperties, ControlsShowTheCurrentOptions) {
    struct Case { int bpp, filter, tiff; int bppItem, filterItem; };
    for (Case c : {Case{1, 0, 0, 0, 0}, Case{8, 10, 4, 1, 5}, Case{24, 4, 2, 2, 2}, Case{4, 6, 1, 0, 3}}) {
        RasterOptions r;
        r.rasterBitsPerPixel = c.bpp;
        r.pngFilter = c.filter;
        r.tiffCompression = c.tiff;
        r.rasterResolution = 600;
        RasterDialogFields f = rasterDialogFields(r);
        EXPECT_EQ(f.bitsPerPixelItem, c.bppItem);
        EXPECT_EQ(f.pngFilterItem, c.filterItem);
        EXPECT_EQ(f.tiffItem, c.tiff);
        EXPECT_EQ(f.dpiText, "600");
    }
    EXPECT_TRUE(rasterDialogAcceptsKey('7'));
    EXPECT_TRUE(rasterDialogAcceptsKey('\b'));
    EXPECT_FALSE(rasterDialogAcceptsKey('-'));
    EXPECT_FALSE(rasterDialogAcceptsKey('.'));
}

}  // namespace
}  // namespace quillet
