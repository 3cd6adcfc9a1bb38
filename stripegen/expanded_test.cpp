// GS1 DataBar Expanded: the published tables' structure, whole symbols
// against an independent encoder (bwip-js), read back by zxing-cpp.
#include <gtest/gtest.h>

#include <set>

#include "stripegen/expanded_bits.h"
#include "stripegen/expanded_symbol.h"
#include "stripegen/expanded_tables.h"
#include "stripegen/oracle_data.h"
#include "stripegen/stripegen_test_util.h"

using namespace stripegen;
using namespace stripegen::test;

TEST(ExpandedOracle, SymbolsEqualTheIndependentEncoders) {
    std::vector<OracleExpanded> symbols = oracleExpanded();
    ASSERT_GT(symbols.size(), 60u);
    std::set<std::string> methods;
    std::set<int> counts;
    for (const OracleExpanded& o : symbols) {
        SCOPED_TRACE(o.message);
        ExpandedBits b = encodeExpandedBits(o.message, false);
        ASSERT_TRUE(b.ok);
        EXPECT_EQ(int(b.bits.size() / 12) + 1, o.symbolCharacters) << b.method;
        Widths w = expandedPattern(encodeExpanded(b.bits));
        EXPECT_EQ(Row(w.begin(), w.end()), o.widths) << b.method;
        methods.insert(b.method);
        counts.insert(o.symbolCharacters);
    }
    EXPECT_EQ(methods.size(), 14u);
    EXPECT_EQ(counts.size(), 19u);  // 4 to 22 symbol characters
}


// Every stored message, drawn by this library, read by zxing-cpp: the GS1
// data back with the DataBar Expanded symbology identifier. zxing-cpp 1.4
// reads no symbol holding (01) alone, the other encoder's no more than ours.
TEST(ExpandedDecode, EveryMethodAndLengthReadsBack) {
    int read = 0, unreadable = 0;
    for (const OracleExpanded& o : oracleExpanded()) {
        SCOPED_TRACE(o.message);
        ExpandedBits b = encodeExpandedBits(o.message, false);
        ASSERT_TRUE(b.ok);
        Widths w = expandedPattern(encodeExpanded(b.bits));
        auto d = quillet::test::decode(renderRows({Row(w.begin(), w.end())}, {34}, 3), "DataBarExpanded");
        if (!d.ok && o.message.size() == 16) {
            EXPECT_FALSE(quillet::test::decode(renderRows({o.widths}, {34}, 3), "DataBarExpanded").ok);
            ++unreadable;
            continue;
        }
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(d.text, humanReadable(o.message));
        EXPECT_EQ(d.symbologyId, "]e0");
        ++read;
    }
    EXPECT_GT(read, 60);
    EXPECT_LE(unreadable, 1);
}

TEST(ExpandedTables, WeightsFindersSequencesAndGroups) {
    int p = 1;
    for (int r = 0; r < 23; ++r)
        for (int j = 0; j < 8; ++j) {
            EXPECT_EQ(kExpandedWeights[r][j], p) << r << "," << j;  // 3^(8r + j) mod 211
            p = p * 3 % 211;
        }
    std::set<Row> forms;
    for (const auto& f : kExpandedFinders) {
        EXPECT_EQ(f[0] + f[1] + f[2] + f[3] + f[4], 15);
        forms.insert(Row(f, f + 5));
        forms.insert(Row{f[4], f[3], f[2], f[1], f[0]});
    }
    EXPECT_EQ(forms.size(), 12u);
    int nextN = 4;
    for (const FinderSequence& s : kExpandedSequences) {
        EXPECT_EQ(s.minN, nextN);
        EXPECT_EQ(s.count, (s.maxN + 1) / 2);
        for (int i = 0; i < s.count; ++i) EXPECT_EQ(s.forms[i] % 2, i % 2) << s.minN;  // X1 at even places
        EXPECT_EQ(s.forms[0], 0);
        nextN = s.maxN + 1;
    }
    EXPECT_EQ(nextN, 23);
    // Every value 0-4191 gives its own 17-module character within its group's rules.
    std::set<std::vector<int>> seen;
    int first = 0;
    for (const CharGroup& g : kExpandedGroups) {
        EXPECT_EQ(g.first, first);
        EXPECT_EQ(g.oddModules + g.evenModules, 17);
        first += g.tOdd * g.tEven;
    }
    EXPECT_EQ(first, 4192);
    for (int v = 0; v < 4192; ++v) {
        int w[8];
        groupCharacter(kExpandedGroups, 5, v, 4, true, false, w);
        int odd = w[0] + w[2] + w[4] + w[6], even = w[1] + w[3] + w[5] + w[7];
        ASSERT_EQ(odd + even, 17) << v;
        EXPECT_TRUE(w[0] == 1 || w[2] == 1 || w[4] == 1 || w[6] == 1) << v;  // a narrow odd element
        seen.insert(std::vector<int>(w, w + 8));
    }
    EXPECT_EQ(seen.size(), 4192u);
}

TEST(ExpandedBits, LinkageSizeLimitsAndRefusals) {
    // The linkage flag is the first bit; nothing else changes.
    ExpandedBits plain = encodeExpandedBits("10AB", false), linked = encodeExpandedBits("10AB", true);
    ASSERT_TRUE(plain.ok && linked.ok);
    EXPECT_EQ(plain.bits[0], '0');
    EXPECT_EQ(linked.bits[0], '1');
    EXPECT_EQ(plain.bits.substr(1, 10), linked.bits.substr(1, 10));
    // Three data characters at least, 21 at most.
    EXPECT_EQ(encodeExpandedBits("911", false).bits.size(), 36u);
    std::string digits = "91";
    while (encodeExpandedBits(digits + "1", false).ok) digits += "1";
    EXPECT_EQ(encodeExpandedBits(digits, false).bits.size(), 252u);
    EXPECT_EQ(digits.size(), 70u);  // 5 bits of header, 7 bits for every two digits
    for (const std::string& bad : {std::string("91a~"), std::string("91\t"), std::string(80, 'x')})
        EXPECT_FALSE(encodeExpandedBits(bad, false).ok) << bad;
    // The compressed methods stand back where their data does not fit them.
    EXPECT_EQ(encodeExpandedBits("01900123456789083103032768", false).method, "0111000");  // weight above 32767
    EXPECT_EQ(encodeExpandedBits("0100012345678905" "3103001750", false).method, "1");     // indicator digit 0
    EXPECT_EQ(encodeExpandedBits("01900123456789083102012345" "11991399", false).method, "1");  // month 13
    EXPECT_EQ(encodeExpandedBits("01900123456789083102123456", false).method, "1");  // weight above 99999
}
