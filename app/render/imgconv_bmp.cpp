// Windows bitmap: 1 bit, 8 bit palette or 24 bit, bottom-up. Run-length
// compression exists in the format for 8-bit rows only (RLE8): a 1-bit
// picture asked for with compression is stored as RLE8 over its two-colour
// palette; 24-bit pictures have no run-length form and stay uncompressed.
#include <cmath>

#include "app/render/imgconv_file.h"
#include "app/render/imgconv_image.h"

namespace quillet::imgconv {

namespace {

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1;

// One row of palette indices in RLE8: runs of two or more as encoded runs,
// stretches of other bytes as absolute runs (three or more, padded to an
// even length), then the end-of-line escape.
void rle8Row(const uint8_t* p, int width, std::vector<uint8_t>& out) {
    int i = 0;
    while (i < width) {
        int run = 1;
        while (i + run < width && run < 255 && p[i + run] == p[i]) ++run;
        if (run >= 2) {
            out.push_back(uint8_t(run));
            out.push_back(p[i]);
            i += run;
            continue;
        }
        int lit = 1;  // bytes up to the next run of two
        while (i + lit < width && lit < 255 && !(i + lit + 1 < width && p[i + lit] == p[i + lit + 1])) ++lit;
        if (lit < 3) {
            for (int k = 0; k < lit; ++k) {
                out.push_back(1);
                out.push_back(p[i + k]);
            }
        } else {
            out.push_back(0);
            out.push_back(uint8_t(lit));
            out.insert(out.end(), p + i, p + i + lit);
            if (lit % 2) out.push_back(0);
        }
        i += lit;
    }
    out.push_back(0);
    out.push_back(0);
}

}  // namespace

bool writeBmp(int fd, const Image& img, const Options& o) {
    const bool rle = o.bmpRle && img.depth != 24;
    const int bitCount = rle ? 8 : img.depth;
    const uint32_t colours = img.depth == 24 ? 0 : uint32_t(img.palette.size());
    std::vector<uint8_t> pixels;
    if (rle) {
        for (int y = img.height - 1; y >= 0; --y) rle8Row(img.row(y), img.width, pixels);
        pixels.back() = 1;  // the last end-of-line becomes end-of-bitmap
    } else {
        const size_t stride = (size_t(img.width) * size_t(bitCount) + 31) / 32 * 4;
        for (int y = img.height - 1; y >= 0; --y) {
            std::vector<uint8_t> row(stride, 0);
            const uint8_t* src = img.row(y);
            for (int x = 0; x < img.width; ++x) {
                if (bitCount == 1) {
                    if (src[x]) row[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
                } else if (bitCount == 8) {
                    row[size_t(x)] = src[x];
                } else {
                    row[3 * size_t(x)] = src[3 * x + 2];
                    row[3 * size_t(x) + 1] = src[3 * x + 1];
                    row[3 * size_t(x) + 2] = src[3 * x];
                }
            }
            pixels.insert(pixels.end(), row.begin(), row.end());
        }
    }
    const uint32_t offset = 14 + 40 + 4 * colours;
    const auto ppm = uint32_t(std::lround(img.dpi / 0.0254));
    std::vector<uint8_t> out = {'B', 'M'};
    putLe32(out, offset + uint32_t(pixels.size()));
    putLe32(out, 0);
    putLe32(out, offset);
    putLe32(out, 40);
    putLe32(out, uint32_t(img.width));
    putLe32(out, uint32_t(img.height));
    putLe16(out, 1);
    putLe16(out, uint32_t(bitCount));
    putLe32(out, rle ? kBiRle8 : kBiRgb);
    putLe32(out, uint32_t(pixels.size()));
    putLe32(out, ppm);
    putLe32(out, ppm);
    putLe32(out, colours);
    putLe32(out, colours);
    for (uint32_t i = 0; i < colours; ++i) {
        const Rgb& c = img.palette[i];
        out.insert(out.end(), {c[2], c[1], c[0], 0});
    }
    out.insert(out.end(), pixels.begin(), pixels.end());
    return platform::writeAll(fd, out);
}

}  // namespace quillet::imgconv
