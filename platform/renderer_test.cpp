// The cairo renderer: picture size, whole-pixel bar edges, pens, text, the
// device-context path, and an independent decode of a drawn symbol.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstring>

#include "platform/gdi.h"
#include "platform/placeable.h"
#include "platform/renderer.h"
#include "tests/support/render_wmf.h"

using namespace gdi;
using platform::renderToImage;

namespace {

struct Bar {
    int left, right;
};

// A picture W x H units with bars drawn as the builders draw them: solid
// brush and inside-frame pen in black on a white background rectangle.
Handle barPicture(int W, int H, const std::vector<Bar>& bars, int penWidth = 1) {
    Handle dc = CreateMetaFile(nullptr);
    SetWindowOrgEx(dc, 0, 0);
    SetWindowExtEx(dc, W, -H);
    Handle bgBrush = CreateSolidBrush(RGB(255, 255, 255));
    Handle bgPen = CreatePen(PS_INSIDEFRAME, 0, RGB(255, 255, 255));
    SelectObject(dc, bgBrush);
    SelectObject(dc, bgPen);
    Rectangle(dc, 0, 0, W, -H);
    SetBkMode(dc, TRANSPARENT);
    Handle pen = CreatePen(PS_INSIDEFRAME, penWidth, RGB(0, 0, 0));
    Handle brush = CreateSolidBrush(RGB(0, 0, 0));
    SelectObject(dc, pen);
    SelectObject(dc, brush);
    for (const Bar& b : bars) Rectangle(dc, b.left, 0, b.right, -H);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    for (Handle h : {bgBrush, bgPen, pen, brush}) DeleteObject(h);
    return CloseMetaFile(dc);
}

bool dark(const platform::RenderedImage& img, int x, int y) { return (img.at(x, y) & 0xFF) < 128; }

// Bars from a run-length pattern of modules starting with a bar.
std::vector<Bar> barsFromRuns(const std::vector<int>& runs, int module, int start) {
    std::vector<Bar> bars;
    int x = start;
    for (size_t i = 0; i < runs.size(); ++i) {
        if (i % 2 == 0) bars.push_back({x, x + runs[i] * module});
        x += runs[i] * module;
    }
    return bars;
}

}  // namespace

TEST(Renderer, ImageSizeIsTheExtentAtTheResolution) {
    struct Case {
        int W, H;
        double dpi;
        int px, py;
    } cases[] = {
        {2540, 1270, 254, 254, 127}, {2000, 1000, 72, 57, 28}, {2540, 2540, 300, 300, 300}, {1350, 1588, 96, 51, 60},
    };
    for (const Case& c : cases) {
        Handle hmf = barPicture(c.W, c.H, {});
        auto plain = renderToImage(GetMetaFileBits(hmf), c.dpi, c.dpi);
        ASSERT_TRUE(plain);
        EXPECT_EQ(plain->width, c.px) << c.W << " at " << c.dpi;
        EXPECT_EQ(plain->height, c.py) << c.H << " at " << c.dpi;
        // A placeable file's bounding box decides.
        auto placed = renderToImage(platform::addPlaceableHeader(GetMetaFileBits(hmf), int16_t(c.W), int16_t(c.H)),
                                    c.dpi, c.dpi);
        ASSERT_TRUE(placed);
        EXPECT_EQ(placed->width, c.px);
        EXPECT_EQ(placed->height, c.py);
        DeleteMetaFile(hmf);
    }
}

