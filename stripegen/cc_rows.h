#pragma once
// Rows of a composite component as element widths.
#include <cstddef>
#include <vector>

#include "stripegen/cc_encode.h"
#include "stripegen/databar_symbols.h"

namespace stripegen {

// Elements of one row for the column count and component type.
STRIPEGEN_INTERNAL int ccRowElements(int columns, bool isCcb);

// All rows, one after another (ccRowElements() each); false when the
// component's size has no start row or its codeword count does not fill it.
STRIPEGEN_INTERNAL bool buildCcRows(const CcComponent& cc, Widths& rows);

}  // namespace stripegen
