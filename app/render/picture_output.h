#pragma once
// How every builder starts and ends its drawing: the text font, the
// metafile set-up with background and bar objects, and their release.
#include "platform/gdi.h"

namespace quillet {

struct SymbolSettings;

// The text font of a symbol: the stock system font's description with the
// settings' face, weight, style and the escapement of the vertical
// orientations; height and width in drawing units.
gdi::LogFont symbolFont(const SymbolSettings& s, int height, int width, uint8_t charSet, uint8_t clipPrecision);

// The standard background and bar objects of a symbol: background rectangle
// over the window extent (unless transparent), then the foreground pen and
// brush selected. Returns what must be deleted afterwards.
struct SymbolObjects {
    gdi::Handle barPen = 0, barBrush = 0, backPen = 0, backBrush = 0;
};
SymbolObjects beginSymbolDrawing(gdi::Handle dc, int extX, int extY, unsigned foreColour, unsigned backColour,
                                 bool transparent, int barPenWidth);
// Selects the stock black pen and brush back in and deletes the bar pen and
// brush, then the background pen and brush.
void endSymbolDrawing(gdi::Handle dc, SymbolObjects& objects);

// A memory metafile set up as every symbol starts: window origin (0, 0) and
// extent (extX, -extY), a space written at the origin, then the background
// (in `background`, unless transparent) and the settings' bar pen and brush.
gdi::Handle beginSymbolMetafile(const SymbolSettings& s, int extX, int extY, uint32_t background,
                                SymbolObjects& objects);
// The two halves of endSymbolDrawing, for builders that delete their fonts
// between them (the deletions are recorded in the metafile in this order).
void releaseBarObjects(gdi::Handle dc, SymbolObjects& objects);
void deleteBackgroundObjects(SymbolObjects& objects);

}  // namespace quillet
