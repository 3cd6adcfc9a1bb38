// Code 128 and GS1-128: the symbol character table, code set choice,
// check character, texts, and round trips through zxing.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/encode/code128.h"
#include "app/encode/code128_tables.h"
#include "app/encode/encode_test_util.h"
#include "app/model/messages.h"

namespace quillet {
namespace {

using test::encodeWith;
using test::settingsFor;

const std::string F1 = "\x80", F2 = "\x81", F3 = "\x82", F4 = "\x83";

TEST(Code128Table, EveryCharacterIsElevenModulesWithEvenBarsAndUnique) {
    PatternTables t;
    buildPatternTables(t, 13);
    std::set<std::string> seen;
    for (int v = 0; v <= 105; ++v) {
        const std::string& p = t.main[size_t(v)];
        ASSERT_EQ(p.size(), 6u) << v;
        int modules = 0, barModules = 0;
        for (size_t i = 0; i < p.size(); ++i) {
            bool bar;
            int w = test::thirteenths(p[i], 2.5, &bar) / 13;
            EXPECT_EQ(bar, i % 2 == 0) << v;
            modules += w;
            if (bar) barModules += w;
        }
        EXPECT_EQ(modules, 11) << v;
        EXPECT_EQ(barModules % 2, 0) << v;  // the published table's parity rule
        EXPECT_TRUE(seen.insert(p).second) << v;
    }
    EXPECT_EQ(t.main[0], "515858");
    EXPECT_EQ(t.main[103], "513A38");  // start A 211412
    EXPECT_EQ(t.main[104], "51383A");  // start B 211214
    EXPECT_EQ(t.main[105], "513868");  // start C 211232
    EXPECT_EQ(t.stop, "5961315");
    for (int v = 106; v < 136; ++v) EXPECT_TRUE(t.main[size_t(v)].empty());
}

// Code set choice, written out value by value.
TEST(Code128Values, CodeSetChoiceShiftsAndFunctionCharacters) {
    struct Case {
        const char* name;
        std::string message;
        std::vector<int> values;
    };
    const Case cases[] = {
        {"all digits, odd", "12345", {105, 12, 34, 100, 21}},
        {"all digits, even", "1234", {105, 12, 34}},
        {"three digits", "123", {105, 12, 100, 19}},
        {"one digit", "5", {104, 21}},
        {"letters then even digits", "ab12345", {104, 65, 66, 17, 99, 23, 45}},
        {"four digits after letters", "AB1234", {104, 33, 34, 99, 12, 34}},
        {"odd run at the start", "12345A", {105, 12, 34, 100, 21, 33}},
        {"digits then a control", "1234\x01", {105, 12, 34, 101, 65}},
        {"control then lower case", "\x01" "abc", {103, 65, 100, 65, 66, 67}},
        {"control, lower, control", "\x01" "a\x02" "b", {103, 65, 98, 65, 66, 100, 66}},
        {"lower, control, lower", "ab\tcd", {104, 65, 66, 98, 73, 67, 68}},
        {"lower, two controls", "ab\t\n", {104, 65, 66, 101, 73, 74}},
        {"controls only", "\r\n", {103, 77, 74}},
        {"FNC1 between digit pairs", "12" + F1 + "34", {105, 12, 102, 34}},
        {"leading FNC1 and digits", F1 + "0112345678901231", {105, 102, 1, 12, 34, 56, 78, 90, 12, 31}},
        {"function characters in B", "A" + F2 + F3 + F4 + "B", {104, 33, 97, 96, 100, 34}},
        {"FNC4 in A", "\x01" + F4 + "\x02", {103, 65, 101, 66}},
        // Two leading FNC1s make set C look worth taking at a lone digit
        // before an FNC1; it is left again instead of pairing "5" with FNC1.
        {"lone digit before FNC1", F1 + F1 + "A5" + F1 + "12", {104, 102, 102, 33, 99, 100, 21, 102, 17, 18}},
    };
    for (const auto& c : cases) EXPECT_EQ(code128Values(c.message, false), c.values) << c.name;
}

TEST(Code128Values, Gs1AddsFnc1AfterTheStart) {
    EXPECT_EQ(code128Values("0012345678901234567", true),
              (std::vector<int>{105, 102, 0, 12, 34, 56, 78, 90, 12, 34, 56, 100, 23}));
    EXPECT_EQ(code128Values("10ABC", true), (std::vector<int>{104, 102, 17, 16, 33, 34, 35}));
    EXPECT_EQ(code128Values("A", true), (std::vector<int>{104, 102, 33}));
}

TEST(Code128Encode, PatternCheckTextAndDisplayText) {
    struct Case {
        int symbology;
        bool optionalCheck;
        std::string message;
        const char* checkText;
        std::string text;
        int checkValue;
    };
    const Case cases[] = {
        // 105 + 12 + 2*34 + 3*100 + 4*21 = 569 = 5*103 + 54
        {13, false, "12345", "54", "12345", 54},
        // 104 + 65 + 2*66 + 3*17 + 4*99 + 5*23 + 6*45 = 1133 = 11*103
        {13, false, "ab12345", "0", "ab12345", 0},
        {13, false, "A" + F1 + F2 + F3 + F4 + "B", nullptr, "A\xB9\xB2\xB3\x80" "B", -1},
        // GS1 mod 10 from the left: 3*41 + 32 = 155 -> 5
        {14, true, "0012345678901234567", nullptr, "00123456789012345675", -1},
        {14, false, "0012345678901234567", nullptr, "0012345678901234567", -1},
        {14, true, "10ABC", nullptr, "10ABC", -1},  // not all digits: no check digit
        {14, true, "5", nullptr, "5", -1},          // one digit: no check digit
        {14, true, "12", nullptr, "125", -1},       // 3*1 + 2 = 5 -> 5
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SymbolSettings s = settingsFor(c.symbology);
        s.optionalCheckDigit = c.optionalCheck;
        auto r = encodeWith(s, c.message);
        ASSERT_EQ(r.error, 0);
        EXPECT_EQ(r.text, c.text);
        if (c.checkText) { EXPECT_EQ(r.checkText, c.checkText); }
        // start ... check, stop: six characters a symbol character.
        PatternTables t;
        buildPatternTables(t, c.symbology);
        ASSERT_EQ((r.pattern.size() - 7) % 6, 0u);
        EXPECT_EQ(r.pattern.substr(r.pattern.size() - 7), "5961315");
        std::string checkPattern = r.pattern.substr(r.pattern.size() - 13, 6);
        EXPECT_EQ(checkPattern, t.main[size_t(std::stoi(r.checkText))]);
        if (c.checkValue >= 0) { EXPECT_EQ(checkPattern, t.main[size_t(c.checkValue)]); }
    }
}

TEST(Code128Encode, CharactersAbove131AreRefused) {
    const std::string text =
        "Invalid Code 128 message!  Code 128 bar codes may not contain characters with ASCII codes greater than 127.";
    for (int sym : {13, 14}) {
        for (const std::string& m : {std::string("AB\x84"), std::string("\xFF"), std::string("12\xC8" "34")}) {
            auto r = encodeWith(settingsFor(sym), m);
            EXPECT_EQ(r.error, 12);
            EXPECT_EQ(messageText(r.error), text);
        }
        EXPECT_EQ(encodeWith(settingsFor(sym), "AB" + F4).error, 0);
    }
}

struct RoundTrip {
    const char* name;
    int symbology;
    std::string message;
    std::string bytes;  // as zxing transmits them
    const char* symbologyId;
};

std::vector<RoundTrip> roundTrips() {
    std::string printable;
    for (int c = 32; c < 128; ++c) printable += char(c);
    std::string controls;
    for (int c = 0; c < 32; ++c) controls += char(c);
    return {
        {"all of set B", 13, printable, printable, "]C0"},
        {"single digits in set B", 13, "x3y4z8w9", "x3y4z8w9", "]C0"},
        {"all controls in set A", 13, controls + "AZ", controls + "AZ", "]C0"},
        {"start C, all pairs", 13, "00112233445566778899", "00112233445566778899", "]C0"},
        {"start C, change to B", 13, "12345", "12345", "]C0"},
        {"start B, change to C", 13, "ab12345", "ab12345", "]C0"},
        {"start A, change to B", 13, "\x01" "abc", "\x01" "abc", "]C0"},
        {"SHIFT from A", 13, "\x01" "a\x02" "b", "\x01" "a\x02" "b", "]C0"},
        {"SHIFT from B", 13, "ab\tcd", "ab\tcd", "]C0"},
        {"B to A", 13, "Line\r\n", "Line\r\n", "]C0"},
        {"C to A", 13, "1234\x01", "1234\x01", "]C0"},
        {"FNC1 inside", 13, "ABC" + F1 + "12", "ABC\x1d" "12", "]C0"},
        {"leading FNC1", 13, F1 + "0112345678901231", "0112345678901231", "]C1"},
        {"FNC2 and FNC3 transmit nothing", 13, "A" + F2 + "B" + F3 + "C", "ABC", "]C0"},
        {"FNC4 in B", 13, "A" + F4 + "B", "A\xC2", "]C0"},
        {"FNC4 in A", 13, "\x01" + F4 + "\x01", "\x01\x81", "]C0"},
        // Both leading FNC1s are read as the GS1 flag.
        {"lone digit before FNC1", 13, F1 + F1 + "A5" + F1 + "12", "A5\x1d" "12", "]C1"},
        {"GS1 SSCC", 14, "00123456789012345675", "00123456789012345675", "]C1"},
        {"GS1 mixed", 14, "10ABC" + F1 + "21XYZ", "10ABC\x1d" "21XYZ", "]C1"},
        {"GS1 single letter", 14, "A", "A", "]C1"},
    };
}

TEST(Code128Decode, ZxingReadsEveryCodeSetAndFunctionCharacter) {
    std::set<int> used;
    for (const auto& rt : roundTrips()) {
        SCOPED_TRACE(rt.name);
        auto r = encodeWith(settingsFor(rt.symbology), rt.message);
        ASSERT_EQ(r.error, 0);
        auto d = test::decode(test::rasterise(r.pattern), "Code128", true);
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(d.bytes, rt.bytes);
        EXPECT_EQ(d.symbologyId, rt.symbologyId);
        for (int v : code128Values(rt.message, rt.symbology == 14)) used.insert(v);
        used.insert(std::stoi(r.checkText));
    }
    // Between them the round trips exercise every entry of the table.
    for (int v = 0; v <= 105; ++v) EXPECT_TRUE(used.count(v)) << "value " << v << " never read back";
}

TEST(Code128Decode, Gs1OptionalCheckDigitIsReadBack) {
    SymbolSettings s = settingsFor(14);
    s.optionalCheckDigit = true;
    auto r = encodeWith(s, "0012345678901234567");
    ASSERT_EQ(r.error, 0);
    auto d = test::decode(test::rasterise(r.pattern), "Code128", true);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.symbologyId, "]C1");
    EXPECT_EQ(d.bytes, "00123456789012345675");
}

}  // namespace
}  // namespace quillet
