#include <gtest/gtest.h>

#include <random>
#include <string>

#include "zorvex32/aztec_emit.h"
#include "zorvex32/aztec_plan.h"
#include "zorvex32/aztec_size.h"

namespace zorvex {
namespace {

std::string bits(const std::vector<uint8_t>& v) {
    std::string s;
    for (uint8_t b : v) s += char('0' + b);
    return s;
}

std::vector<uint8_t> fromString(const std::string& s) {
    std::vector<uint8_t> v;
    for (char c : s) v.push_back(uint8_t(c - '0'));
    return v;
}

TEST(AztecPlan, UnitsPairOnlyTheFourPairsAndNeverTheLastByte) {
    struct Case {
        std::string message;
        std::vector<int> lengths;
    };
    const Case cases[] = {
        {"\r\n. , : ", {2, 2, 2, 2}},
        {"\n\r", {1, 1}},
        {"a.", {1, 1}},
        {". .", {2, 1}},
        {";  ", {1, 1, 1}},
    };
    for (const Case& c : cases) {
        std::vector<Unit> units = splitUnits(c.message);
        std::vector<int> lengths;
        for (const Unit& u : units) lengths.push_back(u.len);
        EXPECT_EQ(lengths, c.lengths) << c.message;
    }
}

TEST(AztecPlan, TwoCodeUnitCountsTwoInItsRun) {
    Plan plan = planMessage("@\r\n@");
    ASSERT_EQ(plan.actions.size(), 2u);
    EXPECT_EQ(plan.actions[0].kind, Action::Route);
    EXPECT_EQ(plan.actions[0].to, Mixed);
    EXPECT_EQ(plan.actions[1].kind, Action::Run);
    EXPECT_EQ(plan.actions[1].count, 4);
    // M/L 29, '@' 20, CR 14, LF 11, '@' 20
    EXPECT_EQ(bits(planBits(plan, "@\r\n@")), "11101" "10100" "01110" "01011" "10100");
}

TEST(AztecPlan, LongBinaryRunIsSplitIntoTwoShifts) {
    std::string msg(2100, '\xff');
    Plan plan = planMessage(msg);
    std::vector<int> runs;
    for (const Action& a : plan.actions)
        if (a.kind == Action::BinaryRun) runs.push_back(a.count);
    EXPECT_EQ(runs, (std::vector<int>{2078, 22}));
}

TEST(AztecEmit, CodesOfSmallMessages) {
    struct Case {
        std::string message;
        std::string bits;
    };
    const Case cases[] = {
        {"12345", "11110" "0011" "0100" "0101" "0110" "0111"},  // D/L then digits
        {"A. B", "00010" "00000" "00011" "00011"},              // A, P/S, ". ", B
        {"aB", "11100" "00010" "11100" "00011"},                // L/L a, U/S B
        {"\x80", "11111" "00001" "10000000"},                   // B/S, length 1, byte
    };
    for (const Case& c : cases) {
        Plan plan = planMessage(c.message);
        std::string got = bits(planBits(plan, c.message));
        EXPECT_EQ(got, c.bits) << c.message;
        EXPECT_EQ(int(got.size()), plan.bits) << c.message;
    }
}

// The planned length is exactly what the emission writes, for any bytes.
TEST(AztecEmit, PlannedBitsMatchEmittedBits) {
    std::mt19937 rng(11);
    const std::string alphabets[] = {
        std::string("AZaz09 .,:\r\n@\\!?\x01\x1b\x80\xff"),
        std::string(". , : \r\n0123456789"),
        std::string("\x80\x81\x82. Aa"),
    };
    for (const std::string& alpha : alphabets)
        for (int len : {1, 2, 5, 31, 32, 33, 64, 300, 2200}) {
            std::string msg;
            for (int i = 0; i < len; ++i) msg += alpha[rng() % alpha.size()];
            Plan plan = planMessage(msg);
            EXPECT_EQ(int(planBits(plan, msg).size()), plan.bits) << "len " << len;
        }
}

TEST(AztecEmit, StuffingAndPadding) {
    struct Case {
        int wordBits;
        std::string bits;
        std::vector<int> words;
    };
    const Case cases[] = {
        {6, "00000" "101010", {0b000001, 0b101010}},  // stuffed 1 after five zeros
        {6, "1", {0b111110}},                         // padded with ones, last bit made 0
        {6, "111111", {0b111110, 0b111110}},          // stuffed 0, then 1 padded
        {6, "00000", {0b000001}},
        {6, "0000", {0b000011}},
        {6, "01", {0b011111}},
        {6, "010101" "11", {0b010101, 0b111110}},
        {6, "", {}},
        {8, "0000000" "0", {0b00000001, 0b01111111}},
        {8, "1111111", {0b11111110}},
        {10, "000000000" "1", {1, 0b1111111110}},
    };
    for (const Case& c : cases) EXPECT_EQ(stuffBits(fromString(c.bits), c.wordBits), c.words) << c.bits;
}

// Planned bit counts of messages and the symbols chosen for planned
// lengths; a row with a message checks both.
TEST(AztecWorkedExamples, PlannedBitsAndSizeChoices) {
    struct Case {
        std::string message;  // empty: the row starts from `bits`
        int bits, sizeSpec;
        bool menu;
        bool fits;
        bool compact;
        int layers, side, wordBits, totalWords;
    };
    const Case cases[] = {
        {"ABC", 15, 0, false, true, true, 1, 15, 6, 17},
        {"abc", 20, 0, false, true, true, 1, 15, 6, 17},        // L/L, three Lower codes
        {"12345", 25, 0, false, true, true, 1, 15, 6, 17},      // D/L, five Digit codes
        {"A. B", 20, 0, false, true, true, 1, 15, 6, 17},       // P/S and ". " as one Punct code
        {"@\r\n@", 25, 0, false, true, true, 1, 15, 6, 17},    // M/L, CR LF as two Mixed codes
        {std::string(31, '\x80'), 258, 0, false, true, true, 3, 23, 8, 51},
        {std::string(32, '\x80'), 277, 0, false, true, true, 3, 23, 8, 51},  // 5 + 11 length bits
        {std::string(2100, '\xff'), 10 + 11 + 2078 * 8 + 10 + 22 * 8, 232, false, true, false, 32, 151, 12, 1664},
        {"", 60, 0, false, true, true, 1, 15, 6, 17},
        {"", 84, 0, false, true, true, 2, 19, 6, 40},
        {"", 84, 0, true, true, false, 2, 23, 6, 48},
        {"", 100, 50, false, true, true, 2, 19, 6, 40},
        {"", 409, 103, false, false, true, 0, 0, 0, 0},
        {"", 408, 103, false, true, true, 3, 23, 8, 51},
        {"", 10, 104, false, true, true, 4, 27, 8, 76},
        {"", 10, 205, false, true, false, 5, 37, 8, 120},
        {"", 10, 232, false, true, false, 32, 151, 12, 1664},
        {"", 10, 223, true, false, false, 0, 0, 0, 0},
        {"", 10, 222, true, true, false, 22, 109, 10, 1020},
        {"", 10, 102, true, false, true, 0, 0, 0, 0},
        {"", 10, 101, true, true, true, 1, 15, 6, 17},
        {"", 513, 0, false, true, false, 4, 31, 8, 88},   // above 512 bits: full-range
        {"", 19968, 1, false, false, false, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        std::string row = c.message.empty() ? std::to_string(c.bits) + " bits" : c.message.substr(0, 8);
        row += " / " + std::to_string(c.sizeSpec);
        if (!c.message.empty()) {
            EXPECT_EQ(planMessage(c.message).bits, c.bits) << row;
        }
        auto s = chooseSymbol(c.bits, c.sizeSpec, c.menu);
        ASSERT_EQ(s.has_value(), c.fits) << row;
        if (!s) continue;
        EXPECT_EQ(s->compact, c.compact) << row;
        EXPECT_EQ(s->layers, c.layers) << row;
        EXPECT_EQ(s->side, c.side) << row;
        EXPECT_EQ(s->wordBits, c.wordBits) << row;
        EXPECT_EQ(s->totalWords, c.totalWords) << row;
    }
}

TEST(AztecSize, OutOfRangeSelectorsMeanDefault) {
    for (int v : {-5, 100, 105, 150, 200, 233, 300}) EXPECT_EQ(normaliseSizeSpec(v), 0) << v;
    for (int v : {0, 1, 99, 101, 104, 201, 232}) EXPECT_EQ(normaliseSizeSpec(v), v) << v;
}

}  // namespace
}  // namespace zorvex
