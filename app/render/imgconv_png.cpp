// PNG through libpng: grey 1 bit, palette 8 bit or RGB 8 bit a channel.
#include <png.h>

#include <cmath>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/render/imgconv_file.h"
#include "app/render/imgconv_image.h"

namespace quillet::imgconv {

namespace {

int pngFilterFlags(int code) {
    switch (code) {
        case 2: return PNG_FILTER_NONE;
        case 4: return PNG_FILTER_SUB;
        case 6: return PNG_FILTER_UP;
        case 8: return PNG_FILTER_AVG;
        case 10: return PNG_FILTER_PAETH;
        default: return PNG_ALL_FILTERS;
    }
}

// The rows in PNG's layout, one block: 1-bit samples packed from the high bit.
struct PngRows {
    size_t stride = 0;
    std::vector<uint8_t> bytes;
};

PngRows pngRows(const Image& img) {
    PngRows rows;
    rows.stride = img.depth == 1 ? size_t(img.width + 7) / 8 : size_t(img.width) * img.bytesPerPixel();
    rows.bytes.assign(rows.stride * size_t(img.height), 0);
    for (int y = 0; y < img.height; ++y) {
        const uint8_t* src = img.row(y);
        uint8_t* row = rows.bytes.data() + size_t(y) * rows.stride;
        if (img.depth == 1 && y > 0 && std::memcmp(src, img.row(y - 1), size_t(img.width)) == 0) {
            std::memcpy(row, row - rows.stride, rows.stride);  // the row above again
        } else if (img.depth == 1) {
            // Pixels are 0 or 1: eight at a time make one byte.
            const int whole = img.width / 8;
            for (int b = 0; b < whole; ++b, src += 8)
                row[b] = uint8_t(src[0] << 7 | src[1] << 6 | src[2] << 5 | src[3] << 4 | src[4] << 3 | src[5] << 2 |
                                 src[6] << 1 | src[7]);
            for (int x = whole * 8; x < img.width; ++x, ++src)
                if (*src) row[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
        } else {
            std::copy(src, src + rows.stride, row);
        }
    }
    return rows;
}

// Kept out of the function that calls setjmp, so no local of it lives
// across a longjmp.
[[gnu::noinline]] void writeAll(png_structp png, png_infop info, FILE* f, const Image& img, const Options& o,
                                png_bytepp rows, std::vector<png_color>& palette) {
    png_init_io(png, f);
    const int colourType = img.depth == 1 ? PNG_COLOR_TYPE_GRAY : img.depth == 8 ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB;
    png_set_IHDR(png, info, png_uint_32(img.width), png_uint_32(img.height), img.depth == 1 ? 1 : 8, colourType,
                 o.pngInterlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (img.depth == 8) {
        for (const Rgb& c : img.palette) palette.push_back({c[0], c[1], c[2]});
        png_set_PLTE(png, info, palette.data(), int(palette.size()));
    }
    const auto ppm = png_uint_32(std::lround(img.dpi / 0.0254));
    png_set_pHYs(png, info, ppm, ppm, PNG_RESOLUTION_METER);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, pngFilterFlags(o.pngFilter));
    png_write_info(png, info);
    if (o.pngInterlace) png_set_interlace_handling(png);
    png_write_image(png, rows);
    png_write_end(png, info);
}

}  // namespace

bool writePng(int fd, const Image& img, const Options& o) {
    OutputStream out(fd);
    if (!out.get()) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    auto rows = pngRows(img);
    std::vector<png_bytep> pointers;
    for (int y = 0; y < img.height; ++y) pointers.push_back(rows.bytes.data() + size_t(y) * rows.stride);
    std::vector<png_color> palette;
    volatile bool ok = false;
    if (info && !setjmp(png_jmpbuf(png))) {
        writeAll(png, info, out.get(), img, o, pointers.data(), palette);
        ok = true;
    }
    png_destroy_write_struct(&png, &info);
    return out.close() && ok;
}

}  // namespace quillet::imgconv