TEST(Renderer, BarEdgesFallOnWholePixels) {
    // Module 100 units: 10 px at 254 dpi, 5 px at 127 dpi, 20 px at 508 dpi.
    const std::vector<int> runs = {1, 1, 2, 1, 3, 2, 1, 3, 4, 1, 1};
    const std::vector<Bar> bars = barsFromRuns(runs, 100, 200);
    for (int penWidth : {1, 200}) {
        Handle hmf = barPicture(2540, 500, bars, penWidth);
        for (double dpi : {127.0, 254.0, 508.0}) {
            auto img = renderToImage(GetMetaFileBits(hmf), dpi, dpi);
            ASSERT_TRUE(img);
            const int pxPerModule = int(dpi / 25.4);
            std::vector<bool> expected(size_t(img->width), false);
            for (const Bar& b : bars)
                for (int x = b.left / 100 * pxPerModule; x < b.right / 100 * pxPerModule; ++x) expected[size_t(x)] = true;
            for (int y : {0, img->height / 2, img->height - 1})
                for (int x = 0; x < img->width; ++x)
                    ASSERT_EQ(dark(*img, x, y), expected[size_t(x)])
                        << "x " << x << " y " << y << " dpi " << dpi << " pen " << penWidth;
            // No grey: every pixel is pure black or white.
            for (uint32_t p : img->argb) ASSERT_TRUE((p & 0xFFFFFF) == 0 || (p & 0xFFFFFF) == 0xFFFFFF);
        }
        DeleteMetaFile(hmf);
    }
}

TEST(Renderer, PenStylesAndBrushesOfARectangle) {
    // 100 x 100 units at 254 dpi: 10 x 10 px; the rectangle covers px 2..7.
    struct Case {
        const char* name;
        int penStyle, penWidth;
        bool nullBrush;
        int darkCount;  // dark pixels on row 5, columns 0..9
    } cases[] = {
        {"inside frame, solid brush", PS_INSIDEFRAME, 1, false, 6},
        {"inside frame, null brush", PS_INSIDEFRAME, 10, true, 2},  // two 1-px sides
        {"null pen, solid brush", PS_NULL, 1, false, 6},
        {"wide solid pen grows outward", PS_SOLID, 30, false, 8},
        {"null pen, null brush", PS_NULL, 1, true, 0},
    };
    for (const Case& c : cases) {
        Handle dc = CreateMetaFile(nullptr);
        SetWindowExtEx(dc, 100, -100);
        Handle pen = CreatePen(c.penStyle, c.penWidth, RGB(0, 0, 0));
        SelectObject(dc, pen);
        SelectObject(dc, c.nullBrush ? GetStockObject(NULL_BRUSH) : GetStockObject(BLACK_BRUSH));
        Rectangle(dc, 20, -20, 80, -80);
        Handle hmf = CloseMetaFile(dc);
        DeleteObject(pen);
        auto img = renderToImage(GetMetaFileBits(hmf), 254, 254);
        ASSERT_TRUE(img);
        int count = 0;
        for (int x = 0; x < 10; ++x) count += dark(*img, x, 5);
        EXPECT_EQ(count, c.darkCount) << c.name;
        DeleteMetaFile(hmf);
    }
}

