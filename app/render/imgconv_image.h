#pragma once
// The picture the image converter writes, prepared at the colour depth
// asked for, and the writer of each file format.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/renderer.h"

namespace quillet::imgconv {

using Rgb = std::array<uint8_t, 3>;

struct Options {
    int bitsPerPixel = 1;  // 1, 8 or 24
    int resolution = 300;  // pixels per inch
    int jpegQuality = 100;
    int pngFilter = 0;     // 0 all, 2 none, 4 sub, 6 up, 8 average, 10 Paeth
    bool pngInterlace = false;
    bool bmpRle = false;
    bool tgaRle = false;
    int tiffCompression = 0;  // 0 none, 1 LZW, 2 PackBits, 3 Group 3, 4 Group 4
    bool gifLzw = false;
};

// Depth 1: one byte a pixel, 0 black, 1 white (palette {black, white}).
// Depth 8: one palette index a pixel; the palette holds the picture's own
// colours when there are at most 256 of them, else a 6x7x6 colour cube.
// Depth 24: three bytes a pixel, red, green, blue.
struct Image {
    int width = 0;
    int height = 0;
    int depth = 1;
    int dpi = 300;
    std::vector<uint8_t> data;
    std::vector<Rgb> palette;

    size_t bytesPerPixel() const { return depth == 24 ? 3 : 1; }
    const uint8_t* row(int y) const { return data.data() + size_t(y) * size_t(width) * bytesPerPixel(); }
    Rgb rgb(int x, int y) const;
    uint8_t grey(int x, int y) const;  // luminance, 0 black
};

// Dark pixels (luminance below one half) become black at depth 1.
Image prepareImage(const platform::RenderedImage& rendered, int depth, int dpi);
// The depth-1 pixels of n 0xAARRGGBB pixels: 0 where luminance < 128, else 1.
void darkPixelsToZero(const uint32_t* argb, uint8_t* out, size_t n);

// Luminance of an RGB colour, 0 black .. 255 white.
uint8_t luminance(const Rgb& c);

// Each writes the whole file through fd (left open) and returns false when
// it could not.
bool writePng(int fd, const Image& img, const Options& o);
bool writeJpeg(int fd, const Image& img, const Options& o);
bool writeTiff(int fd, const Image& img, const Options& o);
bool writeGif(int fd, const Image& img, const Options& o);
bool writeBmp(int fd, const Image& img, const Options& o);
bool writeTga(int fd, const Image& img, const Options& o);
bool writePcx(int fd, const Image& img, const Options& o);
// The vector formats are drawn from the metafile itself, at its physical size.
bool writeEps(int fd, const std::vector<uint8_t>& placeable);
bool writePdf(int fd, const std::vector<uint8_t>& placeable);
bool writeSvg(int fd, const std::vector<uint8_t>& placeable);

}  // namespace quillet::imgconv
