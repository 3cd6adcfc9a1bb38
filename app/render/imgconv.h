#pragma once
// The image converter: reads a placeable metafile and writes a raster or
// EPS image chosen by the target's extension. Same argument list as the
// converter's SAVEBARCODE export; returns 0 on success.
namespace quillet {

int SAVEBARCODE(char* metafilePath, char* targetPath, int bitsPerPixel, int resolution, int jpegQuality,
                int pngFilter, int pngInterlace, int bmpCompression, int tgaCompression, int tiffCompression,
                int gifCompression);

}  // namespace quillet