TEST(Renderer, TextIsPlacedByAlignmentAndEscapement) {
    struct Case {
        uint32_t align;
        int escapement;
        int x, y;  // reference point in units (picture 2540 x 2540)
        bool wide; // the text's dark box is wider than tall
    } cases[] = {
        {TA_CENTER | TA_TOP, 0, 1270, -1270, true},
        {TA_LEFT | TA_TOP, 0, 1270, -1270, true},
        {TA_RIGHT | TA_TOP, 0, 1270, -1270, true},
        {TA_LEFT | TA_TOP, 900, 1270, -1270, false},
    };
    for (const Case& c : cases) {
        Handle dc = CreateMetaFile(nullptr);
        SetWindowExtEx(dc, 2540, -2540);
        LogFont f;
        GetObject(GetStockObject(SYSTEM_FONT), f);
        f.height = 200;
        f.width = 0;
        f.weight = FW_NORMAL;
        f.escapement = f.orientation = c.escapement;
        std::strcpy(f.faceName, "Arial");
        Handle font = CreateFontIndirect(f);
        SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextAlign(dc, c.align);
        TextOut(dc, c.x, c.y, "HHHHHH");
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        DeleteObject(font);
        Handle hmf = CloseMetaFile(dc);
        auto img = renderToImage(GetMetaFileBits(hmf), 254, 254);
        DeleteMetaFile(hmf);
        ASSERT_TRUE(img);
        int x0 = img->width, x1 = -1, y0 = img->height, y1 = -1;
        for (int y = 0; y < img->height; ++y)
            for (int x = 0; x < img->width; ++x)
                if (dark(*img, x, y)) {
                    x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
                }
        ASSERT_GE(x1, 0) << "text drew nothing";
        EXPECT_EQ(x1 - x0 > y1 - y0, c.wide);
        const int rx = 127, ry = 127;  // the reference point in pixels
        if (c.escapement == 0) {
            EXPECT_GE(y0, ry) << "top alignment puts the text below the point";
            EXPECT_LT(y1 - ry, 20) << "the cell is 20 px high";
            if (c.align == TA_LEFT) {
                EXPECT_GE(x0, rx);
            } else if (c.align == TA_RIGHT) {
                EXPECT_LE(x1, rx);
            } else {
                EXPECT_LT(std::abs((x0 + x1) / 2 - rx), 3);
            }
        } else {
            // A quarter turn in the page's y-up axes: on the device the text
            // reads downward from the point and its top faces right, so the
            // glyphs hang to the left of the point.
            EXPECT_GE(y0, ry - 2);
            EXPECT_LE(x1, rx + 2);
        }
    }
}

// Text far beyond any label's (glyphs over 32,768 px) is left out: cairo
// loses (leaks) scaled fonts above 65,536 px, which the leak checker of the
// sanitizer run reports; nothing of such a glyph would fit a label anyway.
TEST(Renderer, TextTallerThanAnyLabelIsNotDrawn) {
    struct Case {
        int height, width;  // font cell and average width in 0.01 mm
        bool drawn;
    } cases[] = {{5, 0, true}, {30000, 0, false}, {5, 30000, false}, {-30000, 0, false}};
    for (const Case& c : cases) {
        Handle dc = CreateMetaFile(nullptr);
        SetWindowExtEx(dc, 50, -50);
        LogFont f;
        GetObject(GetStockObject(SYSTEM_FONT), f);
        f.height = c.height;
        f.width = c.width;
        std::strcpy(f.faceName, "Arial");
        Handle font = CreateFontIndirect(f);
        SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextAlign(dc, TA_LEFT | TA_TOP);
        TextOut(dc, 0, 0, "HH");
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        DeleteObject(font);
        Handle hmf = CloseMetaFile(dc);
        auto img = renderToImage(GetMetaFileBits(hmf), 10160, 10160);  // 4 px per unit
        DeleteMetaFile(hmf);
        ASSERT_TRUE(img);
        bool anyDark = false;
        for (int y = 0; y < img->height && !anyDark; ++y)
            for (int x = 0; x < img->width && !anyDark; ++x) anyDark = dark(*img, x, y);
        EXPECT_EQ(anyDark, c.drawn) << "height " << c.height << " width " << c.width;
    }
}

TEST(Renderer, CairoDeviceContextPlaysAtAnOrigin) {
    Handle hmf = barPicture(1000, 500, {{0, 100}, {300, 400}});
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 300, 100);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    Handle dc = CreateCairoDC(cr, 254, 254);
    ASSERT_NE(dc, 0);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 254);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 300);
    int level = SaveDC(dc);
    EXPECT_EQ(SetMapMode(dc, MM_ANISOTROPIC), MM_TEXT);
    SetViewportExtEx(dc, 100, 50);
    SetViewportOrgEx(dc, 50, 20);
    EXPECT_TRUE(PlayMetaFile(dc, hmf));
    Size ext;
    SetViewportExtEx(dc, 100, 50, &ext);
    EXPECT_EQ(ext.cx, 100) << "playing leaves the DC's state as it was";
    EXPECT_TRUE(RestoreDC(dc, level));
    EXPECT_EQ(SetMapMode(dc, MM_TEXT), MM_TEXT);
    cairo_surface_flush(surface);
    const uint8_t* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    auto px = [&](int x, int y) { return *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4) & 0xFF; };
    // Bars at 50..59 and 80..89 from row 20 to 69, white elsewhere.
    for (int x = 40; x < 160; ++x) {
        bool bar = (x >= 50 && x < 60) || (x >= 80 && x < 90);
        EXPECT_EQ(px(x, 40) < 128, bar) << x;
        EXPECT_GT(px(x, 19), 128u) << x;
        EXPECT_GT(px(x, 70), 128u) << x;
    }
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 0);
    Handle zero = CreateCairoDC(cr, 0, 0);
    EXPECT_EQ(GetDeviceCaps(zero, LOGPIXELSY), 0) << "a DC may report no resolution";
    DeleteDC(zero);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    DeleteMetaFile(hmf);
}

