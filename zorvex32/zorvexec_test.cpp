#include "zorvex32/zorvex32.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/clipboard.h"
#include "platform/gdi.h"
#include "platform/placeable.h"
#include "tests/support/render_wmf.h"
#include "tests/support/wmf_inspect.h"
#include "tests/support/zxing_decode.h"
#include "zorvex32/aztec_symbol.h"

namespace {

using quillet::test::decode;
using quillet::test::GreyImage;

AztecRequest makeRequest(const std::string& msg) {
    AztecRequest r;
    std::memset(&r, 0, sizeof r);
    r.MessageLength = int32_t(msg.size());
    std::memcpy(r.Message, msg.data(), std::min(msg.size(), sizeof r.Message));
    r.ModuleSize = 50;
    r.ForeColor = 0;
    r.BackColor = 0xFFFFFF;
    std::strcpy(r.FontName, "Arial");
    r.FontSize = 10;
    r.OutputMode = AZTEC_RETURN_HANDLE;
    return r;
}

void setComment(AztecRequest& r, const std::string& c) {
    r.CommentLength = int32_t(c.size());
    std::memcpy(r.Comment, c.data(), std::min(c.size(), sizeof r.Comment));
}

int sideOf(const std::string& msg, int sizeSpec = 0, bool menu = false) {
    return zorvex::encodeAztec(msg, sizeSpec, menu)->size.side;
}

std::string decodeImage(const GreyImage& img) {
    auto d = decode(img.padded(40), "Aztec");
    return d.ok ? d.bytes : "<not read>";
}

// 254 dots per inch: one pixel per 0.1 mm, five per default module.
std::string decodeHandle(int32_t hmf) { return decodeImage(quillet::test::renderMetafileHandle(hmf, 254)); }

std::string tempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("zorvex_" + std::to_string(::getpid()) + "_" + name)).string();
}

