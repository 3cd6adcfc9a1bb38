// The exports' contract: statuses, padding, outputs written or left alone,
// separators and element counts.
#include <gtest/gtest.h>

#include "stripegen/databar_symbols.h"
#include "stripegen/databar_tables.h"
#include "stripegen/stripegen_test_util.h"

using namespace stripegen::test;

TEST(DataBarInterface, ShortPrimariesEqualTheirZeroPaddedForms) {
    const char* const cases[][2] = {{"", "0000000000000"},  {"7", "0000000000007"},
                                    {"123456789012", "0123456789012"}, {"42", "00000000042"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        EXPECT_EQ(callOmni(c[0]).pattern.widths(), callOmni(c[1]).pattern.widths());
        EXPECT_EQ(callStacked(c[0]).lower.widths(), callStacked(c[1]).lower.widths());
    }
}

TEST(DataBarInterface, OverlongPrimaryWritesNothing) {
    for (const char* msg : {"12345678901234", "12345678901234|ABC", "00000000000000"}) {
        SCOPED_TRACE(msg);
        Omni o = callOmni(msg);
        EXPECT_EQ(o.status, 15);
        EXPECT_TRUE(o.pattern.untouched());
        EXPECT_TRUE(o.separator.untouched());
        EXPECT_EQ(o.rowCount, -1);
        Stacked s = callStackedOmni(msg);
        EXPECT_EQ(s.status, 15);
        EXPECT_TRUE(s.upper.untouched());
        EXPECT_TRUE(s.middle.untouched());
        EXPECT_EQ(callStacked(msg).status, 15);
        Omni l = callLimited(msg);
        EXPECT_EQ(l.status, 15);
        EXPECT_TRUE(l.pattern.untouched());
    }
}

TEST(DataBarInterface, ElementCountsAndModuleWidths) {
    for (const char* msg : {"0", "9999999999999", "5012345678900"}) {
        SCOPED_TRACE(msg);
        Omni o = callOmni(msg);
        EXPECT_EQ(o.pattern.widths().size(), 46u);
        EXPECT_EQ(moduleCount(o.pattern.widths()), 96);
        EXPECT_EQ(moduleCount(o.separator.widths()), 96);
        Row p = o.pattern.widths();
        EXPECT_EQ((Row{p[0], p[1], p[44], p[45]}), (Row{1, 1, 1, 1}));
        for (auto s : {callStacked(msg), callStackedOmni(msg)}) {
            EXPECT_EQ(s.upper.widths().size(), 25u);
            EXPECT_EQ(s.lower.widths().size(), 25u);
            EXPECT_EQ(moduleCount(s.upper.widths()), 50);
            EXPECT_EQ(moduleCount(s.lower.widths()), 50);
            EXPECT_EQ(moduleCount(s.middle.widths()), 50);
            EXPECT_EQ(moduleCount(s.separator.widths()), 50);
        }
        Stacked so = callStackedOmni(msg);
        EXPECT_EQ(moduleCount(so.upperSep.widths()), 50);
        EXPECT_EQ(moduleCount(so.lowerSep.widths()), 50);
    }
}

TEST(DataBarInterface, StackedOmniMiddleSeparatorNeverChanges) {
    Row expected{5};
    expected.insert(expected.end(), 41, 1);
    expected.push_back(4);
    for (const char* msg : {"0", "1", "123456789012", "9999999999999", "2001234567890|A"}) {
        SCOPED_TRACE(msg);
        EXPECT_EQ(callStackedOmni(msg).middle.widths(), expected);
    }
}

// Modules of a row, light first unless `darkFirst`.
static std::vector<bool> modules(const Row& r, bool darkFirst = false) {
    std::vector<bool> m;
    bool dark = darkFirst;
    for (int w : r) {
        m.insert(m.end(), size_t(w), dark);
        dark = !dark;
    }
    return m;
}

TEST(DataBarInterface, SeparatorsFollowTheRowsTheyBorder) {
    for (const char* msg : {"0", "2001234567890", "9999999999999", "31415926"}) {
        SCOPED_TRACE(msg);
        Omni o = callOmni(msg);
        auto row = modules(o.pattern.widths()), sep = modules(o.separator.widths());
        ASSERT_EQ(row.size(), sep.size());
        for (size_t i = 0; i < sep.size(); ++i) {
            bool inFinder = (i >= 18 && i < 33) || (i >= 63 && i < 78);
            if (i < 4 || i >= 92) {
                EXPECT_FALSE(sep[i]) << i;
            } else if (!inFinder || row[i]) {
                EXPECT_EQ(sep[i], !row[i]) << i;
            } else if (!row[i - 1]) {
                EXPECT_NE(sep[i], sep[i - 1]) << i;  // alternates over a light run
            }
        }
        Stacked s = callStacked(msg);
        auto up = modules(s.upper.widths()), low = modules(s.lower.widths(), true),
             mid = modules(s.middle.widths());
        ASSERT_EQ(mid.size(), 50u);
        for (size_t i = 4; i < 46; ++i) {
            if (up[i] == low[i]) {
                EXPECT_EQ(mid[i], !up[i]) << i;
            } else {
                EXPECT_NE(mid[i], mid[i - 1]) << i;
            }
        }
        Stacked so = callStackedOmni(msg);
        auto lowSep = modules(so.lowerSep.widths());
        auto lowRow = modules(so.lower.widths(), true);
        for (size_t i = 4; i < 46; ++i)
            if (i < 17 || i >= 32 || lowRow[i]) {
                EXPECT_EQ(lowSep[i], !lowRow[i]) << i;
            }
        EXPECT_EQ(so.upperSep.widths(), so.separator.widths());
    }
}

TEST(DataBarInterface, NullPointersAreSkippedNotFollowed) {
    EXPECT_EQ(RSSPattern(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), 0);
    char* nullMessage = nullptr;
    EXPECT_EQ(RSS14SPattern(&nullMessage, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(RSS14SOPattern(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr),
              0);
    std::string msg = "123|AB";
    char* mp = msg.data();
    char* nothing = nullptr;
    EXPECT_NO_FATAL_FAILURE(RSSLimPattern(&mp, &nothing, nullptr, &nothing, nullptr, nullptr));
}

TEST(DataBarInterface, NonDigitPrimaryStopsTheValueWithoutHarm) {
    // The program validates digits first; here the value simply ends at the
    // first non-digit of the zero-padded primary.
    EXPECT_EQ(callOmni("12a45").pattern.widths(), callOmni("0000000012").pattern.widths());
    EXPECT_EQ(callOmni("\xff\x80").pattern.widths(), callOmni("0").pattern.widths());
}

TEST(DataBarInterface, LimitedAboveItsRangeLeavesOutputsAlone) {
    for (const char* msg : {"2000000000000", "9999999999999", "2000000000000|ABC"}) {
        SCOPED_TRACE(msg);
        Omni l = callLimited(msg);
        EXPECT_EQ(l.status, 0);
        EXPECT_TRUE(l.pattern.untouched());
        EXPECT_TRUE(l.separator.untouched());
        EXPECT_TRUE(l.rows.untouched());
        EXPECT_EQ(l.rowCount, -1);
    }
}
