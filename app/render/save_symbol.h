#pragma once
// Saving the last built symbol as an image file.
#include <string>

namespace quillet {

struct AppState;

// Saves the scratch placeable metafile under path: copied as it is for a
// metafile (and any extension not converted), otherwise handed to the
// raster converter with the raster options. False when nothing was written.
bool SaveSymbolImage(AppState& app, const std::string& path);

}  // namespace quillet