TEST(Zorvexec, ResultCodesInValidationOrder) {
    struct Case {
        const char* what;
        std::function<void(AztecRequest&)> change;
        int32_t result;
    };
    const std::string longText(200, 'Q');
    const Case cases[] = {
        {"valid", [](AztecRequest&) {}, AZTEC_OK},
        {"message length 0", [](AztecRequest& r) { r.MessageLength = 0; }, AZTEC_BAD_MESSAGE},
        {"message length 3833", [](AztecRequest& r) { r.MessageLength = 3833; }, AZTEC_BAD_MESSAGE},
        {"message over one compact layer",
         [&](AztecRequest& r) {
             r = makeRequest(longText);
             r.SizeSpec = 101;
         },
         AZTEC_BAD_MESSAGE},
        {"menu symbol of 23 layers", [](AztecRequest& r) { r.Flags = AZTEC_MENU_SYMBOL, r.SizeSpec = 223; }, AZTEC_BAD_MESSAGE},
        {"comment length 101", [](AztecRequest& r) { r.CommentLength = 101; }, AZTEC_BAD_COMMENT},
        {"comment length -1", [](AztecRequest& r) { r.CommentLength = -1; }, AZTEC_BAD_COMMENT},
        {"module size 0", [](AztecRequest& r) { r.ModuleSize = 0; }, AZTEC_BAD_MODULE},
        {"module size 433", [](AztecRequest& r) { r.ModuleSize = 433; }, AZTEC_BAD_MODULE},
        {"adjust 100", [](AztecRequest& r) { r.ModuleAdjust = 100; }, AZTEC_BAD_ADJUST},
        {"adjust -100", [](AztecRequest& r) { r.ModuleAdjust = -100; }, AZTEC_BAD_ADJUST},
        {"font size 1001", [](AztecRequest& r) { r.FontSize = 1001; }, AZTEC_BAD_FONT_SIZE},
        {"snapping at 71 dpi", [](AztecRequest& r) { r.Flags = AZTEC_SNAP_TO_DOTS, r.DpiX = 71; }, AZTEC_BAD_RESOLUTION},
        {"snapping turned reads DpiY",
         [](AztecRequest& r) { r.Flags = AZTEC_SNAP_TO_DOTS, r.DpiX = 300, r.DpiY = 50, r.Orientation = 3; },
         AZTEC_BAD_RESOLUTION},
        {"empty file name", [](AztecRequest& r) { r.OutputMode = AZTEC_TO_FILE; }, AZTEC_BAD_FILE},
        {"unterminated file name",
         [](AztecRequest& r) { r.OutputMode = AZTEC_TO_FILE, std::memset(r.FileName, 'a', sizeof r.FileName); },
         AZTEC_BAD_FILE},
        {"file in a missing folder",
         [](AztecRequest& r) { r.OutputMode = AZTEC_TO_FILE, std::strcpy(r.FileName, "/nonexistent-dir/x.wmf"); },
         AZTEC_BAD_FILE},
        {"picture beyond 16-bit coordinates",
         [](AztecRequest& r) { r.ModuleSize = 432, r.SizeSpec = 215; }, AZTEC_NO_METAFILE},
        {"comment beyond 16-bit coordinates",
         [](AztecRequest& r) { setComment(r, "x"), r.FontSize = 1000; }, AZTEC_NO_METAFILE},
        {"device output without a DC, before everything",
         [](AztecRequest& r) { r.OutputMode = AZTEC_TO_DC, r.MessageLength = 0; }, AZTEC_BAD_DC},
        {"device output to no device", [](AztecRequest& r) { r.OutputMode = AZTEC_TO_DC, r.TargetDC = 999999; }, AZTEC_BAD_DC},
        // The first failing check wins.
        {"message before comment", [](AztecRequest& r) { r.MessageLength = 0, r.CommentLength = 101; }, AZTEC_BAD_MESSAGE},
        {"comment before module", [](AztecRequest& r) { r.CommentLength = 101, r.ModuleSize = 0; }, AZTEC_BAD_COMMENT},
        {"module before adjust", [](AztecRequest& r) { r.ModuleSize = 0, r.ModuleAdjust = 100; }, AZTEC_BAD_MODULE},
        {"adjust before font", [](AztecRequest& r) { r.ModuleAdjust = 100, r.FontSize = 1001; }, AZTEC_BAD_ADJUST},
        {"font before snapping",
         [](AztecRequest& r) { r.FontSize = 1001, r.Flags = AZTEC_SNAP_TO_DOTS, r.DpiX = 10; }, AZTEC_BAD_FONT_SIZE},
        {"snapping before file",
         [](AztecRequest& r) { r.Flags = AZTEC_SNAP_TO_DOTS, r.DpiX = 10, r.OutputMode = AZTEC_TO_FILE; },
         AZTEC_BAD_RESOLUTION},
        {"size before file",
         [&](AztecRequest& r) {
             r = makeRequest(longText);
             r.SizeSpec = 101, r.OutputMode = AZTEC_TO_FILE;
         },
         AZTEC_BAD_MESSAGE},
    };
    for (const Case& c : cases) {
        AztecRequest r = makeRequest("Result codes");
        c.change(r);
        size_t live = gdi::liveObjectCount();
        gdi::MetafilePict pict{};
        EXPECT_EQ(ZORVEXEC(&r, &pict), c.result) << c.what;
        if (c.result == AZTEC_OK) {
            EXPECT_NE(pict.hMF, 0) << c.what;
            gdi::DeleteMetaFile(pict.hMF);
        } else {
            EXPECT_EQ(pict.hMF, 0) << c.what;
        }
        EXPECT_EQ(gdi::liveObjectCount(), live) << c.what << ": objects left behind";
    }
}

TEST(Zorvexec, OutOfRangeSelectorAndModesFallBack) {
    for (int selector : {-1, 100, 150, 300}) {
        AztecRequest r = makeRequest("Selector");
        r.SizeSpec = selector;
        gdi::MetafilePict pict{};
        ASSERT_EQ(ZORVEXEC(&r, &pict), AZTEC_OK) << selector;
        EXPECT_EQ(pict.xExt, sideOf("Selector") * 50) << selector;
        gdi::DeleteMetaFile(pict.hMF);
    }
}

