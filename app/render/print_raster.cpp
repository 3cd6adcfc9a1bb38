#include "app/render/print_raster.h"

#include <algorithm>

#include "app/render/effective_dimensions.h"
#include "platform/placeable.h"
#include "platform/renderer.h"

namespace quillet {

DotRaster DotRaster::blank(int width, int height) {
    DotRaster r;
    r.width = std::max(0, width);
    r.height = std::max(0, height);
    r.bits.assign(size_t(r.stride()) * size_t(r.height), 0);
    return r;
}

std::optional<DotRaster> printRaster(const SymbolSettings& s, const BuiltSymbol& symbol, int dpiX, int dpiY) {
    if (dpiX < 1 || dpiY < 1) return std::nullopt;
    const bool vertical = isVertical(s);
    const DotScale k = dotScale(s, vertical ? dpiY : dpiX, vertical ? dpiX : dpiY);
    const double scaleX = vertical ? k.along : k.across, scaleY = vertical ? k.across : k.along;
    const RecordedMetafile& m = symbol.metafile;
    const auto image = platform::renderToImage(platform::placeableMetafileBytes(m.records, m.xExt, m.yExt),
                                               dpiX * scaleX, dpiY * scaleY);
    if (!image) return std::nullopt;
    DotRaster r = DotRaster::blank(image->width, image->height);
    const std::vector<uint8_t> grey = image->grey();
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x)
            if (grey[size_t(y) * size_t(r.width) + size_t(x)] < 128) r.set(x, y);
    return r;
}

void placeRaster(DotRaster& dst, const DotRaster& src, int x, int y) {
    const int y0 = std::max(0, -y), y1 = std::min(src.height, dst.height - y);
    const int x0 = std::max(0, -x), x1 = std::min(src.width, dst.width - x);
    for (int sy = y0; sy < y1; ++sy)
        for (int sx = x0; sx < x1; ++sx)
            if (src.at(sx, sy)) dst.set(sx + x, sy + y);
}

}  // namespace quillet
