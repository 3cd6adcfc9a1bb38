#pragma once
// The choice of Data Matrix encodations for a message: the split into
// ASCII, C40, Text, X12, EDIFACT and Base 256 segments that needs the
// fewest data codewords, end-of-data rules included.
#include <vector>

#include "app/encode/dm_char_values.h"

namespace quillet {

enum class DmMode : uint8_t { Ascii, C40, Text, X12, Edifact, Base256 };

struct DmSegment {
    DmMode mode = DmMode::Ascii;
    int begin = 0, end = 0;  // characters [begin, end)
};

struct DmPlan {
    std::vector<DmSegment> segments;  // none empty; a leading FNC1 opens an ASCII one
    // The fewest data codewords a symbol must hold for this plan (pad
    // codewords fill any more).
    int capacityNeeded = 0;
};

// A leading FNC1 stays the first codeword, as GS1 data needs it there.
DmPlan dmPlan(const DmChars& chars);

}  // namespace quillet
