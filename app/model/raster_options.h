#pragma once
// Options of the current symbol for raster image export; a member of SymbolSettings.
#include <cstdint>
#include <string>

namespace quillet {

struct RasterOptions {
};

}  // namespace quillet
