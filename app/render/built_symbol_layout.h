#pragma once
// The layout a built linear symbol was drawn with, recomputed from its bar
// pattern and text, for measuring and grading it after the build.
#include "app/render/linear_layout.h"

namespace quillet {

struct BuiltSymbol;

LinearLayout builtSymbolLayout(const SymbolSettings& s, const BuiltSymbol& symbol);

}  // namespace quillet
