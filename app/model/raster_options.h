#pragma once
// Options of the output: raster image export, the save mode and the print
// margins; a member of SymbolSettings.
#include <cstdint>
#include <string>

namespace quillet {

enum SaveMode : int { SaveModeMetafile = 0, SaveModeBitmap = 1 };
enum TiffCompression : int { TiffNone = 0, TiffLzw = 1, TiffPackBits = 2, TiffGroup3 = 3, TiffGroup4 = 4 };

struct RasterOptions {
    int rasterBitsPerPixel = 1;     // 1, 8 or 24
    int rasterResolution = 300;     // pixels per inch, 20-1440
    int jpegQuality = 100;          // 1-100
    // 0 all filters (best), 2 none, 4 sub, 6 up, 8 average, 10 Paeth.
    int pngFilter = 0;
    int pngInterlace = 0;           // 0/1
    int bmpCompression = 0;         // 0/1, RLE
    int tgaCompression = 0;         // 0/1, RLE
    int tiffCompression = TiffNone;
    int gifCompression = 0;         // 0/1, LZW
    int saveMode = SaveModeMetafile;

    // Print margins in inches from the printable area's top-left corner.
    float leftPrintMargin = 0.0f;
    float topPrintMargin = 0.0f;
    bool operator==(const RasterOptions&) const = default;
};

}  // namespace quillet
