// Code 39, Code 93, Codabar, 2 of 5 and MSI Plessey: check characters,
// validation codes and round trips through an independent reader.
#include <gtest/gtest.h>

#include <thread>

#include "app/encode/linear_job.h"
#include "app/model/check_digits.h"
#include "tests/support/zxing_decode.h"

namespace quillet {
namespace {

struct Encoded {
    std::string text, pattern, checkText;
    int error = 0;
};

Encoded encode(int symbology, const std::string& message, bool optionalCheck = false) {
    SymbolSettings s;
    s.symbology = symbology;
    s.optionalCheckDigit = optionalCheck;
    PatternTables t;
    buildPatternTables(t, symbology);
    LinearJob job{t, s, message, "", {}, {}, 0, false, {}};
    encodeLinearJob(job);
    return {job.message, job.pattern, job.checkText, job.error};
}

// The kept tables are the ones a fresh build fills, one set a symbology
// however many threads ask first; 0 is Code 39's.
TEST(PatternTables, KeptTablesAreTheBuiltOnes) {
    for (int code = 0; code <= 27; ++code) {
        PatternTables fresh;
        buildPatternTables(fresh, code);
        const PatternTables* seen[4] = {};
        std::vector<std::thread> askers;
        for (auto& slot : seen) askers.emplace_back([&slot, code] { slot = &patternTables(code); });
        for (auto& t : askers) t.join();
        for (const PatternTables* p : seen) {
            EXPECT_EQ(p, seen[0]) << code;
            EXPECT_EQ(p->main, fresh.main) << code;
            EXPECT_EQ(p->eanEven, fresh.eanEven) << code;
            EXPECT_EQ(p->upcRight, fresh.upcRight) << code;
            EXPECT_EQ(p->start + "|" + p->stop, fresh.start + "|" + fresh.stop) << code;
        }
    }
    EXPECT_EQ(&patternTables(0), &patternTables(1));
    EXPECT_EQ(patternTables(13).symbology, 13);
    EXPECT_FALSE(patternTables(13).main[0].empty()) << "Code 128's value 0 has a pattern";
}

struct TextCase {
    int symbology;
    const char* message;
    bool check;
    const char* text;       // human-readable text
    const char* checkText;  // CheckValue display
};

class HumanReadable : public ::testing::TestWithParam<TextCase> {};

TEST_P(HumanReadable, TextAndCheckValue) {
    const auto& c = GetParam();
    Encoded e = encode(c.symbology, c.message, c.check);
    ASSERT_EQ(e.error, 0);
    EXPECT_EQ(e.text, c.text);
    EXPECT_EQ(e.checkText, c.checkText);
}

INSTANTIATE_TEST_SUITE_P(Examples, HumanReadable, ::testing::Values(
    TextCase{1, "HELLO", true, "*HELLOB*", "11"},        // 17+14+21+21+24 = 97, mod 43 = 11
    TextCase{1, "abc", false, "ABC", ""},                 // normal Code 39 upper-cases
    TextCase{2, "abc", false, "abc", ""},                 // Full ASCII keeps the case
    TextCase{9, "1234", true, "012348", ""},              // padded to 01234, check 8
    TextCase{9, "123", false, "0123", ""},                // odd length padded without the check
    TextCase{11, "A1234B", true, "A12345B", ""},          // 43 mod 16 = 11 -> "5"
    TextCase{19, "1234", false, "1234", "4"},             // odd digits 24, doubled 48, 4+8+3+1 = 16
    TextCase{19, "1234", true, "12344", "8"},             // 134 doubled 268: 2+6+8 + 2+4 = 22
    TextCase{10, "0123", false, "0123", ""},
    TextCase{12, "CIJ", false, " CIJ ", "44,43"}));        // C and K are the shifts (%) and ($)

struct ErrorCase {
    int symbology;
    std::string message;
    int code;
};

class Validation : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(Validation, ReportsItsCode) {
    const auto& c = GetParam();
    EXPECT_EQ(encode(c.symbology, c.message).error, c.code) << c.message;
}

INSTANTIATE_TEST_SUITE_P(Rules, Validation, ::testing::Values(
    ErrorCase{1, "AB_C", 8},
    ErrorCase{2, std::string("A") + char(128), 7},
    ErrorCase{12, std::string("A") + char(128), 9},
    ErrorCase{9, "12A4", 4},
    ErrorCase{10, "12A", 16},
    ErrorCase{11, "A12E4B", 5},
    ErrorCase{11, "A123", 6},      // no stop character
    ErrorCase{11, "A12B3B", 6},    // start/stop character inside the body
    ErrorCase{11, "A", 6},         // one character cannot both start and stop
    ErrorCase{19, "12X", 35}));

TEST(Code39, FullAsciiCheckIsOverTheSubstitutes) {
    Encoded e = encode(2, "abc", true);
    ASSERT_EQ(e.error, 0);
    EXPECT_EQ(e.checkText, std::to_string(code39CheckValue("+A+B+C")));
}

TEST(Code39, DollarCheckCharacterUsesItsNativePattern) {
    // Z (35) + 4 (4) = 39, the value of "$".
    const std::string msg = "Z4";
    ASSERT_EQ(code39CheckValue(msg), 39);
    Encoded e = encode(1, msg, true);
    ASSERT_EQ(e.error, 0);
    // start + 2 characters + check + stop, ten elements each: native "$" is 10
    // elements where the /D substitute would be 20.
    EXPECT_EQ(e.pattern.size(), 50u);
    EXPECT_EQ(e.pattern.substr(30, 10), "3232323131");
}

TEST(Code93, TextAndCheckFormat) {
    Encoded e = encode(12, "AB");
    ASSERT_EQ(e.error, 0);
    EXPECT_EQ(e.text, " AB ");
    auto comma = e.checkText.find(',');
    ASSERT_NE(comma, std::string::npos);
    EXPECT_GE(std::stoi(e.checkText.substr(0, comma)), 0);
    EXPECT_LT(std::stoi(e.checkText.substr(comma + 1)), 47);
    // Every Code 93 character is 9 modules: start + 2 data + C + K + stop (+ bar).
    int modules = 0;
    for (char c : e.pattern) modules += c == '3' || c == '1' ? 1 : c == '5' || c == '8' ? 2 : c == '6' || c == '9' ? 3 : 4;
    EXPECT_EQ(modules, 9 * 6 + 1);
}

TEST(Msi, PatternIsStartDigitsCheckStop) {
    Encoded e = encode(19, "1234");
    ASSERT_EQ(e.error, 0);
    // Digit bits most significant first: 0 = narrow bar wide space, 1 = wide bar narrow space.
    EXPECT_EQ(e.pattern, std::string("41") + "32323241" + "32324132" + "32324141" + "32413232" + "32413232" + "323");
}

TEST(Discrete2of5, PublishedDigitPatterns) {
    // Digit 0 is NNWWN: five bars, each followed by a narrow space.
    Encoded e = encode(10, "0");
    EXPECT_EQ(e.pattern, "414131" "3131414131" "413141");
}

// Round trips through zxing-cpp.
struct RoundTrip {
    int symbology;
    std::string message;
    bool check;
    std::string format;
    std::string decoded;
};

class ZxingRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(ZxingRoundTrip, Decodes) {
    const auto& c = GetParam();
    Encoded e = encode(c.symbology, c.message, c.check);
    ASSERT_EQ(e.error, 0);
    auto img = test::patternImage(e.pattern, 3, 8, 80, 40);
    auto d = test::decode(img, c.format);
    ASSERT_TRUE(d.ok) << c.message;
    EXPECT_EQ(d.bytes, c.decoded);
}

INSTANTIATE_TEST_SUITE_P(Symbologies, ZxingRoundTrip, ::testing::Values(
    RoundTrip{1, "CODE 39-$/+%.", false, "Code39", "CODE 39-$/+%."},
    RoundTrip{1, "HELLO", true, "Code39", "HELLOB"},
    RoundTrip{2, "abc", false, "Code39", "+A+B+C"},
    RoundTrip{12, "Code 93 full ascii!", false, "Code93", "Code 93 full ascii!"},
    RoundTrip{12, std::string("\x01\x7f@`{", 5), false, "Code93", std::string("\x01\x7f@`{", 5)},
    RoundTrip{12, "CIJ", false, "Code93", "CIJ"},  // shift characters as check characters
    RoundTrip{9, "1234567890", false, "ITF", "1234567890"},
    RoundTrip{9, "1234", true, "ITF", "012348"},
    RoundTrip{11, "A40156B", false, "Codabar", "40156"},
    RoundTrip{11, "C-$:/.+D", true, "Codabar", "-$:/.+" + std::string(1, codabarCheckChar("C-$:/.+D"))}));

}  // namespace
}  // namespace quillet
