#pragma once
// A symbol as the printer places it: one bit a dot at the device's
// resolution, every edge on the dot grid, nothing anti-aliased or dithered.
#include <cstdint>
#include <optional>
#include <vector>

#include "app/model/built_symbol.h"
#include "app/model/settings.h"

namespace quillet {

// Rows of packed bits, most significant bit first, each row padded to a
// whole byte; a set bit is a printed dot.
struct DotRaster {
    int width = 0, height = 0;
    std::vector<uint8_t> bits;

    int stride() const { return (width + 7) / 8; }
    bool at(int x, int y) const { return (bits[size_t(y) * stride() + size_t(x / 8)] >> (7 - x % 8)) & 1; }
    void set(int x, int y) { bits[size_t(y) * stride() + size_t(x / 8)] |= uint8_t(0x80 >> (x % 8)); }
    static DotRaster blank(int width, int height);
};

// The built symbol at dpiX x dpiY of the device: played without
// anti-aliasing at the dot scale (whole-dot modules for symbols asked in
// printer dots), a dot wherever the picture is darker than half. Nothing
// when the picture cannot be rendered at that size.
std::optional<DotRaster> printRaster(const SymbolSettings& s, const BuiltSymbol& symbol, int dpiX, int dpiY);

// Sets every dot of src on dst with src's top-left corner at (x, y) of
// dst; what falls outside dst is dropped.
void placeRaster(DotRaster& dst, const DotRaster& src, int x, int y);

}  // namespace quillet
