// Codeword sequences of the three compaction modes and of the automatic
// choice between them.
#include <gtest/gtest.h>

#include <random>

#include "app/pdf417/pdf417_compaction.h"

namespace quillet {
namespace {

struct Case {
    const char* name;
    int mode;  // pdfCompaction
    std::string message;
    std::vector<int> codewords;  // empty: the mode refuses the message
    bool refused = false;
};

const std::string k14 = "12345678901234";
const std::vector<int> k14Numeric = {171, 209, 269, 12, 434};

std::vector<int> join(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

class Compaction : public ::testing::TestWithParam<Case> {};

TEST_P(Compaction, CodewordSequence) {
    const Case& c = GetParam();
    auto result = EncodePdf417Data(c.message, c.mode);
    if (c.refused) {
        EXPECT_FALSE(result.has_value());
        return;
    }
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->size() % 2, 0u);
    EXPECT_EQ(PdfCodewordsFromString(*result), c.codewords);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, Compaction,
    ::testing::Values(
        // Text values 0, 1, 2 and the pad 29.
        Case{"text_abc_pad", 2, "ABC", {1, 89}},
        // From Lower, ";" followed by "<" and "c": shift, not latch.
        Case{"text_punct_shift", 2, "ab;<cd", {810, 59, 29, 32, 119}},
        // ";<>" all punctuation: latch through Mixed, back to Lower via Alpha.
        Case{"text_punct_latch", 2, "a;<>b", {810, 865, 1, 89, 811}},
        Case{"text_alpha_shift", 2, "aBc", {810, 811, 89}},
        Case{"text_alpha_latch", 2, "aBCD", {810, 868, 32, 119}},
        Case{"text_mixed_shared", 2, "1,2", {841, 392}},
        Case{"text_refuses_bytes", 2, "A\x80", {}, true},
        // 12 bytes: 924 and two groups of five; 13: 901 and the last byte alone.
        Case{"bytes_12", 3, "ABCDEFGHIJKL", {924, 109, 326, 368, 127, 330, 119, 411, 338, 47, 816}},
        Case{"bytes_13", 3, "ABCDEFGHIJKLM", {901, 109, 326, 368, 127, 330, 119, 411, 338, 47, 816, 77}},
        // 45 digits: a group of 44 and "7" -> "17".
        Case{"numeric_45",
             4,
             "123456789012345678901234567890123456789012347",
             {902, 491, 81, 137, 450, 302, 67, 15, 174, 492, 862, 667, 475, 869, 12, 434, 17}},
        Case{"numeric_refuses_letters", 4, "12A4", {}, true},
        // 20 digits stay in Mixed without numeric runs, become 902 with them.
        Case{"auto_eb_digits_text", 1, "12345678901234567890", {841, 63, 125, 187, 249, 1, 63, 125, 187, 249, 29}},
        Case{"auto_ebn_digits_numeric", 0, "12345678901234567890", {902, 211, 358, 354, 304, 269, 753, 190}},
        Case{"auto_13_digits_text", 0, "1234567890123", {841, 63, 125, 187, 249, 1, 63}},
        Case{"auto_14_digits_numeric", 0, k14, join({{902}, k14Numeric})},
        // After a digit run: three tabs then three letters: a lone 924, then 900.
        Case{"auto_lone_924", 0, k14 + "\t\t\tABC", join({{902}, k14Numeric, {924, 900, 852, 372, 840, 32}})},
        // Two digit runs two characters apart: bridged, Alpha in Text, else bytes.
        Case{"auto_bridge_alpha", 0, k14 + "AB" + k14, join({{902}, k14Numeric, {900, 1, 902}, k14Numeric})},
        Case{"auto_bridge_bytes", 0, k14 + "ab" + k14, join({{902}, k14Numeric, {901, 97, 98, 902}, k14Numeric})},
        // A lone byte in text is shifted; an odd value count is padded first.
        Case{"auto_shift_even", 0, "ABCDEFGH\x80IJKLMNOP", {1, 63, 125, 187, 913, 128, 249, 311, 373, 435}},
        Case{"auto_shift_padded", 0, "ABC\x80" "DEFGHI", {1, 89, 913, 128, 94, 156, 218}},
        // Three control characters among six: Byte Compaction, back to Text for a text run.
        Case{"auto_byte_segment", 0, std::string("AB\x01\x02\x03", 5) + "CDEFGH",
             {1, 901, 1, 2, 3, 900, 63, 125, 187}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DivideDecimalBy900, MatchesWideIntegerArithmetic) {
    std::mt19937 rng(417);
    for (int len = 1; len <= 38; ++len) {
        for (int trial = 0; trial < 20; ++trial) {
            std::string digits(size_t(len), '0');
            for (char& d : digits) d = char('0' + rng() % 10);
            unsigned __int128 n = 0;
            for (char d : digits) n = n * 10 + unsigned(d - '0');
            auto [q, r] = DivideDecimalBy900(digits);
            unsigned __int128 expectQ = n / 900;
            std::string qs;
            for (unsigned __int128 v = expectQ; v; v /= 10) qs.insert(qs.begin(), char('0' + int(v % 10)));
            EXPECT_EQ(q, qs) << digits;
            EXPECT_EQ(r, int(n % 900)) << digits;
        }
    }
}

TEST(ByteCompaction, EveryByteValueRoundTripsThroughBase900) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(char(b));
    all += all.substr(0, 4);  // 260 bytes: 43 groups and 2 left over
    auto cw = PdfCodewordsFromString(CompactBytes(all));
    ASSERT_EQ(cw.size(), 1u + 43 * 5 + 2);
    EXPECT_EQ(cw[0], 901);
    for (size_t g = 0; g < 43; ++g) {
        uint64_t value = 0, expect = 0;
        for (size_t k = 0; k < 5; ++k) {
            ASSERT_LT(cw[1 + g * 5 + k], 900);
            value = value * 900 + uint64_t(cw[1 + g * 5 + k]);
        }
        for (size_t k = 0; k < 6; ++k) expect = (expect << 8) | uint8_t(all[g * 6 + k]);
        EXPECT_EQ(value, expect) << "group " << g;
    }
    EXPECT_EQ(cw[cw.size() - 2], 2);  // bytes 258 and 259 alone
    EXPECT_EQ(cw.back(), 3);
    EXPECT_EQ(PdfCodewordsFromString(CompactBytes("")), std::vector<int>{924});
}

TEST(SearchHelpers, PositionsAndTheMemoryOfNone) {
    const std::string a14 = "A" + k14;
    PdfScan scan{a14};
    EXPECT_EQ(FindDigitRun(scan, 1), 2);
    EXPECT_EQ(FindDigitRun(scan, 3), 0);  // the run starting at 3 has 13 digits
    EXPECT_EQ(FindDigitRun(scan, 2), 0);  // remembered: no rescan
    EXPECT_EQ(FindDigitRun(scan, 1), 2);  // a search from 1 forgets
    EXPECT_EQ(FindDigitRunEnd(scan, 2), 15);

    PdfScan noNumeric{k14, false};
    EXPECT_EQ(FindDigitRun(noNumeric, 1), 0);

    const std::string controlsThenText = std::string("\x01\x02") + "abcde\tz";
    PdfScan text{controlsThenText};
    EXPECT_EQ(FindTextRun(text, 1), 3);
    EXPECT_EQ(FindTextRun(text, 5), 0);

    // A tab is a text character for the searches but counts as a control
    // character when choosing bytes.
    const std::string tabsText = "\t\t\x01\x02xyz";
    PdfScan tabs{tabsText};
    EXPECT_TRUE(PreferBytes(tabs, 1));
    EXPECT_EQ(FindByteStart(tabs, 1), 3);
    EXPECT_EQ(FindByteStart(tabs, 7), 0);  // from the last character: none
    EXPECT_EQ(FindByteStart(tabs, 3), 0);  // remembered
    EXPECT_EQ(FindByteStart(tabs, 1), 3);

    // Fewer than six characters left: the shorter encoding decides.
    const std::string tailText = "A\x80\x81\x82";
    PdfScan tail{tailText};
    EXPECT_TRUE(PreferBytes(tail, 2));   // shifts 6 codewords, bytes 4
    const std::string tail2Text = "A\x80" "BCDE";
    PdfScan tail2{tail2Text};
    EXPECT_FALSE(PreferBytes(tail2, 2));  // shift 4 codewords, bytes 6
}

TEST(AutoCompaction, LongMessagesAreEncodedWhole) {
    // 3072 characters mixing every class; the codewords must cover them all.
    std::string m;
    std::mt19937 rng(7);
    while (m.size() < 3072) {
        switch (rng() % 3) {
        case 0: m += "Text segment, " + std::to_string(rng() % 1000); break;
        case 1: m += std::to_string(rng()) + std::to_string(rng()); break;
        default: for (int i = 0; i < 5; ++i) m.push_back(char(rng() % 256));
        }
    }
    m.resize(3072);
    auto cw = PdfCodewordsFromString(CompactAuto(m, true));
    EXPECT_GT(cw.size(), 3072u / 3);
    for (int v : cw) {
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 928);
    }
}

}  // namespace
}  // namespace quillet
