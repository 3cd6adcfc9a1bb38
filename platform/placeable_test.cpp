// Placeable files: header bytes, checksum, and independent readers.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/gdi.h"
#include "platform/placeable.h"
#include "platform/wmf_reader.h"

using namespace gdi;

namespace {

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Handle twoBars() {
    Handle dc = CreateMetaFile(nullptr);
    SetWindowOrgEx(dc, 0, 0);
    SetWindowExtEx(dc, 2540, -1270);
    // A white background over the whole picture, as the builders draw it
    // (libwmf sizes a picture by what is drawn).
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    SelectObject(dc, GetStockObject(WHITE_PEN));
    Rectangle(dc, 0, 0, 2540, -1270);
    Handle pen = CreatePen(PS_INSIDEFRAME, 1, RGB(0, 0, 0));
    Handle brush = CreateSolidBrush(RGB(0, 0, 0));
    SelectObject(dc, pen);
    SelectObject(dc, brush);
    Rectangle(dc, 254, 0, 508, -1270);
    Rectangle(dc, 1016, 0, 1270, -1270);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    DeleteObject(pen);
    DeleteObject(brush);
    return CloseMetaFile(dc);
}

std::string run(const std::string& cmd) {
    std::string out;
    if (std::FILE* p = popen(cmd.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        if (pclose(p) != 0) out = "FAILED:" + out;
    }
    return out;
}

size_t count(const std::string& s, const std::string& what) {
    size_t n = 0;
    for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

TEST(Placeable, HeaderBytesAndChecksum) {
    struct Case {
        int16_t x, y;
        std::vector<uint8_t> bytes;
    } cases[] = {
        // key D7 CD C6 9A, handle 0, box 0 0 x y, 2540 = 0x09EC, reserved 0,
        // checksum 0xCDD7 ^ 0x9AC6 ^ x ^ y ^ 0x09EC.
        {1000, 500, {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0xE8, 0x03, 0xF4, 0x01, 0xEC, 0x09, 0, 0, 0, 0,
                     uint8_t((0xCDD7 ^ 0x9AC6 ^ 1000 ^ 500 ^ 0x09EC) & 0xFF), uint8_t((0xCDD7 ^ 0x9AC6 ^ 1000 ^ 500 ^ 0x09EC) >> 8)}},
        {32764, 1, {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0xFC, 0x7F, 0x01, 0x00, 0xEC, 0x09, 0, 0, 0, 0,
                    uint8_t((0xCDD7 ^ 0x9AC6 ^ 32764 ^ 1 ^ 0x09EC) & 0xFF), uint8_t((0xCDD7 ^ 0x9AC6 ^ 32764 ^ 1 ^ 0x09EC) >> 8)}},
    };
    for (const Case& c : cases) {
        Handle hmf = twoBars();
        std::string path = testing::TempDir() + "placeable.wmf";
        ASSERT_TRUE(platform::WritePlaceableMetafile(hmf, c.x, c.y, path));
        std::vector<uint8_t> file = readFile(path);
        std::vector<uint8_t> bits = GetMetaFileBits(hmf);
        ASSERT_EQ(file.size(), 22 + bits.size());
        EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 22), c.bytes);
        EXPECT_EQ(std::vector<uint8_t>(file.begin() + 22, file.end()), bits);
        EXPECT_EQ(platform::stripPlaceableHeader(file), bits);
        EXPECT_EQ(platform::stripPlaceableHeader(bits), bits) << "plain bytes pass unchanged";
        auto parsed = wmf::parse(file);
        ASSERT_TRUE(parsed && parsed->placeable);
        EXPECT_EQ(parsed->placeable->right, c.x);
        EXPECT_EQ(parsed->placeable->bottom, c.y);
        EXPECT_EQ(parsed->placeable->unitsPerInch, 2540);
        DeleteMetaFile(hmf);
    }
}

TEST(Placeable, FailedWritesAreHarmless) {
    Handle hmf = twoBars();
    std::string path = testing::TempDir() + "placeable_big.wmf";
    std::remove(path.c_str());
    EXPECT_FALSE(platform::WritePlaceableMetafile(hmf, 32768, 100, path)) << "extent would wrap";
    EXPECT_TRUE(readFile(path).empty());
    EXPECT_FALSE(platform::WritePlaceableMetafile(hmf, 100, 100, "/nonexistent-folder/x.wmf"));
    EXPECT_FALSE(platform::WritePlaceableMetafile(0, 100, 100, path)) << "no metafile";
    EXPECT_TRUE(readFile(path).empty());
    DeleteMetaFile(hmf);
}

// The bytes made in memory are the bytes written, and a rewrite over a
// longer file leaves nothing of it behind.
TEST(Placeable, BytesInMemoryAreTheFileWritten) {
    Handle hmf = twoBars();
    const std::string path = testing::TempDir() + "placeable_rewrite.wmf";
    std::ofstream(path, std::ios::binary) << std::string(5000, 'x');
    ASSERT_TRUE(platform::WritePlaceableMetafile(hmf, 2540, 1270, path));
    const std::vector<uint8_t> bytes = platform::placeableMetafileBytes(GetMetaFileBits(hmf), 2540, 1270);
    EXPECT_EQ(readFile(path), bytes);
    EXPECT_EQ(bytes, platform::addPlaceableHeader(GetMetaFileBits(hmf), 2540, 1270));
    struct Case { int x, y; bool made; };
    for (Case c : {Case{32767, 1, true}, Case{32768, 1, false}, Case{1, -32769, false}, Case{-32768, 0, true}})
        EXPECT_EQ(platform::placeableMetafileBytes(GetMetaFileBits(hmf), c.x, c.y).empty(), !c.made) << c.x << " " << c.y;
    EXPECT_TRUE(platform::placeableMetafileBytes({}, 100, 100).empty()) << "no records";
    DeleteMetaFile(hmf);
}

// ImageMagick reads WMF through libwmf: an independent reader.
TEST(Placeable, ImageMagickReadsTheFile) {
    if (run("convert -list format 2>/dev/null").find(" WMF") == std::string::npos)
        GTEST_SKIP() << "ImageMagick has no WMF delegate here";
    Handle hmf = twoBars();
    std::string wmfPath = testing::TempDir() + "im_check.wmf";
    std::string pgmPath = testing::TempDir() + "im_check.pgm";
    ASSERT_TRUE(platform::WritePlaceableMetafile(hmf, 2540, 1270, wmfPath));
    DeleteMetaFile(hmf);
    std::remove(pgmPath.c_str());
    std::string out = run("convert -density 100 '" + wmfPath + "' -colorspace gray -depth 8 -compress none '" +
                          pgmPath + "' 2>&1");
    ASSERT_EQ(out.rfind("FAILED", 0), std::string::npos) << out;
    // Plain PGM: "P2 width height 255" then the pixels.
    std::ifstream in(pgmPath);
    std::string magic;
    int w = 0, h = 0, max = 0;
    in >> magic >> w >> h >> max;
    ASSERT_EQ(magic, "P2");
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 50);
    std::vector<int> row(static_cast<size_t>(w));
    for (int y = 0; y <= h / 2; ++y)
        for (int& v : row) in >> v;
    // Bars at 10..20 and 40..50 px of 100: dark well inside, light well outside.
    for (int x : {12, 15, 18, 42, 45, 48}) EXPECT_LT(row[size_t(x)], 128) << x;
    for (int x : {5, 30, 35, 60, 90}) EXPECT_GT(row[size_t(x)], 128) << x;
}

