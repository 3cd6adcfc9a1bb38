#pragma once
// Combinatorial element widths of GS1 DataBar characters.
#include <cstddef>
#include <cstdint>

#include "stripegen/stripegen_internal.h"

namespace stripegen {

// Binomial coefficient C(n, r); 0 outside 0 <= r <= n.
STRIPEGEN_INTERNAL int64_t combinations(int n, int r);

// Writes the widths of `elements` elements adding up to `modules` modules
// for the value `value` (0-based rank among the admissible width sets):
// no element is wider than `maxWidth`, and unless `noNarrow` is set the set
// must hold at least one element of width 1. Out-of-range values give
// widths that still add up to `modules` and never exceed it.
STRIPEGEN_INTERNAL void characterWidths(int value, int modules, int elements, int maxWidth, bool noNarrow,
                                        int* widths);

}  // namespace stripegen
