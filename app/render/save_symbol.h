#pragma once
// Saving the last built symbol as an image file.
#include <string>

namespace quillet {

struct AppState;

// Saves the last built symbol under path: its placeable metafile for a
// metafile (and any extension not converted), otherwise through the image
// converter with the raster options. Works from the symbol in memory, so the
// scratch file is never read back. False when nothing was written.
bool SaveSymbolImage(AppState& app, const std::string& path);

}  // namespace quillet
