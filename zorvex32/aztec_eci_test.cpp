// ECI designators in Aztec Code: FLG(n) and its digits from Upper mode, and
// the room they take in the symbol.
#include <gtest/gtest.h>

#include <string>

#include "zorvex32/aztec_emit.h"
#include "zorvex32/aztec_symbol.h"

namespace zorvex {
namespace {

std::string bitText(const std::vector<uint8_t>& bits) {
    std::string s;
    for (uint8_t b : bits) s += char('0' + b);
    return s;
}

TEST(AztecEci, FlgWithDigits) {
    const struct { int eci; const char* bits; } cases[] = {
        // P/S, FLG(n), n, then digit + 2 in four bits each.
        {26, "00000" "00000" "010" "0100" "1000"},
        {3, "00000" "00000" "001" "0101"},
        {0, "00000" "00000" "001" "0010"},
        {899, "00000" "00000" "011" "1010" "1011" "1011"},
        {999999, "00000" "00000" "110" "1011" "1011" "1011" "1011" "1011" "1011"},
    };
    for (const auto& c : cases) EXPECT_EQ(bitText(eciBits(c.eci)), c.bits) << c.eci;
}

TEST(AztecEci, DesignatorGoesFirstAndCountsTowardsTheSize) {
    const std::string msg = "AZTEC";
    const auto plain = encodeAztec(msg, 0, false);
    const auto withEci = encodeAztec(msg, 0, false, 26);
    ASSERT_TRUE(plain && withEci);
    EXPECT_EQ(withEci->plannedBits, plain->plannedBits + 21);
    EXPECT_NE(withEci->dataWords, plain->dataWords);
    // A message that just fills the smallest compact symbol needs a larger one with the designator.
    std::string fill;
    for (size_t n = 1; n < 40; ++n) {
        fill.assign(n, 'A');
        if (encodeAztec(fill, 101, false) && !encodeAztec(fill, 101, false, 26)) break;
    }
    EXPECT_TRUE(encodeAztec(fill, 101, false).has_value());
    EXPECT_FALSE(encodeAztec(fill, 101, false, 26).has_value());
}

}  // namespace
}  // namespace zorvex
