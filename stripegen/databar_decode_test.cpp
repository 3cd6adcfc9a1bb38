// GS1 DataBar and DataBar Stacked (Omnidirectional) symbols read back by the
// independent reader.
#include <gtest/gtest.h>

#include <algorithm>

#include "stripegen/databar_symbols.h"
#include "stripegen/stripegen_test_util.h"

using namespace stripegen::test;

namespace {

const char* const kPrimaries[] = {"0", "1", "12", "123", "1234", "12345", "123456", "1234567", "12345678",
                                  "123456789", "1234567890", "12345678901", "123456789012",
                                  "2001234567890", "0952123454321", "9999999999999", "5000000000000"};

std::string expectedText(const std::string& primary) {
    std::string d = padded13(primary);
    return d + gs1CheckDigit(d);
}

}  // namespace

TEST(DataBarDecode, OmnidirectionalReadsBackEveryLength) {
    for (const char* primary : kPrimaries) {
        SCOPED_TRACE(primary);
        Omni o = callOmni(primary);
        ASSERT_EQ(o.status, 0);
        Row p = o.pattern.widths();
        ASSERT_EQ(p.size(), 46u);
        EXPECT_EQ(moduleCount(p), 96);
        auto d = quillet::test::decode(renderRows({p}, {33}), "DataBar");
        ASSERT_TRUE(d.ok);
        EXPECT_NE(d.text.find(expectedText(primary)), std::string::npos) << d.text;
    }
}

// Values whose four characters fall in every outer and inner group, plus
// values reaching every checksum (and so every finder pair).
TEST(DataBarDecode, EveryGroupAndEveryFinderPairReadsBack) {
    std::vector<uint64_t> values;
    const int outerFirst[] = {0, 160, 161, 960, 961, 2014, 2015, 2714, 2715, 2840};
    const int innerFirst[] = {0, 335, 336, 1035, 1036, 1515, 1516, 1596};
    for (int o : outerFirst)
        for (int in : innerFirst) {
            uint64_t half = uint64_t(o) * 1597 + uint64_t(in);
            uint64_t v = half * 4537077 + (uint64_t(2840 - o) * 1597 + uint64_t(1596 - in));
            if (v <= 9999999999999ull) values.push_back(v);
        }
    bool seen[79] = {};
    int found = 0;
    for (uint64_t v = 0; found < 79 && v < 200000; v += 7) {
        auto s = stripegen::encodeRss14(v);
        if (!seen[s.checksum]) {
            seen[s.checksum] = true;
            ++found;
            values.push_back(v);
        }
    }
    ASSERT_EQ(found, 79);
    int pairsSeen = 0;
    bool pairSeen[9][9] = {};
    for (uint64_t v : values) {
        std::string primary = std::to_string(v);
        SCOPED_TRACE(primary);
        Omni o = callOmni(primary);
        ASSERT_EQ(o.status, 0);
        auto d = quillet::test::decode(renderRows({o.pattern.widths()}, {33}), "DataBar");
        ASSERT_TRUE(d.ok);
        EXPECT_NE(d.text.find(expectedText(primary)), std::string::npos) << d.text;
        auto s = stripegen::encodeRss14(v);
        if (!pairSeen[s.leftFinder][s.rightFinder]) ++pairsSeen;
        pairSeen[s.leftFinder][s.rightFinder] = true;
    }
    EXPECT_EQ(pairsSeen, 79);
    EXPECT_FALSE(pairSeen[0][8]);
    EXPECT_FALSE(pairSeen[8][0]);
}

// The lower row begins with its dark guard bar: it is drawn dark first.
Row darkFirst(const Row& r) {
    Row out{0};
    out.insert(out.end(), r.begin(), r.end());
    return out;
}

TEST(DataBarDecode, StackedVariantsReadBackWithTheirLowerRowDarkFirst) {
    for (const char* primary : kPrimaries) {
        SCOPED_TRACE(primary);
        Stacked s = callStacked(primary);
        ASSERT_EQ(s.status, 0);
        auto img = renderRows({s.upper.widths(), s.middle.widths(), darkFirst(s.lower.widths())}, {5, 1, 7}, 4);
        auto d = quillet::test::decode(img, "DataBar");
        ASSERT_TRUE(d.ok);
        EXPECT_NE(d.text.find(expectedText(primary)), std::string::npos) << d.text;

        Stacked so = callStackedOmni(primary);
        ASSERT_EQ(so.status, 0);
        auto img2 = renderRows({so.upper.widths(), so.upperSep.widths(), so.middle.widths(), so.lowerSep.widths(),
                                darkFirst(so.lower.widths())},
                               {33, 1, 1, 1, 33}, 3);
        auto d2 = quillet::test::decode(img2, "DataBar");
        ASSERT_TRUE(d2.ok);
        EXPECT_NE(d2.text.find(expectedText(primary)), std::string::npos) << d2.text;
    }
}

// Drawn light first, the lower row's colours are inverted and the reader
// finds no right half: the row must begin with its dark guard bar.
TEST(DataBarDecode, StackedLowerRowDrawnLightFirstIsUnreadable) {
    for (const char* primary : {"1", "123456789012", "2001234567890", "9999999999999"}) {
        SCOPED_TRACE(primary);
        Stacked so = callStackedOmni(primary);
        auto img = renderRows({so.upper.widths(), so.upperSep.widths(), so.middle.widths(), so.lowerSep.widths(),
                               so.lower.widths()},
                              {33, 1, 1, 1, 33}, 3);
        EXPECT_FALSE(quillet::test::decode(img, "DataBar").ok);
    }
}

// With a composite part the linkage flag rides in the value: the reader sees
// it as a leading 1 before the thirteen digits.
TEST(DataBarDecode, LinkageFlagIsReadAsALeadingOne) {
    for (const char* primary : {"123", "2001234567890", "0"}) {
        SCOPED_TRACE(primary);
        std::string msg = std::string(primary) + "|10ABC";
        std::string linked = "1" + padded13(primary);
        linked += gs1CheckDigit(linked);
        Omni o = callOmni(msg);
        ASSERT_FALSE(o.pattern.untouched());
        auto d = quillet::test::decode(renderRows({o.pattern.widths()}, {33}), "DataBar");
        ASSERT_TRUE(d.ok);
        EXPECT_NE(d.text.find(linked), std::string::npos) << d.text;
        Stacked s = callStacked(msg);
        auto d2 = quillet::test::decode(
            renderRows({s.upper.widths(), s.middle.widths(), darkFirst(s.lower.widths())}, {5, 1, 7}, 4), "DataBar");
        ASSERT_TRUE(d2.ok);
        EXPECT_NE(d2.text.find(linked), std::string::npos) << d2.text;
    }
}
