#pragma once
// Separator patterns between the rows of DataBar symbols and between a
// symbol and its composite component.
#include <vector>

#include "stripegen/databar_symbols.h"

namespace stripegen {

using Modules = std::vector<bool>;  // true = dark

// Expands alternating widths (light first) into modules, and back into runs
// (light first; a dark first module gives no leading light run).
// The lower row of the stacked symbols begins with its dark guard bar, so
// its widths are expanded dark first (`darkFirst`).
STRIPEGEN_INTERNAL Modules toModules(const Widths& w, bool darkFirst = false);
STRIPEGEN_INTERNAL Widths toWidths(const Modules& m);

// The complement of a row with four light modules at each end; within each
// finder span [start, start + 15) the complement of a light run alternates
// dark and light, starting dark, so no wide dark bar stands over a finder.
STRIPEGEN_INTERNAL Widths finderSeparator(const Widths& row, const std::vector<int>& finderStarts,
                                          bool darkFirst = false);

// Between the two rows of DataBar Stacked: where the rows agree the module is
// their complement, where they differ it is the opposite of its left
// neighbour; four light modules at each end. The lower row is dark first.
STRIPEGEN_INTERNAL Widths stackedMiddleSeparator(const Widths& upper, const Widths& lower);

// The fixed middle separator of DataBar Stacked Omnidirectional.
STRIPEGEN_INTERNAL Widths stackedOmniMiddleSeparator();

// Over DataBar Limited: the complement of the characters' modules, with four
// light modules at each end as over the omnidirectional symbol.
STRIPEGEN_INTERNAL Widths limitedSeparator(const Widths& pattern46);

}  // namespace stripegen