// libwmf's own converter lists every rectangle and text it read.
TEST(Placeable, LibwmfListsEveryShape) {
    if (run("command -v wmf2svg").empty()) GTEST_SKIP() << "wmf2svg is not installed";
    Handle dc = CreateMetaFile(nullptr);
    SetWindowExtEx(dc, 2000, -1000);
    Handle brush = CreateSolidBrush(RGB(0, 0, 0));
    SelectObject(dc, brush);
    for (int i = 0; i < 7; ++i) Rectangle(dc, 100 + 200 * i, 0, 200 + 200 * i, -800);
    SetBkMode(dc, TRANSPARENT);
    TextOut(dc, 100, -850, "QUILLET");
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    DeleteObject(brush);
    Handle hmf = CloseMetaFile(dc);
    std::string path = testing::TempDir() + "libwmf_check.wmf";
    ASSERT_TRUE(platform::WritePlaceableMetafile(hmf, 2000, 1000, path));
    DeleteMetaFile(hmf);
    std::string svg = run("wmf2svg '" + path + "' 2>&1");
    ASSERT_EQ(svg.rfind("FAILED", 0), std::string::npos) << svg;
    EXPECT_EQ(count(svg, "<rect"), 7u) << svg;
    EXPECT_EQ(count(svg, ">QUILLET</text>"), 1u) << svg;
}
