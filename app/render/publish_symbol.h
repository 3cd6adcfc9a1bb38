#pragma once
// The finish every builder shares: a finished metafile becomes the last
// built symbol.
#include "app/model/built_symbol.h"
#include "platform/gdi.h"

namespace quillet {

struct AppState;

// How a builder's finish differs from the common one.
enum class Finish {
    Symbol,          // "Save &Bar Code As..." enabled, symbol-built flag set
    LinearSymbol,    // "Save .&dbp File As..." enabled as well
    FimPattern,      // both save commands; the symbol-built flag is left alone
    ScratchWritten,  // QR Code: its control has written the scratch file
};

// A value for a picture of extents (xExt, yExt) whose symbol is width
// across its bars and height along them; the builder adds what it carries.
BuiltSymbol symbolValue(int xExt, int yExt, int width, int height);

// Takes the closed metafile and the symbol's value (extents, sizes and what
// it carries; the records are read from the metafile here), then in this
// order: writes the scratch placeable file, empties the clipboard and puts
// the picture on it as its only format (the clipboard owns the handle from
// then on), shows the symbol in the preview by keeping it as the last built
// symbol, enables the save commands and sets the symbol-built flag. The
// width and the `TotalLength` display are set from the value. When the
// scratch file cannot be written the failure is shown instead and the
// picture is dropped, together with any symbol built before.
void publishSymbol(AppState& app, gdi::Handle metafile, BuiltSymbol symbol, Finish finish = Finish::Symbol);

// Ends a run with app.scratchDeferred set: the last built symbol goes to the
// scratch file, as if it had been written when it was built. False (with the
// failure shown and the symbol dropped) when the file cannot be written.
bool finishDeferredScratch(AppState& app);

}  // namespace quillet
