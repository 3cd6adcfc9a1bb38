#pragma once
// Emission of a planned Aztec message: the bit stream of its codes, cut into
// codewords with bit stuffing and padding.
#include <cstdint>
#include <string_view>
#include <vector>

#include "zorvex32/aztec_plan.h"

// Visible outside the library so that its tests can reach it.
#pragma GCC visibility push(default)
namespace zorvex {

// The codes of the plan as bits, most significant bit of each code first.
std::vector<uint8_t> planBits(const Plan& plan, std::string_view message);

// An ECI designator (0-999999) as FLG(n) from the initial Upper mode: P/S,
// FLG(n), n in three bits, then each digit as its Digit-mode code. The
// stream goes on in Upper mode.
std::vector<uint8_t> eciBits(int eci);

// Cuts a bit stream into codewords of `wordBits` bits: a word whose first
// wordBits-1 bits are all equal gets the opposite bit stuffed in, and the
// last open word is padded with ones (never all ones).
// `stuffed`, when given, receives the number of stuffed bits.
std::vector<int> stuffBits(const std::vector<uint8_t>& bits, int wordBits, int* stuffed = nullptr);

inline std::vector<int> dataWords(const Plan& plan, std::string_view message, int wordBits) {
    return stuffBits(planBits(plan, message), wordBits);
}

}  // namespace zorvex
#pragma GCC visibility pop
