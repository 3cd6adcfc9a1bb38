#pragma once
// A print job as a one-page PDF holding one 1-bit image at exactly the
// device's resolution, never interpolated: the printing system has nothing
// to scale or smooth, so the dots print where the raster put them.
#include <cstdint>
#include <vector>

#include "app/render/print_raster.h"

namespace quillet {

struct RasterPage {
    double widthPt = 612, heightPt = 792;  // the page, in points
    int dpiX = 300, dpiY = 300;            // the device's dots per inch
    int left = 0, top = 0;                 // the image's top-left corner, dots from the page's
};

std::vector<uint8_t> rasterPagePdf(const DotRaster& image, const RasterPage& page);

}  // namespace quillet
