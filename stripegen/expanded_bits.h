#pragma once
// The binary data of GS1 DataBar Expanded: linkage flag, encodation method,
// compressed fields of (01) with weights, dates and prices, general-purpose
// data and padding, in 12-bit data characters.
#include <string>

#include "stripegen/stripegen_internal.h"

namespace stripegen {

constexpr int kExpandedMinData = 3;   // data characters, check character not counted
constexpr int kExpandedMaxData = 21;

struct ExpandedBits {
    bool ok = false;     // every character is held and the data fits 21 data characters
    std::string method;  // the encodation method field, e.g. "1", "00", "0111001"
    std::string bits;    // 12 bits for each data character
};

// `message` is the GS1 data: element strings without parentheses, a
// variable-length field followed by another ended by FNC1 (byte 128 or 29).
// Stacked in rows of `segmentsPerRow` segments, the last row may not hold a
// single segment: the data then takes one character more.
STRIPEGEN_INTERNAL ExpandedBits encodeExpandedBits(const std::string& message, bool linked, int segmentsPerRow = 22);

}  // namespace stripegen
