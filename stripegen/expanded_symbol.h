#pragma once
// GS1 DataBar Expanded symbol characters, check character and element widths.
#include <string>
#include <vector>

#include "stripegen/databar_symbols.h"

namespace stripegen {

struct ExpandedSymbol {
    std::vector<int> values;               // check character, then the data characters
    std::vector<std::vector<int>> widths;  // per character: odd 1, even 1, odd 2, ... even 4
    int sequence = 0;                      // line of the finder sequence table
};

// From the data bits (12 for each data character).
STRIPEGEN_INTERNAL ExpandedSymbol encodeExpanded(const std::string& bits);

// The elements of pair `pair` (from 0): left character, finder, right
// character (none after the last character): 21 or 13 elements, beginning
// light in even pairs and dark in odd ones.
STRIPEGEN_INTERNAL Widths expandedPair(const ExpandedSymbol& s, int pair);
STRIPEGEN_INTERNAL int expandedPairs(const ExpandedSymbol& s);

// The single-row symbol: guard 1, 1, the pairs, guard 1, 1.
STRIPEGEN_INTERNAL Widths expandedPattern(const ExpandedSymbol& s);

}  // namespace stripegen
