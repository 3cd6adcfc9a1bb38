// Linear symbols drawn through Build/Copy: geometry read back from the
// scratch placeable metafile, and the rendered picture decoded by zxing-cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <unistd.h>
#include <cstdio>
#include <filesystem>

#include "app/encode/linear_job.h"
#include "app/model/app_state.h"
#include "app/model/messages.h"
#include "app/render/build_copy.h"
#include "app/render/builders.h"
#include "app/render/drawing_math.h"
#include "tests/support/app_harness.h"
#include "tests/support/render_wmf.h"
#include "tests/support/wmf_inspect.h"
#include "platform/wmf_format.h"

namespace quillet {
namespace {

struct Harness : test::AppHarness {
    std::string scratch = app.scratchMetafilePath;
    wmf::Metafile picture() { return test::parseMetafile(test::readFileBytes(scratch)); }
    std::vector<test::DrawnRect> bars() {
        auto r = test::rectangles(picture());
        if (!app.settings.transparent && !r.empty()) r.erase(r.begin());  // background
        return r;
    }
};

// --- Round trips --------------------------------------------------------------

struct Trip {
    std::string name;
    int symbology;
    std::string message;
    std::string format;
    std::string decoded;
    void (*options)(SymbolSettings&) = nullptr;
};

class LinearRoundTrip : public ::testing::TestWithParam<Trip> {};

TEST_P(LinearRoundTrip, ScratchMetafileDecodes) {
    const Trip& t = GetParam();
    Harness h;
    h.app.settings.narrowWidth = 50;  // 5 pixels a module at 254 dpi
    h.app.settings.ratio = 3.0f;
    if (t.options) t.options(h.app.settings);
    ASSERT_TRUE(h.build(t.symbology, t.message)) << h.lastMessage();
    auto img = test::renderWmfFile(h.scratch, 254).padded(60);
    ASSERT_GT(img.width, 0);
    auto d = test::decode(img, t.format);
    ASSERT_TRUE(d.ok) << t.name;
    EXPECT_EQ(d.bytes, t.decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Options, LinearRoundTrip,
    ::testing::Values(
        Trip{"code39", 1, "QUILLET 123", "Code39", "QUILLET 123"},
        Trip{"code39_check", 1, "HELLO", "Code39", "HELLOB", [](SymbolSettings& s) { s.optionalCheckDigit = true; }},
        Trip{"code39_full", 2, "Mixed case", "Code39", "M+I+X+E+D +C+A+S+E"},
        Trip{"code93", 12, "Code 93 Text", "Code93", "Code 93 Text"},
        Trip{"itf_bearers", 9, "0123456789", "ITF", "0123456789",
             [](SymbolSettings& s) { s.bearerBars = true; s.quietZones = true; }},
        Trip{"codabar", 11, "A123456B", "Codabar", "123456"},
        Trip{"text_above", 1, "ABOVE", "Code39", "ABOVE", [](SymbolSettings& s) { s.textAbove = true; }},
        Trip{"no_text_comment", 1, "COMMENT", "Code39", "COMMENT",
             [](SymbolSettings& s) { s.includeText = false; s.comment = "a comment"; s.commentAbove = false; }},
        Trip{"vertical90", 1, "VERT90", "Code39", "VERT90", [](SymbolSettings& s) { s.orientation = 1; }},
        Trip{"vertical270", 12, "VERT270", "Code93", "VERT270", [](SymbolSettings& s) { s.orientation = 2; }},
        Trip{"transparent_colours", 1, "COLOUR", "Code39", "COLOUR",
             [](SymbolSettings& s) { s.transparent = true; s.foreColour = 0x800000; }},
        Trip{"reduction", 9, "445566", "ITF", "445566", [](SymbolSettings& s) { s.barWidthAdjust = 2; }}),
    [](const auto& info) { return info.param.name; });

// --- Geometry -------------------------------------------------------------------

TEST(LinearGeometry, PictureExtentsAndPlaceableHeader) {
    Harness h;
    h.app.settings.narrowWidth = 33;
    h.app.settings.ratio = 2.5f;
    ASSERT_TRUE(h.build(1, "A"));
    // start, A, stop: 7 narrow + 3 wide each, the trailing gap removed.
    const int X = 33, WD = 82;  // round(2.5 * 33) = 82.5 -> 82 (ties to even)
    const int W = 3 * (7 * X + 3 * WD) - X;
    auto m = h.picture();
    ASSERT_TRUE(m.placeable.has_value());
    EXPECT_EQ(m.placeable->right, W);
    const int TH = 352;  // round(10 pt * 35.15)
    EXPECT_EQ(m.placeable->bottom, 2540 + TH);
    EXPECT_EQ(m.placeable->unitsPerInch, 2540);
    auto ext = test::windowExtent(m);
    EXPECT_EQ(ext.first, W);
    EXPECT_EQ(ext.second, -(2540 + TH));
    auto pict = h.clipboard.metafilePict();
    ASSERT_TRUE(pict.has_value());
    EXPECT_EQ(pict->mm, 8);
    EXPECT_EQ(pict->xExt, W);
    EXPECT_EQ(h.app.output.totalLength, "0.55 \"");  // 1398 / 2540
}

TEST(LinearGeometry, QuietZonesAndBearerMargins) {
    struct Case { bool bearers; int q; };
    for (Case c : {Case{false, 10}, Case{true, 13}}) {
        Harness h;
        h.app.settings.narrowWidth = 20;
        h.app.settings.quietZones = true;
        h.app.settings.bearerBars = c.bearers;
        ASSERT_TRUE(h.build(12, "Q"));
        auto bars = h.bars();
        ASSERT_FALSE(bars.empty());
        // The first bar of the pattern starts after q modules.
        int firstDataBar = INT32_MAX;
        for (auto& b : bars)
            if (b.top == 0 && b.bottom == -2540) firstDataBar = std::min(firstDataBar, b.left);
        if (c.bearers) {
            // Side bearers stand at 0 and W - 3X; the data starts at 13X.
            EXPECT_EQ(bars[bars.size() - 2].left, 0);
        }
        int firstPatternBar = INT32_MAX;
        for (auto& b : bars)
            if (b.width() != 3 * 20 || !c.bearers) firstPatternBar = std::min(firstPatternBar, b.left);
        EXPECT_EQ(firstPatternBar, c.bearers ? 0 : c.q * 20);
        EXPECT_EQ(h.app.output.symbolWidth % 20, 0);
        EXPECT_EQ(h.app.output.symbolWidth, (2 * c.q + 9 * 5 + 1) * 20);
    }
}

TEST(LinearGeometry, ReductionAndGainMoveTheRightEdge) {
    Harness plain, reduced, gained;
    for (Harness* h : {&plain, &reduced, &gained}) h->app.settings.narrowWidth = 33;
    reduced.app.settings.barWidthAdjust = 5;            // 25 %
    gained.app.settings.barWidthAdjust = 5 | kGainBit;  // 25 % gain
    ASSERT_TRUE(plain.build(1, "R"));
    ASSERT_TRUE(reduced.build(1, "R"));
    ASSERT_TRUE(gained.build(1, "R"));
    auto p = plain.bars(), r = reduced.bars(), g = gained.bars();
    ASSERT_EQ(p.size(), r.size());
    ASSERT_EQ(p.size(), g.size());
    for (size_t i = 0; i < p.size(); ++i) {
        EXPECT_EQ(r[i].left, p[i].left);
        EXPECT_EQ(r[i].right, p[i].right - 8);  // round(33 * 25 / 100)
        EXPECT_EQ(g[i].right, p[i].right + 8);
    }
}

TEST(LinearGeometry, AutomaticFontScaling) {
    Harness h;
    h.app.settings.autoFontScaling = true;
    h.app.settings.barHeight = 1.0f;  // H = 1000
    h.app.settings.narrowWidth = 30;
    ASSERT_TRUE(h.build(1, "FONT"));
    auto m = h.picture();
    auto heights = test::fontHeights(m);
    ASSERT_FALSE(heights.empty());
    EXPECT_EQ(heights[0], 166);
    EXPECT_EQ(m.placeable->bottom, 1000 + 166);
}

TEST(LinearGeometry, CommentHeightAndPlacement) {
    struct Case { std::string comment; bool above; int align; int expectX; };
    for (const Case& c : {Case{"", true, 0, -1}, Case{"top", true, 0, 0}, Case{"mid", false, 1, -2},
                          Case{"right", false, 2, -3}}) {
        Harness h;
        h.app.settings.narrowWidth = 30;
        h.app.settings.comment = c.comment;
        h.app.settings.commentAbove = c.above;
        h.app.settings.commentAlign = c.align;
        ASSERT_TRUE(h.build(1, "C"));
        auto m = h.picture();
        const int TH = 352, H = 2540;
        EXPECT_EQ(m.placeable->bottom, H + TH + (c.comment.empty() ? 0 : TH)) << c.comment;
        auto bars = h.bars();
        ASSERT_FALSE(bars.empty());
        EXPECT_EQ(bars[0].top, c.above && !c.comment.empty() ? -TH : 0);
        if (c.comment.empty()) continue;
        auto t = test::texts(m);
        auto it = std::find_if(t.begin(), t.end(), [&](auto& x) { return x.text == c.comment; });
        ASSERT_NE(it, t.end());
        const int W = h.app.output.symbolWidth;
        const int x = c.expectX == 0 ? 0 : c.expectX == -2 ? W / 2 : W;
        EXPECT_EQ(it->x, x);
        EXPECT_EQ(it->y, c.above ? 0 : -(H + TH));
    }
}

TEST(LinearGeometry, VerticalOrientationsSwapExtentsAndMapBars) {
    Harness h, v90, v270;
    for (Harness* x : {&h, &v90, &v270}) x->app.settings.narrowWidth = 30;
    v90.app.settings.orientation = 1;
    v270.app.settings.orientation = 2;
    ASSERT_TRUE(h.build(1, "V"));
    ASSERT_TRUE(v90.build(1, "V"));
    ASSERT_TRUE(v270.build(1, "V"));
    const int W = h.app.output.symbolWidth, T = h.app.output.symbolHeight;
    EXPECT_EQ(v90.picture().placeable->right, T);
    EXPECT_EQ(v90.picture().placeable->bottom, W);
    auto a = h.bars(), b = v90.bars(), c = v270.bars();
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        // (x, y) -> (T + y, -x) and (x, y) -> (-y, x - W)
        EXPECT_EQ(b[i], (test::DrawnRect{T + a[i].top, -a[i].left, T + a[i].bottom, -a[i].right}));
        EXPECT_EQ(c[i], (test::DrawnRect{-a[i].top, a[i].left - W, -a[i].bottom, a[i].right - W}));
    }
}

TEST(LinearGeometry, WidthLimitIs32764) {
    // Search Interleaved 2 of 5 messages, widths, ratios and quiet zones for
    // a symbol exactly 32764 units wide and one 32765 wide, counting the
    // pattern independently: start 4N, each pair 6N + 4W, stop W + 2N.
    auto widthOf = [](int pairs, int X, float ratio, bool quiet) {
        const int WD = int(std::nearbyint(double(ratio * float(X))));
        return (6 + 6 * pairs + (quiet ? 20 : 0)) * X + (4 * pairs + 1) * WD;
    };
    for (int target : {32764, 32765}) {
        bool found = false;
        for (int pairs = 1; pairs <= 50 && !found; ++pairs)
            for (int X = 19; X <= 1000 && !found; ++X)
                for (int r = 20; r <= 30 && !found; ++r)
                    for (bool quiet : {false, true}) {
                        if (found || widthOf(pairs, X, r / 10.0f, quiet) != target) continue;
                        found = true;
                        Harness h;
                        h.app.settings.narrowWidth = float(X);
                        h.app.settings.ratio = r / 10.0f;
                        h.app.settings.quietZones = quiet;
                        bool built = h.build(9, std::string(size_t(2 * pairs), '1'));
                        EXPECT_EQ(built, target == 32764) << pairs << " " << X << " " << r;
                        if (target == 32764) {
                            EXPECT_EQ(h.app.output.symbolWidth, 32764);
                        }
                        if (target == 32765) {
                            EXPECT_EQ(h.lastMessage(),
                                      "Cannot Create Bar Code!  Total Width exceeds system limit.\r"
                                      "Try reducing the Narrow Bar Width or the length of the Bar Code Text.");
                        }
                    }
        EXPECT_TRUE(found) << target;
    }
}

TEST(LinearGeometry, FimPatterns) {
    const char* kFim[] = {"10100000100000101", "10001010001010001", "10100010001000101"};
    for (int i = 1; i <= 3; ++i) {
        Harness h;
        BuildFimPattern(h.app, i);
        auto m = h.picture();
        EXPECT_EQ(m.placeable->right, 1350);
        EXPECT_EQ(m.placeable->bottom, 1588);
        std::vector<test::DrawnRect> expected;
        for (int k = 0; k < 17; ++k)
            if (kFim[i - 1][k] == '1') expected.push_back({k * 80, 0, k * 80 + 80, -1588});
        EXPECT_EQ(h.bars(), expected);
        EXPECT_FALSE(h.app.settings.symbolBuilt);
    }
}

TEST(LinearErrors, ChecksBeforeEncoding) {
    struct Case { std::string message; float width; float height; int code; };
    for (const Case& c : {Case{std::string(101, 'A'), 33, 2.54f, 19}, Case{"A", 33, 0, 18}, Case{"A", 0, 2.54f, 17},
                          Case{"A", 0.4f, 2.54f, 17}, Case{"A", 33, -1e30f, 18}, Case{"A", -1e30f, 2.54f, 17},
                          Case{"A", NAN, 2.54f, 17}}) {
        Harness h;
        h.app.settings.narrowWidth = c.width;
        h.app.settings.barHeight = c.height;
        h.app.settings.messageWarnings = true;
        h.ui.answer = [](const std::string&, platform::Buttons) { return platform::Answer::Ok; };
        EXPECT_FALSE(h.build(1, c.message));
        EXPECT_EQ(h.lastMessage(), messageText(c.code));
        EXPECT_FALSE(h.clipboard.metafilePict().has_value());
    }
    Harness h;
    EXPECT_FALSE(h.build(1, ""));
    EXPECT_EQ(h.lastMessage(), "Missing or invalid bar code message!  Please re-enter bar code text.");
}

TEST(LinearErrors, WarningsOffClearTheClipboardSilently) {
    Harness h;
    ASSERT_TRUE(h.build(1, "GOOD"));
    ASSERT_TRUE(h.clipboard.metafilePict().has_value());
    h.app.settings.messageWarnings = false;
    EXPECT_FALSE(h.build(9, "12A"));
    EXPECT_TRUE(h.ui.messages.empty());
    EXPECT_FALSE(h.clipboard.metafilePict().has_value());
    EXPECT_GE(h.ui.beeps, 1);
}

TEST(DimensionWarnings, NamesAndCancel) {
    struct Case { int symbology; float narrow; int dpi; std::string title; std::string name; };
    for (const Case& c : {Case{1, 18.9f, 300, "Invalid Dimension Warning", "Narrow Bar Width"},
                          Case{6, 26.0f, 300, "Invalid Dimension Warning", "Narrow Bar Width"},
                          Case{1, 19.0f, 300, "Printer Resolution Warning", "Narrow Bar Width"}}) {
        Harness h;
        h.app.settings.printerWarnings = true;
        h.app.settings.narrowWidth = c.narrow;
        h.app.settings.printerDpiX = h.app.settings.printerDpiY = c.dpi;
        updateEffectiveDpi(h.app.settings);
        h.ui.answer = [](const std::string&, platform::Buttons) { return platform::Answer::Cancel; };
        EXPECT_FALSE(h.build(c.symbology, "1234567"));
        ASSERT_FALSE(h.ui.messages.empty());
        EXPECT_EQ(h.ui.messages[0].title, c.title);
        EXPECT_NE(h.ui.messages[0].text.find("The Specified " + c.name + " is less than"), std::string::npos);
        EXPECT_EQ(h.ui.messages[0].icon, platform::Icon::Exclamation);
    }
    // At 600 dpi 19 units are 4.49 dots: no warning.
    Harness h;
    h.app.settings.printerWarnings = true;
    h.app.settings.narrowWidth = 19.0f;
    h.app.settings.printerDpiX = h.app.settings.printerDpiY = 600;
    updateEffectiveDpi(h.app.settings);
    EXPECT_TRUE(h.build(1, "OK"));
    EXPECT_TRUE(h.ui.messages.empty());
}

TEST(BuildCopy, PasteHintOnceForTheWindowNeverForAutomation) {
    Harness h;
    h.app.pasteHintShown = false;
    ASSERT_TRUE(h.build(1, "HINT"));
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0].title, "Important information about your bar code.");
    ASSERT_TRUE(h.build(1, "AGAIN"));
    EXPECT_EQ(h.ui.messages.size(), 1u);

