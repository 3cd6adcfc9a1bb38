// TIFF through libtiff: bilevel, palette or RGB, uncompressed, LZW,
// PackBits or CCITT Group 3/Group 4. The CCITT schemes code bilevel images
// only, so asking for them writes the image bilevel whatever the depth.
#include <tiffio.h>
#include <unistd.h>

#include <cstdarg>
#include <vector>

#include "app/render/imgconv_image.h"

namespace quillet::imgconv {

namespace {

void quiet(const char*, const char*, va_list) {}

uint16_t tiffScheme(int code) {
    switch (code) {
        case 1: return COMPRESSION_LZW;
        case 2: return COMPRESSION_PACKBITS;
        case 3: return COMPRESSION_CCITTFAX3;
        case 4: return COMPRESSION_CCITTFAX4;
        default: return COMPRESSION_NONE;
    }
}

// Bilevel row, packed from the high bit, 0 = black (min-is-black).
void packBilevel(const Image& img, int y, std::vector<uint8_t>& out) {
    out.assign(size_t(img.width + 7) / 8, 0);
    for (int x = 0; x < img.width; ++x) {
        const bool white = img.depth == 1 ? img.row(y)[x] != 0 : img.grey(x, y) >= 128;
        if (white) out[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
    }
}

}  // namespace

bool writeTiff(int fd, const Image& img, const Options& o) {
    TIFFSetErrorHandler(quiet);
    TIFFSetWarningHandler(quiet);
    // libtiff closes the descriptor it is given.
    const int own = ::dup(fd);
    TIFF* t = own < 0 ? nullptr : TIFFFdOpen(own, "image.tif", "w");
    if (!t) {
        if (own >= 0) ::close(own);
        return false;
    }
    const uint16_t scheme = tiffScheme(o.tiffCompression);
    const bool ccitt = scheme == COMPRESSION_CCITTFAX3 || scheme == COMPRESSION_CCITTFAX4;
    const int depth = ccitt ? 1 : img.depth;
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, uint32_t(img.width));
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, uint32_t(img.height));
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_COMPRESSION, scheme);
    TIFFSetField(t, TIFFTAG_XRESOLUTION, float(img.dpi));
    TIFFSetField(t, TIFFTAG_YRESOLUTION, float(img.dpi));
    TIFFSetField(t, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    std::vector<uint16_t> red, green, blue;
    if (depth == 1) {
        TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, uint16_t(1));
        TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, uint16_t(1));
        // Fax readers expect white as 0.
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, ccitt ? PHOTOMETRIC_MINISWHITE : PHOTOMETRIC_MINISBLACK);
        if (scheme == COMPRESSION_CCITTFAX3) TIFFSetField(t, TIFFTAG_GROUP3OPTIONS, uint32_t(GROUP3OPT_FILLBITS));
    } else if (depth == 8) {
        TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, uint16_t(8));
        TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, uint16_t(1));
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_PALETTE);
        red.assign(256, 0);
        green.assign(256, 0);
        blue.assign(256, 0);
        for (size_t i = 0; i < img.palette.size(); ++i) {
            red[i] = uint16_t(img.palette[i][0] * 257);
            green[i] = uint16_t(img.palette[i][1] * 257);
            blue[i] = uint16_t(img.palette[i][2] * 257);
        }
        TIFFSetField(t, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
    } else {
        TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, uint16_t(8));
        TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, uint16_t(3));
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    }
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(t, 0));
    bool ok = true;
    std::vector<uint8_t> line;
    for (int y = 0; y < img.height && ok; ++y) {
        if (depth == 1) {
            packBilevel(img, y, line);
            if (ccitt)
                for (uint8_t& b : line) b = uint8_t(~b);
            if (img.width % 8 && ccitt) line.back() &= uint8_t(0xFF << (8 - img.width % 8));
        } else {
            const uint8_t* src = img.row(y);
            line.assign(src, src + size_t(img.width) * img.bytesPerPixel());
        }
        ok = TIFFWriteScanline(t, line.data(), uint32_t(y), 0) == 1;
    }
    if (ok) ok = TIFFWriteDirectory(t) == 1;
    TIFFClose(t);
    return ok;
}

}  // namespace quillet::imgconv
