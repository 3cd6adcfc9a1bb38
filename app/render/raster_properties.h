#pragma once
// The "Raster Image Properties" dialog as data: what its controls show for
// the current raster options, and what "OK" stores. The window and the
// command language share the corrections.
#include <string>

#include "app/model/raster_options.h"

namespace quillet {

// Resolution typed: below 20 becomes 300, above 1440 becomes 1440.
int correctedResolution(long long typed);
// JPEG quality typed: 0 or less, or above 100, becomes 100.
int correctedJpegQuality(long long typed);
// Bits per pixel as the drop-down shows it: 8 or 24, anything else 1.
int normalisedBitsPerPixel(int bits);

struct RasterDialogFields {
    int bitsPerPixelItem = 0;   // `cboBPP`: 0 "1", 1 "8", 2 "24"
    std::string dpiText;        // `txtDPI`
    bool pngInterlace = false;  // `chkPNGInterlace`
    int pngFilterItem = 0;      // `cboPNGFilter`: 0 all .. 5 Paeth
    std::string jpegQualityText;  // `txtJPEGQuality`
    bool tgaCompress = false;   // `chkTGACompress`
    bool bmpCompress = false;   // `chkBMPCompress`
    bool gifCompress = false;   // `chkGIFCompress`
    int tiffItem = 0;           // `cboTIFFCompression`: 0 None .. 4 Group4
};

// The controls on opening.
RasterDialogFields rasterDialogFields(const RasterOptions& r);
// "OK": stores the controls' values, corrected.
void applyRasterDialog(RasterOptions& r, const RasterDialogFields& f);
// The text boxes take only the digits 0-9 (and backspace).
bool rasterDialogAcceptsKey(char c);

}  // namespace quillet
