#pragma once
// The comment line every builder that draws its own symbol writes under or
// above it.
#include "app/render/drawing_math.h"
#include "platform/gdi.h"

namespace quillet {

struct SymbolSettings;

// Draws the comment in one call with the font already selected: left-aligned
// at the margin, centred on the symbol width or right-aligned at the margin,
// its top at y of the horizontal layout, placed for the orientation.
void drawCommentLine(gdi::Handle dc, const OrientationMap& map, const SymbolSettings& s, int margin, int width, int y);

}  // namespace quillet
