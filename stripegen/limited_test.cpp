// GS1 DataBar Limited: every check value against an independent encoder,
// and the symbol's structure across the value range.
#include <gtest/gtest.h>

#include <set>

#include "stripegen/databar_symbols.h"
#include "stripegen/databar_tables.h"
#include "stripegen/oracle_data.h"
#include "stripegen/stripegen_test_util.h"

using namespace stripegen::test;

namespace {

// The check value read from a drawn pattern: both data characters' widths
// times the weights, modulo 89.
int drawnCheckValue(const Row& p) {
    int sum = 0;
    for (int i = 0; i < 14; ++i)
        sum += p[size_t(2 + i)] * stripegen::kLimitedWeights[i] + p[size_t(30 + i)] * stripegen::kLimitedWeights[14 + i];
    return sum % 89;
}

}  // namespace

// The expected widths were drawn by bwip-js and read back by zxing-wasm when
// they were written (stripegen/oracle/bwipjs_oracle.js).
TEST(DataBarLimited, EveryCheckValueMatchesTheIndependentEncoder) {
    std::vector<OracleLimited> symbols = oracleLimited();
    ASSERT_EQ(symbols.size(), 89u);
    std::set<int> checkValues;
    for (const OracleLimited& o : symbols) {
        SCOPED_TRACE(o.primary);
        Omni l = callLimited(o.primary);
        ASSERT_EQ(l.status, 0);
        EXPECT_EQ(l.pattern.widths(), o.widths);
        EXPECT_EQ(drawnCheckValue(l.pattern.widths()), o.checkValue);
        checkValues.insert(o.checkValue);
    }
    EXPECT_EQ(checkValues.size(), 89u);
}

TEST(DataBarLimited, StructureAcrossTheValueRange) {
    int checked = 0;
    for (uint64_t v = 0; v <= 1999999999999ull; v += 19999999999ull + 7) {
        std::string primary = std::to_string(v);
        SCOPED_TRACE(primary);
        for (const std::string& msg : {primary, primary + "|10A"}) {
            Omni l = callLimited(msg);
            ASSERT_EQ(l.status, 0);
            Row p = l.pattern.widths();
            ASSERT_EQ(p.size(), 46u);
            EXPECT_EQ(moduleCount(p), 74);
            EXPECT_EQ((Row{p[0], p[1], p[44], p[45]}), (Row{1, 1, 1, 1}));
            // The middle character is the table's check character of the drawn checksum.
            const uint8_t* check = stripegen::kLimitedCheckPatterns[drawnCheckValue(p)];
            EXPECT_EQ(Row(p.begin() + 16, p.begin() + 30), Row(check, check + 14));
        }
        ++checked;
    }
    EXPECT_GT(checked, 90);
    // The largest value is drawn; one more is left to the caller's range check.
    EXPECT_FALSE(callLimited("1999999999999").pattern.untouched());
    EXPECT_TRUE(callLimited("2000000000000").pattern.untouched());
}

// The linkage value moves the symbol to another value: linked and unlinked
// patterns of one primary differ, and the linked one equals the plain
// pattern of the primary plus 2015133531096.
TEST(DataBarLimited, CompositeLinkageAddsItsValue) {
    for (uint64_t v : {0ull, 123456789ull, 1999999999999ull}) {
        std::string primary = std::to_string(v);
        SCOPED_TRACE(primary);
        Row linked = callLimited(primary + "|10A").pattern.widths();
        EXPECT_NE(linked, callLimited(primary).pattern.widths());
        stripegen::Widths expected = stripegen::limitedPattern(stripegen::encodeLimited(v + 2015133531096ull));
        EXPECT_EQ(linked, Row(expected.begin(), expected.end()));
    }
}
