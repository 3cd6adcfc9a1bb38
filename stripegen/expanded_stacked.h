#pragma once
// GS1 DataBar Expanded Stacked: the pairs of the symbol spread over rows,
// and the separator rows between them.
#include <vector>

#include "stripegen/expanded_symbol.h"

namespace stripegen {

struct ExpandedLine {
    Widths widths;
    bool darkFirst = false;  // the line's first element is dark
};

// The lines from the top: the rows of `segmentsPerRow` segments (2-22, even;
// the last row may be shorter) and between each two rows three separator
// rows: under the upper row, a checkerboard, over the lower row. A symbol of
// no more segments than a row is the single-row symbol.
STRIPEGEN_INTERNAL std::vector<ExpandedLine> expandedStackedLines(const ExpandedSymbol& s, int segmentsPerRow);

// The separator between a composite component and the symbol's top row.
STRIPEGEN_INTERNAL ExpandedLine expandedCompositeSeparator(const ExpandedSymbol& s, int segmentsPerRow);

}  // namespace stripegen