TEST(Renderer, DrawnCode39DecodesIndependently) {
    // Code 39 "*1A*": narrow 1, wide 3, one narrow gap between characters.
    const std::vector<std::vector<int>> chars = {
        {1, 3, 1, 1, 3, 1, 3, 1, 1},  // *
        {3, 1, 1, 3, 1, 1, 1, 1, 3},  // 1
        {3, 1, 1, 1, 1, 3, 1, 1, 3},  // A
        {1, 3, 1, 1, 3, 1, 3, 1, 1},  // *
    };
    std::vector<int> runs;
    for (size_t i = 0; i < chars.size(); ++i) {
        if (i) runs.push_back(1);
        runs.insert(runs.end(), chars[i].begin(), chars[i].end());
    }
    int modules = 0;
    for (int r : runs) modules += r;
    const int X = 50, quiet = 10 * X;
    Handle hmf = barPicture(modules * X + 2 * quiet, 1500, barsFromRuns(runs, X, quiet));
    auto grey = quillet::test::renderWmfBytes(GetMetaFileBits(hmf), 254);
    DeleteMetaFile(hmf);
    ASSERT_GT(grey.width, 0);
    auto d = quillet::test::decode(grey, "Code39");
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.text, "1A");
}

TEST(Renderer, RefusesWhatItCannotDraw) {
    Handle hmf = barPicture(32000, 32000, {});
    auto bits = GetMetaFileBits(hmf);
    DeleteMetaFile(hmf);
    EXPECT_FALSE(renderToImage(bits, 2540, 2540)) << "32000 x 32000 px is too large";
    EXPECT_FALSE(renderToImage(bits, 0, 300));
    EXPECT_FALSE(renderToImage({}, 300, 300));
    bits.pop_back();
    EXPECT_FALSE(renderToImage(bits, 72, 72));
    EXPECT_EQ(quillet::test::renderWmfFile("/nonexistent.wmf", 300).width, 0);
}

TEST(Renderer, HalfPixelEdgesRoundToEven) {
    // At 127 dpi one unit is 0.05 px: edges at 10, 30, 70 and 110 units fall
    // on 0.5, 1.5, 3.5 and 5.5 px and round to 0, 2, 4 and 6.
    Handle hmf = barPicture(2540, 200, {{10, 30}, {70, 110}});
    auto img = renderToImage(GetMetaFileBits(hmf), 127, 127);
    DeleteMetaFile(hmf);
    ASSERT_TRUE(img);
    const bool expected[] = {true, true, false, false, true, true, false};
    for (int x = 0; x < 7; ++x) EXPECT_EQ(dark(*img, x, 3), expected[x]) << x;
}

