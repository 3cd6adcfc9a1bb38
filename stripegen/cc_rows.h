#pragma once
// Rows of a composite component as element widths.
#include <cstddef>
#include <vector>

#include "stripegen/cc_encode.h"
#include "stripegen/databar_symbols.h"

namespace stripegen {

// Elements of one row for the column count and component type.
STRIPEGEN_INTERNAL int ccRowElements(int columns, bool isCcb);

// All rows, one after another (ccRowElements() each); false when the row
// address tables are missing or the component has no start row.
STRIPEGEN_INTERNAL bool buildCcRows(const CcComponent& cc, Widths& rows);

}  // namespace stripegen
