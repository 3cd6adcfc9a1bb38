#pragma once
// Saving the last built symbol to a file: the placeable metafile itself, or
// a raster/PostScript image through the image converter.
#include <string>

namespace quillet {

struct AppState;

// The eight extensions handed to the image converter (upper case), or "" for
// a name that receives the placeable metafile.
std::string rasterExtension(const std::string& path);

// Saves the scratch metafile under `path`. Returns false, after telling the
// user, when the file could not be written.
bool SaveSymbolImage(AppState& app, const std::string& path);

}  // namespace quillet
