#pragma once
// What one input character costs and becomes in each Data Matrix
// encodation: its C40 and Text values (shifts included), its X12 and
// EDIFACT value, and its ASCII codewords.
#include <cstdint>
#include <string_view>
#include <vector>

namespace quillet {

// An input character: a byte 0-255, or FNC1.
constexpr uint16_t kDmFnc1 = 256;
using DmChars = std::vector<uint16_t>;

// The message's bytes; with gs1, every GS (29) stands for FNC1.
DmChars dmChars(std::string_view data, bool gs1);

struct DmTripletValues {
    uint8_t count = 0;  // 1 to 4
    uint8_t value[4] = {};
};

// C40 (text false) or Text values of a character: a shift before those not
// in the basic set, and Upper Shift before bytes above 127.
const DmTripletValues& dmTripletValues(uint16_t ch, bool text);
// The X12 or EDIFACT value of a character, -1 when that set lacks it.
int dmX12Value(uint16_t ch);
int dmEdifactValue(uint16_t ch);

inline bool dmIsDigit(uint16_t ch) { return ch >= '0' && ch <= '9'; }
// ASCII codewords for chars [begin, end): digit pairs share one.
int dmAsciiCost(const DmChars& chars, int begin, int end);

}  // namespace quillet