// Every orientation and comment placement reads back; turned pictures swap
// their extents.
TEST(Zorvexec, OrientationsAndCommentsDecode) {
    const std::string msg = "Quillet Aztec 0123456789 \xe4\xf6\xfc\r\n";
    const int side = sideOf(msg);
    for (int orientation = 0; orientation < 4; ++orientation) {
        for (int flags : {0, AZTEC_COMMENT_BELOW | AZTEC_COMMENT_CENTRE, AZTEC_COMMENT_RIGHT | AZTEC_FONT_BOLD}) {
            AztecRequest r = makeRequest(msg);
            setComment(r, "Label");
            r.Orientation = orientation + 4;  // only the low two bits count
            r.Flags = flags;
            size_t live = gdi::liveObjectCount();
            gdi::MetafilePict pict{};
            ASSERT_EQ(ZORVEXEC(&r, &pict), AZTEC_OK);
            EXPECT_EQ(pict.mm, 8);
            const int w = side * 50, ht = side * 50 + 352;  // 35.15 x 10 points, half to even
            EXPECT_EQ(pict.xExt, orientation % 2 ? ht : w) << orientation;
            EXPECT_EQ(pict.yExt, orientation % 2 ? w : ht) << orientation;
            EXPECT_EQ(decodeHandle(pict.hMF), msg) << "orientation " << orientation << " flags " << flags;
            gdi::DeleteMetaFile(pict.hMF);
            EXPECT_EQ(gdi::liveObjectCount(), live) << "pens, brushes or fonts left behind";
        }
    }
}

TEST(Zorvexec, ModuleAdjustment) {
    const std::string msg = "Module adjustment";
    const int side = sideOf(msg);
    struct Case {
        int adjust;
        int extent;
        std::vector<int> widths;  // the module widths that may occur
    };
    const Case cases[] = {
        {-10, side * 50 + 5, {55}},
        {0, side * 50, {50}},
        {20, side * 50, {40, 50, 60}},  // right edge pulled in, left edge pushed out
    };
    for (const Case& c : cases) {
        AztecRequest r = makeRequest(msg);
        r.ModuleAdjust = c.adjust;
        gdi::MetafilePict pict{};
        ASSERT_EQ(ZORVEXEC(&r, &pict), AZTEC_OK);
        EXPECT_EQ(pict.xExt, c.extent);
        EXPECT_EQ(pict.yExt, c.extent);
        auto m = quillet::test::parseMetafile(gdi::GetMetaFileBits(pict.hMF));
        auto rects = quillet::test::rectangles(m);
        ASSERT_FALSE(rects.empty());
        EXPECT_EQ(rects[0], (quillet::test::DrawnRect{0, 0, c.extent, -c.extent})) << "background first";
        for (size_t i = 1; i < rects.size(); ++i) {
            EXPECT_NE(std::find(c.widths.begin(), c.widths.end(), rects[i].width()), c.widths.end())
                << c.adjust << ": width " << rects[i].width();
            if (c.adjust <= 0) {
                EXPECT_EQ(rects[i].top - rects[i].bottom, c.widths[0]) << c.adjust;
            }
        }
        EXPECT_EQ(decodeHandle(pict.hMF), msg) << c.adjust;
        gdi::DeleteMetaFile(pict.hMF);
    }
}

