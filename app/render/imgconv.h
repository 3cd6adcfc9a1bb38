#pragma once
// The image converter: renders a placeable metafile and writes a raster or
// vector image chosen by the target's extension. Both return 0 on success.
#include <cstdint>
#include <string>
#include <vector>

namespace quillet {

// True when target's extension (case ignored) names a format the converter
// writes: GIF, JPG, PNG, TIF, BMP, TGA, PCX, EPS, PDF or SVG.
bool convertsTo(const std::string& target);

// The converter's SAVEBARCODE export, same argument list: reads the
// placeable metafile file named by metafilePath.
int SAVEBARCODE(char* metafilePath, char* targetPath, int bitsPerPixel, int resolution, int jpegQuality,
                int pngFilter, int pngInterlace, int bmpCompression, int tgaCompression, int tiffCompression,
                int gifCompression);

// What a conversion came to: 0 or the step that failed (1 no target, 2 no
// format of that extension, 3 unreadable metafile, 4 unrenderable picture,
// 5 unwritable target), and why, in words.
struct Conversion {
    int code = 0;
    std::string reason;
};

// The same conversion of placeable metafile bytes held in memory.
Conversion saveBarCodeBytes(const std::vector<uint8_t>& placeable, const std::string& target, int bitsPerPixel,
                     int resolution, int jpegQuality, int pngFilter, int pngInterlace, int bmpCompression,
                     int tgaCompression, int tiffCompression, int gifCompression);

}  // namespace quillet
