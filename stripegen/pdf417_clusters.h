#pragma once
// Codeword patterns of PDF417 clusters 0, 3 and 6 (indexed 0, 1, 2).
#include <cstdint>

#include "stripegen/stripegen_internal.h"

namespace stripegen {

STRIPEGEN_INTERNAL extern const uint32_t kClusterPatterns[3][929];

// Element width i (0-7, bar first) of a packed pattern.
inline int patternElement(uint32_t packed, int i) { return int((packed >> (3 * (7 - i))) & 7u); }

}  // namespace stripegen