TEST(Zorvexec, CommentFontAndPlacement) {
    const std::string msg = "Comment";
    const int side = sideOf(msg);  // 15 modules
    struct Case {
        int orientation, flags;
        int x, y;
    };
    // Module size 51 makes W = 765 odd, so W/2 = 382; H = 352, Ht = 1117.
    const int w = side * 51, h = 352, ht = w + h;
    const Case cases[] = {
        {0, 0, 0, 0},
        {0, AZTEC_COMMENT_BELOW | AZTEC_COMMENT_CENTRE, w / 2, -ht + h},
        {0, AZTEC_COMMENT_RIGHT | AZTEC_COMMENT_CENTRE, w, 0},
        {1, 0, ht, 0},
        {1, AZTEC_COMMENT_BELOW | AZTEC_COMMENT_CENTRE, h, -(w / 2)},
        {2, AZTEC_COMMENT_CENTRE, w / 2, -ht},
        {2, AZTEC_COMMENT_BELOW | AZTEC_COMMENT_RIGHT, 0, -h},
        {3, 0, 0, -w},
        {3, AZTEC_COMMENT_BELOW | AZTEC_COMMENT_CENTRE, ht - h, -(w / 2)},
    };
    for (const Case& c : cases) {
        AztecRequest r = makeRequest(msg);
        r.ModuleSize = 51;
        r.Orientation = c.orientation;
        r.Flags = c.flags;
        setComment(r, "Hello");
        gdi::MetafilePict pict{};
        ASSERT_EQ(ZORVEXEC(&r, &pict), AZTEC_OK);
        auto m = quillet::test::parseMetafile(gdi::GetMetaFileBits(pict.hMF));
        auto texts = quillet::test::texts(m);
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].text, " ");
        EXPECT_EQ(texts[0].x, 0);
        EXPECT_EQ(texts[1].text, "Hello");
        EXPECT_EQ(texts[1].x, c.x) << c.orientation << "/" << c.flags;
        EXPECT_EQ(texts[1].y, c.y) << c.orientation << "/" << c.flags;
        auto heights = quillet::test::fontHeights(m);
        ASSERT_FALSE(heights.empty());
        EXPECT_EQ(heights[0], h);
        auto ext = quillet::test::windowExtent(m);
        EXPECT_EQ(ext, (c.orientation % 2 ? std::pair{ht, -w} : std::pair{w, -ht}));
        gdi::DeleteMetaFile(pict.hMF);
    }
    // No comment: an exact square and no font at all.
    AztecRequest r = makeRequest(msg);
    gdi::MetafilePict pict{};
    ASSERT_EQ(ZORVEXEC(&r, &pict), AZTEC_OK);
    EXPECT_EQ(pict.xExt, side * 50);
    EXPECT_EQ(pict.yExt, side * 50);
    auto m = quillet::test::parseMetafile(gdi::GetMetaFileBits(pict.hMF));
    EXPECT_TRUE(quillet::test::fontHeights(m).empty());
    gdi::DeleteMetaFile(pict.hMF);
}

TEST(Zorvexec, DotSnapping) {
    const std::string msg = "Dots";
    const int side = sideOf(msg);
    struct Case {
        int dpiX, dpiY, orientation, module, snapped;
    };
    const Case cases[] = {
        {300, 0, 0, 25, 25},   // q = 2.95: three dots of 8.4667
        {300, 0, 0, 5, 8},     // below 1.25 dots: one dot
        {600, 0, 0, 25, 25},   // six dots of 4.2333
        {72, 0, 0, 100, 106},  // three dots of 35.28
        {0, 300, 1, 5, 8},     // turned: the vertical resolution counts
        {0, 600, 3, 25, 25},
    };
    for (const Case& c : cases) {
        AztecRequest r = makeRequest(msg);
        r.Flags = AZTEC_SNAP_TO_DOTS;
        r.DpiX = c.dpiX;
        r.DpiY = c.dpiY;
        r.Orientation = c.orientation;
        r.ModuleSize = c.module;
        gdi::MetafilePict pict{};
        ASSERT_EQ(ZORVEXEC(&r, &pict), AZTEC_OK) << c.dpiX << "/" << c.module;
        EXPECT_EQ(pict.xExt, side * c.snapped) << c.dpiX << "/" << c.module;
        if (c.orientation % 2) {
            EXPECT_EQ(r.DpiX, c.dpiY) << "DpiX written back";
        }
        gdi::DeleteMetaFile(pict.hMF);
    }
}

// The drawing calls and their order up to the first module, and the close.
TEST(Zorvexec, RecordOrder) {
    enum : uint16_t {
        TEXTOUT = 0x0521, WINDOWEXT = 0x020C, WINDOWORG = 0x020B, BRUSH = 0x02FC, PEN = 0x02FA,
        SELECT = 0x012D, RECTANGLE = 0x041B, BKMODE = 0x0102, BKCOLOR = 0x0201, DELETE = 0x01F0,
    };
    struct Case {
        int32_t back;
        std::vector<uint16_t> head;
    };
    const Case cases[] = {
        {0xFFFFFF, {TEXTOUT, WINDOWEXT, WINDOWORG, BRUSH, SELECT, PEN, SELECT, RECTANGLE, BKMODE, BKCOLOR,
                    PEN, SELECT, BRUSH, SELECT, RECTANGLE}},
        {-1, {TEXTOUT, WINDOWEXT, WINDOWORG, BKMODE, PEN, SELECT, BRUSH, SELECT, RECTANGLE}},
    };
    for (const Case& c : cases) {
        AztecRequest r = makeRequest("Order");
        r.BackColor = c.back;
        gdi::MetafilePict pict{};
        ASSERT_EQ(ZORVEXEC(&r, &pict), AZTEC_OK);
        auto m = quillet::test::parseMetafile(gdi::GetMetaFileBits(pict.hMF));
        ASSERT_GT(m.records.size(), c.head.size());
        std::vector<uint16_t> head;
        for (size_t i = 0; i < c.head.size(); ++i) head.push_back(m.records[i].function);
        EXPECT_EQ(head, c.head) << c.back;
        // Ends by selecting stock objects and deleting the pens and brushes.
        size_t deletes = 0;
        for (const auto& rec : m.records) deletes += rec.function == DELETE;
        EXPECT_EQ(deletes, c.back == -1 ? 2u : 4u) << c.back;
        EXPECT_EQ(m.records.back().function, DELETE);
        gdi::DeleteMetaFile(pict.hMF);
    }
}

