#pragma once
// Row address patterns of the composite components and the address each
// component size starts from.
#include <cstdint>

#include "stripegen/stripegen_internal.h"

namespace stripegen {

// The 52 left/right and 52 centre row address patterns, address 1 first:
// six element widths, bar first, ten modules.
STRIPEGEN_INTERNAL extern const uint8_t kRapSidePatterns[52][6];
STRIPEGEN_INTERNAL extern const uint8_t kRapCentrePatterns[52][6];

// Start of a component size: left, centre and right row addresses (1-52)
// of its first row and the cluster (0, 3 or 6) of its first row.
struct RapStart {
    int rows;
    int left;
    int centre;
    int right;
    int cluster;
};

// Start rows for CC-A and CC-B by column count (2, 3, 4); `count` entries.
STRIPEGEN_INTERNAL const RapStart* ccaRapStarts(int columns, int& count);
STRIPEGEN_INTERNAL const RapStart* ccbRapStarts(int columns, int& count);

}  // namespace stripegen