// A list of rectangles on a cairo DC paints what the same rectangles drawn
// one call each paint, plain or with fills joined.
TEST(Renderer, RectanglesPaintAsOneCallEach) {
    const std::vector<Box> boxes{{10, 10, 40, 30}, {40, 10, 60, 50}, {70, 5, 71, 90}, {0, 60, 100, 75}};
    auto paint = [&](bool batch, bool join) {
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 100, 100);
        cairo_t* cr = cairo_create(surface);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
        Handle dc = CreateCairoDC(cr, 254, 254, join);
        Handle brush = CreateSolidBrush(RGB(0, 0, 0));
        Handle pen = CreatePen(PS_INSIDEFRAME, 1, RGB(0, 0, 0));
        SelectObject(dc, brush);
        SelectObject(dc, pen);
        if (batch) {
            EXPECT_TRUE(Rectangles(dc, boxes));
        } else {
            for (const Box& b : boxes) EXPECT_TRUE(Rectangle(dc, b.left, b.top, b.right, b.bottom));
        }
        DeleteDC(dc);
        DeleteObject(brush);
        DeleteObject(pen);
        cairo_surface_flush(surface);
        const uint8_t* data = cairo_image_surface_get_data(surface);
        std::vector<uint8_t> pixels(data, data + cairo_image_surface_get_stride(surface) * 100);
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
        return pixels;
    };
    for (bool join : {false, true}) {
        std::vector<uint8_t> single = paint(false, join);
        EXPECT_EQ(paint(true, join), single) << join;
        size_t dark = 0;
        for (size_t i = 0; i < single.size(); i += 4) dark += single[i] < 128;
        EXPECT_GT(dark, 30u * 20u) << join;
    }
}