TEST(Zorvexec, BackgroundAndColours) {
    const std::string msg = "Background";
    auto sym = zorvex::encodeAztec(msg, 0, false);
    size_t dark = 0;
    for (int r = 0; r < sym->matrix.side; ++r)
        for (int c = 0; c < sym->matrix.side; ++c) dark += sym->matrix.dark(r, c);
    struct Case {
        int32_t fore, back;
        size_t rects;
    };
    const Case cases[] = {
        {0, 0xFFFFFF, dark + 1},
        {0, -1, dark},             // transparent: no background rectangle
        {0, 0, dark + 1},          // both black: white background
        {0x800000, 0x00FFFF, dark + 1},
    };
    for (const Case& c : cases) {
        AztecRequest r = makeRequest(msg);
        r.ForeColor = c.fore;
        r.BackColor = c.back;
        gdi::MetafilePict pict{};
        ASSERT_EQ(ZORVEXEC(&r, &pict), AZTEC_OK);
        auto m = quillet::test::parseMetafile(gdi::GetMetaFileBits(pict.hMF));
        EXPECT_EQ(quillet::test::rectangles(m).size(), c.rects) << c.back;
        EXPECT_EQ(decodeHandle(pict.hMF), msg) << c.fore << "/" << c.back;
        gdi::DeleteMetaFile(pict.hMF);
    }
}

TEST(Zorvexec, ClipboardOutput) {
    for (int mode : {int(AZTEC_TO_CLIPBOARD), 7, -3}) {
        platform::clipboard().empty();
        AztecRequest r = makeRequest("Clipboard " + std::to_string(mode));
        r.OutputMode = mode;
        gdi::MetafilePict pict{};
        ASSERT_EQ(ZORVEXEC(&r, &pict), AZTEC_OK) << mode;
        EXPECT_EQ(pict.hMF, 0) << mode;
        auto held = platform::clipboard().metafilePict();
        ASSERT_TRUE(held.has_value()) << mode;
        EXPECT_EQ(held->xExt, pict.xExt);
        EXPECT_EQ(held->mm, 8);
        EXPECT_EQ(decodeHandle(held->hMF), "Clipboard " + std::to_string(mode));
    }
    platform::clipboard().empty();
}

TEST(Zorvexec, FileOutputPlainAndPlaceable) {
    for (bool placeable : {false, true}) {
        const std::string path = tempPath(placeable ? "p.wmf" : "plain.wmf");
        AztecRequest r = makeRequest("File output");
        r.OutputMode = AZTEC_TO_FILE;
        r.Orientation = 1;
        r.Flags = placeable ? AZTEC_PLACEABLE_FILE : 0;
        std::strcpy(r.FileName, path.c_str());
        size_t live = gdi::liveObjectCount();
        gdi::MetafilePict pict{};
        ASSERT_EQ(ZORVEXEC(&r, &pict), AZTEC_OK);
        EXPECT_EQ(pict.hMF, 0);
        EXPECT_EQ(gdi::liveObjectCount(), live);
        auto bytes = quillet::test::readFileBytes(path);
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(platform::hasPlaceableHeader(bytes), placeable);
        auto m = quillet::test::parseMetafile(bytes);
        if (placeable) {
            ASSERT_TRUE(m.placeable.has_value());
            EXPECT_EQ(m.placeable->right, pict.xExt);
            EXPECT_EQ(m.placeable->bottom, pict.yExt);
            EXPECT_EQ(m.placeable->unitsPerInch, 2540);
        }
        EXPECT_EQ(decodeImage(quillet::test::renderWmfFile(path, 254)), "File output") << placeable;
        std::remove(path.c_str());
    }
}

