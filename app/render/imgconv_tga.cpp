// Truevision Targa, top-left origin: 8-bit greys for 1 bit per pixel (the
// format has no 1-bit form), a colour-mapped image for 8 and BGR for 24,
// optionally run-length packed (packets never cross a row).
#include "app/render/imgconv_file.h"
#include "app/render/imgconv_image.h"

namespace quillet::imgconv {

namespace {

// Packs one row of pixels of n bytes each.
void rleRow(const uint8_t* p, int width, size_t n, std::vector<uint8_t>& out) {
    auto same = [&](int a, int b) {
        for (size_t k = 0; k < n; ++k)
            if (p[size_t(a) * n + k] != p[size_t(b) * n + k]) return false;
        return true;
    };
    int i = 0;
    while (i < width) {
        int run = 1;
        while (i + run < width && run < 128 && same(i, i + run)) ++run;
        if (run >= 2) {
            out.push_back(uint8_t(0x80 | (run - 1)));
            out.insert(out.end(), p + size_t(i) * n, p + size_t(i + 1) * n);
            i += run;
            continue;
        }
        int raw = 1;
        while (i + raw < width && raw < 128 && !(i + raw + 1 < width && same(i + raw, i + raw + 1))) ++raw;
        out.push_back(uint8_t(raw - 1));
        out.insert(out.end(), p + size_t(i) * n, p + size_t(i + raw) * n);
        i += raw;
    }
}

}  // namespace

bool writeTga(int fd, const Image& img, const Options& o) {
    if (img.width > 0xFFFF || img.height > 0xFFFF) return false;
    const bool mapped = img.depth == 8;
    const size_t n = img.depth == 24 ? 3 : 1;
    const uint8_t type = uint8_t((img.depth == 1 ? 3 : mapped ? 1 : 2) + (o.tgaRle ? 8 : 0));
    std::vector<uint8_t> out = {0, uint8_t(mapped ? 1 : 0), type};
    putLe16(out, 0);
    putLe16(out, mapped ? uint32_t(img.palette.size()) : 0);
    out.push_back(mapped ? 24 : 0);
    putLe16(out, 0);
    putLe16(out, 0);
    putLe16(out, uint32_t(img.width));
    putLe16(out, uint32_t(img.height));
    out.push_back(uint8_t(img.depth == 24 ? 24 : 8));
    out.push_back(0x20);  // first row is the top one
    if (mapped)
        for (const Rgb& c : img.palette) out.insert(out.end(), {c[2], c[1], c[0]});
    std::vector<uint8_t> row(size_t(img.width) * n);
    for (int y = 0; y < img.height; ++y) {
        const uint8_t* src = img.row(y);
        for (int x = 0; x < img.width; ++x) {
            if (img.depth == 1) {
                row[size_t(x)] = src[x] ? 255 : 0;
            } else if (mapped) {
                row[size_t(x)] = src[x];
            } else {
                row[3 * size_t(x)] = src[3 * x + 2];
                row[3 * size_t(x) + 1] = src[3 * x + 1];
                row[3 * size_t(x) + 2] = src[3 * x];
            }
        }
        if (o.tgaRle)
            rleRow(row.data(), img.width, n, out);
        else
            out.insert(out.end(), row.begin(), row.end());
    }
    return platform::writeAll(fd, out);
}

}  // namespace quillet::imgconv