// An image is filled straight into its pixels; cairo filling the same
// pictures on a surface of its own must give the very same pixels: pens of
// every kind and width, colours, a white fill after something was drawn
// (the untouched-white shortcut must not skip it), text between fills, and
// rectangles reaching past every edge.
TEST(Renderer, DirectFillsPaintWhatCairoPaints) {
    struct Shape {
        int penStyle, penWidth;
        COLORREF pen, brush;
        bool nullBrush;
        struct { int left, top, right, bottom; } r;
        const char* text;  // drawn after the rectangle when set
        const char* before = nullptr;  // drawn before it, in front of a box when boxed
        bool boxed = false;
        COLORREF box = RGB(90, 90, 90);
    };
    const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255), red = RGB(200, 10, 30);
    const std::vector<std::vector<Shape>> pictures = {
        {{PS_INSIDEFRAME, 0, white, white, false, {0, 0, 300, -200}, nullptr},
         {PS_INSIDEFRAME, 1, black, black, false, {20, 0, 40, -150}, nullptr},
         {PS_INSIDEFRAME, 1, black, black, false, {60, 0, 67, -150}, "AB12"}},
        {{PS_SOLID, 12, red, black, false, {30, -30, 120, -120}, nullptr},
         {PS_INSIDEFRAME, 9, black, white, true, {150, -20, 280, -90}, nullptr},
         {PS_NULL, 1, black, red, false, {-50, 50, 40, -40}, nullptr}},
        {{PS_INSIDEFRAME, 1, black, black, false, {0, 0, 300, -200}, "X"},
         {PS_INSIDEFRAME, 1, white, white, false, {100, -50, 200, -150}, nullptr},
         {PS_SOLID, 0, black, black, false, {250, -180, 900, -900}, nullptr}},
        {{PS_INSIDEFRAME, 1, black, black, false, {280, 10, 310, -210}, nullptr},
         {PS_SOLID, 30, white, red, false, {5, -5, 6, -6}, nullptr}},
        // Outlines in the brush's own colour, centred and inside, wide and
        // thin, around empty and thin rectangles.
        {{PS_SOLID, 40, black, black, false, {30, -30, 150, -120}, nullptr},
         {PS_SOLID, 50, red, red, false, {200, -40, 200, -100}, nullptr},
         {PS_INSIDEFRAME, 30, black, black, false, {160, -130, 290, -190}, nullptr},
         {PS_SOLID, 10, black, black, false, {10, -150, 15, -190}, nullptr},
         {PS_SOLID, 0, black, black, false, {-30, 30, 10, -10}, nullptr}},
        // Fills held back from the blank image, overlapping in painter's
        // order across bands of different rows, white over black among them.
        {{PS_NULL, 1, black, black, false, {20, -20, 200, -150}, nullptr},
         {PS_NULL, 1, red, red, false, {100, -60, 250, -180}, nullptr},
         {PS_NULL, 1, white, white, false, {50, -40, 120, -100}, nullptr},
         {PS_INSIDEFRAME, 1, black, black, false, {10, -5, 290, -10}, nullptr},
         {PS_INSIDEFRAME, 1, red, red, false, {0, -190, 300, -200}, "Z"},
         {PS_INSIDEFRAME, 1, black, black, false, {280, 0, 290, -200}, nullptr}},
        // A picture that starts with a space, as every symbol's does: without
        // ink it leaves the white untouched, in front of a box it does not.
        {{PS_INSIDEFRAME, 1, white, white, false, {0, 0, 300, -200}, nullptr, " "},
         {PS_INSIDEFRAME, 1, black, black, false, {40, 0, 80, -200}, nullptr}},
        {{PS_INSIDEFRAME, 1, white, white, false, {0, 0, 300, -200}, nullptr, "  ", true},
         {PS_INSIDEFRAME, 1, black, black, false, {40, 0, 80, -200}, nullptr}},
        {{PS_INSIDEFRAME, 1, white, white, false, {0, 0, 300, -200}, nullptr, " ", true, white},
         {PS_INSIDEFRAME, 1, black, black, false, {40, 0, 80, -200}, nullptr}},
    };
    const int W = 300, H = 200, dpi = 254;  // 300 x 200 units: 30 x 20 px at 254 dpi, 1 px = 10 units
    for (size_t p = 0; p < pictures.size(); ++p) {
        Handle mdc = CreateMetaFile(nullptr);
        SetWindowExtEx(mdc, W, -H);
        std::vector<Handle> made;
        for (const Shape& s : pictures[p]) {
            Handle pen = CreatePen(s.penStyle, s.penWidth, s.pen);
            Handle brush = CreateSolidBrush(s.brush);
            made.insert(made.end(), {pen, brush});
            if (s.before) {
                SetBkMode(mdc, s.boxed ? OPAQUE : TRANSPARENT);
                SetBkColor(mdc, s.box);
                TextOut(mdc, 0, 0, s.before);
            }
            SelectObject(mdc, pen);
            SelectObject(mdc, s.nullBrush ? GetStockObject(NULL_BRUSH) : brush);
            Rectangle(mdc, s.r.left, s.r.top, s.r.right, s.r.bottom);
            if (s.text) TextOut(mdc, s.r.left, s.r.top, s.text);
        }
        Handle hmf = CloseMetaFile(mdc);
        for (Handle h : made) DeleteObject(h);

        auto direct = renderToImage(GetMetaFileBits(hmf), 10 * dpi, 10 * dpi);
        ASSERT_TRUE(direct);
        ASSERT_EQ(direct->width, 300);
        ASSERT_EQ(direct->height, 200);
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 300, 200);
        cairo_t* cr = cairo_create(surface);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
        Handle dc = CreateCairoDC(cr, 10 * dpi, 10 * dpi);
        SetMapMode(dc, MM_ANISOTROPIC);
        SetViewportExtEx(dc, 300, 200);
        SetWindowExtEx(dc, W, H);
        EXPECT_TRUE(PlayMetaFile(dc, hmf));
        DeleteDC(dc);
        cairo_surface_flush(surface);
        const uint8_t* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        size_t differ = 0, dark = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x) {
                uint32_t v;
                std::memcpy(&v, data + y * stride + x * 4, 4);
                differ += v != direct->at(x, y);
                dark += (v & 0xFF) < 128;
            }
        EXPECT_EQ(differ, 0u) << "picture " << p;
        EXPECT_GT(dark, 100u) << "picture " << p << " draws something";
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
        DeleteMetaFile(hmf);
    }
}
