// GS1 DataBar through Build/Copy and libstripegen.so.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "app/model/app_state.h"
#include "app/model/messages.h"
#include "app/render/build_copy.h"
#include "app/render/databar_host.h"
#include "tests/support/app_harness.h"
#include "tests/support/render_wmf.h"
#include "tests/support/wmf_inspect.h"

namespace quillet {
namespace {

struct DataBarHarness : test::AppHarness {
    int variant;
    explicit DataBarHarness(int v) : variant(v) {}
    bool build(const std::string& message, const std::string& composite = "") {
        app.settings.supplement = composite;
        return AppHarness::build(variant, message);
    }
};

TEST(DataBarText, FourteenDigitsWithCheckDigit) {
    EXPECT_EQ(dataBarHumanReadable("12345"), "00000000123457");
    EXPECT_EQ(dataBarHumanReadable("2001234567890"), "20012345678909");
    EXPECT_EQ(dataBarHumanReadable("0"), "00000000000000");
}

TEST(DataBarBuild, DecodesAsGs1DataBar) {
    for (std::string msg : {"0", "12345", "2001234567890", "9999999999999"}) {
        DataBarHarness h(20);
        h.app.settings.narrowWidth = 50;  // 5 pixels a module at 254 dpi
        ASSERT_TRUE(h.build(msg)) << h.lastMessage();
        auto img = test::renderWmfFile(h.app.scratchMetafilePath, 254).padded(40);
        auto d = test::decode(img, "DataBar");
        ASSERT_TRUE(d.ok) << msg;
        EXPECT_EQ(d.text, dataBarHumanReadable(msg)) << msg;
    }
}

TEST(DataBarBuild, StackedVariantsDecode) {
    for (int variant : {21, 22})
        for (std::string msg : {"12345", "2001234567890"}) {
            DataBarHarness h(variant);
            h.app.settings.narrowWidth = 50;
            ASSERT_TRUE(h.build(msg)) << h.lastMessage();
            auto img = test::renderWmfFile(h.app.scratchMetafilePath, 254).padded(40);
            auto d = test::decode(img, "DataBar");
            ASSERT_TRUE(d.ok) << variant << " " << msg;
            EXPECT_EQ(d.text, dataBarHumanReadable(msg));
        }
}

TEST(DataBarBuild, Errors) {
    struct Case { int variant; std::string message; std::string composite; int code; };
    for (const Case& c : {Case{20, "", "", -1}, Case{20, "12345678901234", "", 36}, Case{21, "12A", "", 36},
                          Case{23, "2000000000000", "", 38}, Case{23, "200000000000A", "", 36},
                          Case{20, "123", std::string(339, '1'), 37}, Case{22, "123", "\x01", 37}}) {
        DataBarHarness h(c.variant);
        EXPECT_FALSE(h.build(c.message, c.composite));
        EXPECT_EQ(h.lastMessage(), messageText(c.code)) << c.message;
    }
}

TEST(DataBarBuild, SizesByVariant) {
    struct Case { int variant; bool quiet; bool composite; int modules; int linearHeight; float heightCm = 2.54f; };
    const int X = 30;
    for (const Case& c : {Case{20, false, false, 96, 2540}, Case{20, true, false, 116, 2540},
                          Case{20, false, false, 96, 2062, 2.0625f},  // 2062.5 rounds to even
                          Case{20, false, false, 96, 2063, 2.0635f},
                          Case{21, false, false, 50, 13 * X}, Case{22, true, false, 70, 69 * X},
                          Case{21, false, false, 50, 13 * X, 9.0f}}) {
        DataBarHarness h(c.variant);
        h.app.settings.narrowWidth = X;
        h.app.settings.barHeight = c.heightCm;
        h.app.settings.quietZones = c.quiet;
        h.app.settings.includeText = false;
        ASSERT_TRUE(h.build("1234567", c.composite ? "10ABC123" : "")) << c.variant << " " << h.lastMessage();
        EXPECT_EQ(h.app.output.symbolWidth, c.modules * X) << c.variant;
        int H = c.linearHeight;
        auto m = test::parseMetafile(test::readFileBytes(h.app.scratchMetafilePath));
        if (!c.composite) EXPECT_EQ(h.app.output.symbolHeight, H) << c.variant;
        else EXPECT_GT(h.app.output.symbolHeight, H + X);  // composite rows and their separator
        EXPECT_EQ(m.placeable->right, h.app.output.symbolWidth);
        EXPECT_EQ(m.placeable->bottom, h.app.output.symbolHeight);
    }
}

TEST(DataBarBuild, TextCellsAcrossTheLinearBand) {
    // X 28: cell 192; X 29: cell 199, whose half centres land on half units (ties to even).
    struct Case { int X; bool quiet; int first; int second; int last; };
    for (const Case& c : {Case{28, true, 280 + 96, 280 + 288, 280 + 2592}, Case{28, false, 96, 288, 2592},
                          Case{29, true, 390, 588, 290 + 2686}, Case{29, false, 100, 298, 2686}}) {
        DataBarHarness h(20);
        h.app.settings.narrowWidth = float(c.X);
        h.app.settings.quietZones = c.quiet;
        ASSERT_TRUE(h.build("12345"));
        auto t = test::texts(test::parseMetafile(test::readFileBytes(h.app.scratchMetafilePath)));
        std::vector<test::DrawnText> digits;
        for (auto& x : t)
            if (x.text.size() == 1 && x.text != " ") digits.push_back(x);
        ASSERT_EQ(digits.size(), 14u);
        EXPECT_EQ(digits[0].x, c.first) << c.X << " " << c.quiet;
        EXPECT_EQ(digits[1].x, c.second) << c.X << " " << c.quiet;
        EXPECT_EQ(digits[13].x, c.last) << c.X << " " << c.quiet;
        EXPECT_EQ(digits[0].text, "0");
        EXPECT_EQ(digits[13].text, "7");
    }
}

// Element widths, light first from `left`, of the bars whose top edge is at
// `top` (the background, as wide as the picture, left out).
std::vector<int> drawnRow(const std::vector<test::DrawnRect>& rects, int top, int left, int X, int W) {
    std::vector<int> widths;
    int x = left;
    for (const test::DrawnRect& r : rects) {
        if (r.top != top || r.width() == W) continue;
        widths.push_back((r.left - x) / X);
        widths.push_back(r.width() / X);
        x = r.right;
    }
    return widths;
}

// Limited drawn as the independent encoder (bwip-js) draws it: the 46
// elements of one check value from the library's oracle data, and the
// offsets of the linear part under a CC-A (none) and a CC-B (10 modules).
TEST(DataBarBuild, LimitedDrawsTheIndependentEncodersElements) {
    const int X = 30;
    const std::vector<int> expected{1, 1, 1, 1, 2, 1, 2, 3, 1, 1, 1, 1, 5, 1, 5, 1, 1, 1, 1, 1, 1, 1, 1,
                                    1, 1, 1, 3, 3, 1, 1, 1, 2, 3, 2, 1, 2, 2, 1, 1, 3, 1, 3, 2, 2, 1, 1};
    DataBarHarness h(23);
    h.app.settings.narrowWidth = X;
    h.app.settings.includeText = false;
    ASSERT_TRUE(h.build("0044682888044")) << h.lastMessage();
    EXPECT_EQ(h.app.output.symbolWidth, 74 * X);
    auto rects = test::rectangles(test::parseMetafile(test::readFileBytes(h.app.scratchMetafilePath)));
    std::vector<int> drawn = drawnRow(rects, 0, 0, X, 74 * X);
    EXPECT_EQ(drawn, expected);

    struct Case { std::string composite; int modules; int offset; int rowsAtLeast; };
    for (const Case& c : {Case{"10ABC123", 74, 0, 4}, Case{"91" + std::string(60, 'x'), 84, 10, 6}}) {
        DataBarHarness hc(23);
        hc.app.settings.narrowWidth = X;
        hc.app.settings.includeText = false;
        hc.app.settings.barHeight = 2.54f;  // a linear part 2540 units high
        ASSERT_TRUE(hc.build("0044682888044", c.composite)) << hc.lastMessage();
        const int W = c.modules * X;
        EXPECT_EQ(hc.app.output.symbolWidth, W) << c.composite;
        int n = (hc.app.output.symbolHeight - 2540 - X) / (2 * X);
        EXPECT_GE(n, c.rowsAtLeast) << c.composite;
        auto r = test::rectangles(test::parseMetafile(test::readFileBytes(hc.app.scratchMetafilePath)));
        std::vector<int> linear = drawnRow(r, -(2 * X * n + X), c.offset * X, X, W);
        ASSERT_GE(linear.size(), 4u) << c.composite;
        // Linked: the light guard module at the offset, then the dark guard.
        EXPECT_EQ(linear[0], 1) << c.composite;
        EXPECT_EQ(linear[1], 1) << c.composite;
    }
}

}  // namespace
}  // namespace quillet
