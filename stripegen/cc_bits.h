#pragma once
// General-purpose compaction of a composite message into a bit string
// (numeric, alphanumeric and ISO/IEC 646 encodation with their latches).
#include <string>

#include "stripegen/stripegen_internal.h"

namespace stripegen {

// Message bytes that stand for FNC1.
constexpr unsigned char kFnc1Byte = 128;
constexpr unsigned char kGroupSeparator = 29;

struct GpBits {
    bool ok = false;          // every character is in the compaction's set
    std::string bits;         // '0'/'1', starting with the leading bits
    bool trailingDigit = false;  // one digit left over at the end in numeric encodation
    int digit = 0;
    bool endsNumeric = true;  // encodation in force after `bits`
};

// `leading` holds the bits before the general-purpose field: the encodation
// method and any compressed field.
STRIPEGEN_INTERNAL GpBits compactGeneralPurpose(const std::string& data, const std::string& leading = "0");

// Completes the bit string for a component holding exactly `capacity` bits:
// the left-over digit, then the pad pattern. Empty when it does not fit.
STRIPEGEN_INTERNAL std::string finishBits(const GpBits& gp, int capacity);

}  // namespace stripegen