TEST(Zorvexec, DeviceContextOutput) {
    const std::string msg = "Played into a device";
    const int px = 600;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, px, px);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    gdi::Handle dc = gdi::CreateCairoDC(cr, 254, 254);
    AztecRequest r = makeRequest(msg);
    r.ModuleSize = 100;
    r.OutputMode = AZTEC_TO_DC;
    r.TargetDC = dc;
    r.OriginX = 0.5f;  // 127 dots in
    r.OriginY = 0.25f;
    gdi::MetafilePict pict{};
    size_t live = gdi::liveObjectCount();
    ASSERT_EQ(ZORVEXEC(&r, &pict), AZTEC_OK);
    EXPECT_EQ(pict.hMF, 0);
    EXPECT_EQ(gdi::liveObjectCount(), live);
    cairo_surface_flush(surface);
    GreyImage img(px, px);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    int firstDarkX = px, firstDarkY = px, lastDarkX = 0, lastDarkY = 0;
    for (int y = 0; y < px; ++y)
        for (int x = 0; x < px; ++x) {
            uint32_t v;
            std::memcpy(&v, data + size_t(y) * stride + size_t(x) * 4, 4);
            uint8_t grey = uint8_t(((v >> 16 & 255) + (v >> 8 & 255) + (v & 255)) / 3);
            img.pixels[size_t(y) * px + x] = grey;
            if (grey < 128) {
                firstDarkX = std::min(firstDarkX, x), firstDarkY = std::min(firstDarkY, y);
                lastDarkX = std::max(lastDarkX, x), lastDarkY = std::max(lastDarkY, y);
            }
        }
    // The reader looks for the bullseye near the middle: cut the symbol out.
    GreyImage symbol(lastDarkX - firstDarkX + 1, lastDarkY - firstDarkY + 1);
    for (int y = 0; y < symbol.height; ++y)
        for (int x = 0; x < symbol.width; ++x)
            symbol.pixels[size_t(y) * symbol.width + x] = img.pixels[size_t(y + firstDarkY) * px + x + firstDarkX];
    EXPECT_EQ(decodeImage(symbol), msg);
    EXPECT_EQ(symbol.width, sideOf(msg) * 10);
    EXPECT_EQ(firstDarkX, 127);  // the finder's corner module is dark
    EXPECT_EQ(firstDarkY, 64);
    gdi::DeleteDC(dc);
    // A device without a resolution: the picture is built, then refused.
    gdi::Handle blind = gdi::CreateCairoDC(cr, 0, 0);
    r.TargetDC = blind;
    EXPECT_EQ(ZORVEXEC(&r, &pict), AZTEC_BAD_DC);
    EXPECT_EQ(pict.hMF, 0);
    gdi::DeleteDC(blind);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

TEST(Zorvexec, MenuSymbolAndLargestMessage) {
    AztecRequest r = makeRequest("MENU 1");
    r.Flags = AZTEC_MENU_SYMBOL;
    gdi::MetafilePict pict{};
    ASSERT_EQ(ZORVEXEC(&r, &pict), AZTEC_OK);
    EXPECT_EQ(decodeHandle(pict.hMF), "MENU 1");
    gdi::DeleteMetaFile(pict.hMF);
    // 3832 digits fill the largest symbol at module size 20.
    std::string digits(3832, '0');
    for (size_t i = 0; i < digits.size(); ++i) digits[i] = char('0' + i % 10);
    r = makeRequest(digits);
    r.ModuleSize = 20;
    ASSERT_EQ(ZORVEXEC(&r, &pict), AZTEC_OK);
    EXPECT_EQ(pict.xExt, 151 * 20);
    EXPECT_EQ(decodeImage(quillet::test::renderMetafileHandle(pict.hMF, 254 / 2.0)), digits);
    gdi::DeleteMetaFile(pict.hMF);
}

}  // namespace
