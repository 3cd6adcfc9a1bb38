#include "app/render/raster_properties.h"

#include <algorithm>

namespace quillet {

int correctedResolution(long long typed) {
    if (typed < 20) return 300;
    if (typed > 1440) return 1440;
    return int(typed);
}

int correctedJpegQuality(long long typed) {
    if (typed <= 0 || typed > 100) return 100;
    return int(typed);
}

int normalisedBitsPerPixel(int bits) { return bits == 8 || bits == 24 ? bits : 1; }

namespace {

// The digits of a text box as a number; saturates instead of overflowing.
long long typedNumber(const std::string& text) {
    long long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        v = std::min<long long>(v * 10 + (c - '0'), 1000000000LL);
    }
    return v;
}

constexpr int kBitsItems[] = {1, 8, 24};

}  // namespace

RasterDialogFields rasterDialogFields(const RasterOptions& r) {
    RasterDialogFields f;
    f.bitsPerPixelItem = r.rasterBitsPerPixel == 8 ? 1 : r.rasterBitsPerPixel == 24 ? 2 : 0;
    f.dpiText = std::to_string(r.rasterResolution);
    f.pngInterlace = r.pngInterlace != 0;
    f.pngFilterItem = std::clamp(r.pngFilter / 2, 0, 5);
    f.jpegQualityText = std::to_string(r.jpegQuality);
    f.tgaCompress = r.tgaCompression != 0;
    f.bmpCompress = r.bmpCompression != 0;
    f.gifCompress = r.gifCompression != 0;
    f.tiffItem = std::clamp(r.tiffCompression, 0, 4);
    return f;
}

void applyRasterDialog(RasterOptions& r, const RasterDialogFields& f) {
    r.rasterBitsPerPixel = kBitsItems[std::clamp(f.bitsPerPixelItem, 0, 2)];
    r.rasterResolution = correctedResolution(typedNumber(f.dpiText));
    r.jpegQuality = correctedJpegQuality(typedNumber(f.jpegQualityText));
    r.pngFilter = 2 * std::clamp(f.pngFilterItem, 0, 5);
    r.pngInterlace = f.pngInterlace ? 1 : 0;
    r.tgaCompression = f.tgaCompress ? 1 : 0;
    r.bmpCompression = f.bmpCompress ? 1 : 0;
    r.gifCompression = f.gifCompress ? 1 : 0;
    r.tiffCompression = std::clamp(f.tiffItem, 0, 4);
}

bool rasterDialogAcceptsKey(char c) { return (c >= '0' && c <= '9') || c == '\b'; }

}  // namespace quillet