    Harness quiet;  // the user ticked "Do not show this message again."
    quiet.app.pasteHintShown = false;
    quiet.app.showPasteHint = false;
    ASSERT_TRUE(quiet.build(1, "HINT"));
    EXPECT_TRUE(quiet.ui.messages.empty());
}

TEST(BuildCopyDimensions, ClampedIntegers) {
    EXPECT_EQ(narrowWidthUnits(33.02f), 33);
    EXPECT_EQ(narrowWidthUnits(999.6f), 1000);
    EXPECT_EQ(narrowWidthUnits(5000.0f), 1000);
    EXPECT_EQ(narrowWidthUnits(32.5f), 32);  // ties to even
    EXPECT_EQ(barHeightUnits(2.54f), 2540);
    EXPECT_EQ(barHeightUnits(25.0f), 20000);
}

}  // namespace
}  // namespace quillet

namespace quillet {
namespace {

INSTANTIATE_TEST_SUITE_P(
    UpcEanCode128Postal, LinearRoundTrip,
    ::testing::Values(
        Trip{"upca", 3, "01234567890", "UPCA", "012345678905"},
        Trip{"upca_addon5", 3, "01234567890", "UPCA", "012345678905 52495",
             [](SymbolSettings& s) { s.supplement = "52495"; s.quietZones = true; }},
        Trip{"ean13_addon2", 7, "400638133393", "EAN13", "4006381333931 12",
             [](SymbolSettings& s) { s.supplement = "12"; s.quietZones = true; }},
        Trip{"ean8", 6, "9638507", "EAN8", "96385074"},
        Trip{"upce", 4, "123456", "UPCE", "01234565"},
        Trip{"ean13_text_above", 7, "590123412345", "EAN13", "5901234123457", [](SymbolSettings& s) { s.textAbove = true; }},
        Trip{"code128", 13, "Code 128 test", "Code128", "Code 128 test"},
        Trip{"code128_digits", 13, "1234567890", "Code128", "1234567890"},
        Trip{"gs1_128", 14, "0112345678901231", "Code128", "0112345678901231"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quillet

namespace quillet {
namespace {

// Code 39 "AB", X = 20, ratio 2.5 (WD = 50), quiet zones with bearer bars
// (13 modules), text above and a comment above: worked out by hand.
//   pattern: 4 characters of 7 narrow + 3 wide elements, the last gap
//   dropped: 27 narrow, 12 wide; W = (26 + 27) * 20 + 12 * 50 = 1660.
//   TH = CH = A = 352, H = 2540, T = 3244; bars from -704 to -3244.
//   First bar (narrow) at 13 * 20 = 260; last bar (narrow) ends at 1660 - 260.
TEST(LinearGeometry, FirstAndLastBarsInEveryOrientation) {
    struct Case { int orientation; int step; bool gain; };
    for (Case c : {Case{0, 0, false}, Case{1, 0, false}, Case{2, 0, false}, Case{0, 2, false}, Case{1, 2, true},
                   Case{2, 2, false}}) {
        Harness h;
        SymbolSettings& s = h.app.settings;
        s.narrowWidth = 20;
        s.ratio = 2.5f;
        s.quietZones = s.bearerBars = s.textAbove = true;
        s.comment = "note";
        s.orientation = c.orientation;
        s.barWidthAdjust = c.step | (c.gain ? kGainBit : 0);
        ASSERT_TRUE(h.build(1, "AB"));
        const int W = 1660, T = 3244, r = c.step ? (c.gain ? 2 : -2) : 0;
        test::DrawnRect first{260, -704, 280 + r, -3244}, last{1380, -704, 1400 + r, -3244};
        auto map = [&](test::DrawnRect x) -> test::DrawnRect {
            if (c.orientation == 1) return {T + x.top, -x.left, T + x.bottom, -x.right};
            if (c.orientation == 2) return {-x.top, x.left - W, -x.bottom, x.right - W};
            return x;
        };
        auto m = h.picture();
        EXPECT_EQ(m.placeable->right, c.orientation ? T : W);
        EXPECT_EQ(m.placeable->bottom, c.orientation ? W : T);
        auto rects = test::rectangles(m);
        ASSERT_GE(rects.size(), 6u);
        EXPECT_EQ(rects[1], map(first)) << c.orientation << " " << c.step;
        EXPECT_EQ(rects[rects.size() - 5], map(last)) << c.orientation << " " << c.step;
        // Bearers: top, bottom and the two sides closing the box, 3X thick.
        EXPECT_EQ(rects[rects.size() - 4], map({0, -704, W, -764}));
        EXPECT_EQ(rects[rects.size() - 3], map({0, -3184, W, -3244}));
        EXPECT_EQ(rects[rects.size() - 2], map({0, -704, 60, -3244}));
        EXPECT_EQ(rects[rects.size() - 1], map({W - 60, -704, W, -3244}));
    }
}

}  // namespace
}  // namespace quillet

namespace quillet {
namespace {

TEST(UpcEanGeometry, GuardAndEndDigitBarsAreFullHeight) {
    Harness h;
    h.app.settings.narrowWidth = 26;
    ASSERT_TRUE(h.build(3, "01234567890"));
    auto bars = h.bars();
    ASSERT_EQ(bars.size(), 30u);  // 3 guards of 2 bars + 12 digits of 2 bars
    const int H = 2540, shortH = 2362;  // round(0.93 * 2540)
    for (size_t i = 0; i < bars.size(); ++i) {
        // Full: start guard + first digit, centre guard, last digit + end guard.
        bool full = i < 4 || i == 14 || i == 15 || i >= 26;
        EXPECT_EQ(bars[i].top, 0) << i;
        EXPECT_EQ(bars[i].bottom, full ? -H : -shortH) << i;
    }
    // The first and last digits use the 80 % font, 0.2 TH lower.
    auto m = h.picture();
    auto heights = test::fontHeights(m);
    ASSERT_GE(heights.size(), 2u);
    EXPECT_EQ(heights[0], 352);
    EXPECT_EQ(heights[1], 282);  // round(0.8 * 352)
    auto t = test::texts(m);
    auto digit = [&](char c) {
        for (auto& x : t)
            if (x.text == std::string(1, c)) return x;
        return test::DrawnText{0, 0, "", -1};
    };
    const int D = 127;  // round(0.05 * H)
    EXPECT_EQ(digit('1').y, D - H);
    EXPECT_EQ(digit('0').y, D - H - 70);  // round(0.2 * 352)
}

TEST(UpcEanGeometry, AddOnBarsStandUnderTheirDigits) {
    Harness h;
    h.app.settings.narrowWidth = 26;
    h.app.settings.supplement = "12";
    ASSERT_TRUE(h.build(3, "01234567890"));
    auto bars = h.bars();
    ASSERT_EQ(bars.size(), 30u + 7u);  // add-on: start 2, digit 2, separator 1, digit 2
    const int TH = 352;
    int left = bars[30].left, right = bars.back().right;
    for (size_t i = 30; i < bars.size(); ++i) {
        EXPECT_EQ(bars[i].top, -TH) << i;
        EXPECT_EQ(bars[i].bottom, -2362) << i;
    }
    auto t = test::texts(h.picture());
    int addOnDigits = 0;
    for (auto& x : t)
        if (x.y == 0 && x.text.size() == 1 && x.x > left && x.x < right) ++addOnDigits;
    EXPECT_EQ(addOnDigits, 2);
    // Bar-to-bar width display: W - 18X without quiet zones.
    EXPECT_EQ(h.app.output.checkValue, formatLength(h.app.output.symbolWidth - 18 * 26, false));
}

TEST(PostalGeometry, FixedPitchAndHeights) {
    {
        Harness h;
        h.app.settings.narrowWidth = 80;  // ignored by POSTNET
        ASSERT_TRUE(h.build(24, "12345"));
        auto bars = h.bars();
        ASSERT_EQ(bars.size(), 32u);  // frame, 5 digits, check digit, frame
        EXPECT_EQ(h.app.output.symbolWidth, 32 * 120);
        // Digit 1 is 00011 in the 7-4-2-1-0 weights: three half bars, two full.
        const bool full[] = {true, false, false, false, true, true};
        for (size_t i = 0; i < bars.size(); ++i) {
            EXPECT_EQ(bars[i].left, int(i) * 120);
            EXPECT_EQ(bars[i].width(), 50);
            EXPECT_EQ(bars[i].bottom, -317);
            if (i < 6) {
                EXPECT_EQ(bars[i].top, full[i] ? 0 : -190) << i;
            }
        }
        auto m = h.picture();
        EXPECT_EQ(m.placeable->bottom, 317);  // no text, no comment
    }
    {
        Harness h;
        ASSERT_TRUE(h.build(25, "BX11LT1A"));
        auto bars = h.bars();
        ASSERT_FALSE(bars.empty());
        EXPECT_EQ(h.picture().placeable->bottom, 507);
        for (size_t i = 0; i < bars.size(); ++i) {
            EXPECT_EQ(bars[i].width(), 50);
            EXPECT_EQ(bars[i].left % 120, 0);
            std::pair<int, int> tb{bars[i].top, bars[i].bottom};
            bool known = tb == std::pair{-190, -327} || tb == std::pair{0, -317} || tb == std::pair{-190, -507} ||
                         tb == std::pair{0, -507};
            EXPECT_TRUE(known) << i;
        }
    }
}

}  // namespace
}  // namespace quillet

namespace quillet {
namespace {

// The metafile records of a symbol as readable steps: objects are named by
// kind, colour (pens with their width) or height, and followed through the
// slots the metafile gives them (the lowest free slot at each creation).
std::vector<std::string> drawingSteps(const wmf::Metafile& m) {
    std::vector<std::string> steps, slots;
    auto hex = [](uint32_t c) {
        char b[8];
        std::snprintf(b, sizeof b, "%06x", unsigned(c & 0xFFFFFF));
        return std::string(b);
    };
    auto create = [&](std::string name) {
        auto free = std::find(slots.begin(), slots.end(), "");
        if (free == slots.end()) slots.push_back(name); else *free = name;
        steps.push_back(name);
    };
    for (const wmf::Record& r : m.records) {
        switch (r.function) {
        case wmf::META_SETWINDOWORG: steps.push_back("org"); break;
        case wmf::META_SETWINDOWEXT: steps.push_back("ext"); break;
        case wmf::META_TEXTOUT: steps.push_back("text"); break;
        case wmf::META_RECTANGLE: if (steps.empty() || steps.back() != "rect") steps.push_back("rect"); break;
        case wmf::META_SETBKMODE: steps.push_back("bkmode"); break;
        case wmf::META_SETBKCOLOR: steps.push_back("bkcolor"); break;
        case wmf::META_SETTEXTCOLOR: steps.push_back("textcolor"); break;
        case wmf::META_SETTEXTALIGN: steps.push_back("align"); break;
        case wmf::META_CREATEPENINDIRECT: create("pen " + hex(r.u32(3)) + "/" + std::to_string(r.s(1))); break;
        case wmf::META_CREATEBRUSHINDIRECT: create("brush " + hex(r.u32(1))); break;
        case wmf::META_CREATEFONTINDIRECT: create("font " + std::to_string(r.s(0))); break;
        case wmf::META_SELECTOBJECT: steps.push_back("select " + slots.at(r.params[0])); break;
        case wmf::META_DELETEOBJECT:
            steps.push_back("delete " + slots.at(r.params[0]));
            slots.at(r.params[0]).clear();
            break;
        default: steps.push_back("other"); break;
        }
    }
    return steps;
}

TEST(LinearGeometry, SetUpAndFinishRecordOrder) {
    Harness h;
    h.app.settings.narrowWidth = 26;
    h.app.settings.foreColour = 0x123456;
    h.app.settings.backColour = 0xabcdef;
    ASSERT_TRUE(h.build(3, "01234567890"));  // UPC-A: both fonts are used
    auto steps = drawingSteps(h.picture());
    const std::vector<std::string> setUp{
        "org", "ext", "text", "brush abcdef", "select brush abcdef", "pen abcdef/0", "select pen abcdef/0", "rect",
        "bkmode", "bkcolor", "pen 123456/1", "select pen 123456/1", "brush 123456", "select brush 123456", "rect",
        "textcolor", "font 352", "select font 352", "align"};
    ASSERT_GE(steps.size(), setUp.size() + 12);
    EXPECT_EQ(std::vector<std::string>(steps.begin(), steps.begin() + long(setUp.size())), setUp);
    // Finish: stock font, pen and brush selected, then the bar pen and brush,
    // the two fonts and the background objects deleted, in that order.
    const std::vector<std::string> finish{"delete pen 123456/1", "delete brush 123456", "delete font 352",
                                          "delete font 282", "delete pen abcdef/0", "delete brush abcdef"};
    EXPECT_EQ(std::vector<std::string>(steps.end() - 6, steps.end()), finish);
    const std::vector<std::string> stock(steps.end() - 12, steps.end() - 6);
    EXPECT_EQ(stock[0].substr(0, 5), "font ");
    EXPECT_EQ(stock[1], "select " + stock[0]);
    EXPECT_EQ(stock[2].substr(0, 4), "pen ");
    EXPECT_EQ(stock[3], "select " + stock[2]);
    EXPECT_EQ(stock[4].substr(0, 6), "brush ");
    EXPECT_EQ(stock[5], "select " + stock[4]);
}

// Code 39 "AB", X = 31, ratio 3 (WD = 93): 27 narrow and 12 wide elements,
// W = 1953. The text band is split into two cells of 976.5; each character
// stands at its cell's left edge + round(976.5 / 2) = 488, rounded to
// 488 and 1464 (1464.5 ties to even).
TEST(LinearGeometry, MainTextCellCentres) {
    Harness h;
    h.app.settings.narrowWidth = 31;
    h.app.settings.ratio = 3.0f;
    ASSERT_TRUE(h.build(1, "AB"));
    ASSERT_EQ(h.app.output.symbolWidth, 1953);
    std::vector<std::pair<std::string, int>> placed;
    for (auto& t : test::texts(h.picture()))
        if (t.y == -2540) placed.push_back({t.text, t.x});
    EXPECT_EQ(placed, (std::vector<std::pair<std::string, int>>{{"A", 488}, {"B", 1464}}));
}

// The total width and bar-to-bar displays use "#0.00", halves rounded up.
TEST(LinearGeometry, LengthDisplays) {
    struct Case { int units; bool metric; const char* text; };
    for (Case c : {Case{1398, false, "0.55 \""}, Case{1125, true, "1.13 cm"}, Case{125, true, "0.13 cm"},
                   Case{32764, true, "32.76 cm"}, Case{0, false, "0.00 \""}})
        EXPECT_EQ(formatLength(c.units, c.metric), c.text) << c.units;
}

}  // namespace
}  // namespace quillet
