// ZSoft PC Paintbrush version 5, always run-length encoded (the format's
// only encoding): one 1-bit plane, one 8-bit plane with the 256-colour
// palette at the end, or three 8-bit planes for 24 bits.
#include "app/render/imgconv_file.h"
#include "app/render/imgconv_image.h"

namespace quillet::imgconv {

namespace {

void encodeLine(const std::vector<uint8_t>& line, std::vector<uint8_t>& out) {
    size_t i = 0;
    while (i < line.size()) {
        size_t run = 1;
        while (i + run < line.size() && run < 63 && line[i + run] == line[i]) ++run;
        if (run > 1 || line[i] >= 0xC0) out.push_back(uint8_t(0xC0 | run));
        out.push_back(line[i]);
        i += run;
    }
}

}  // namespace

bool writePcx(int fd, const Image& img, const Options&) {
    if (img.width > 0xFFFF || img.height > 0xFFFF) return false;
    const bool mono = img.depth == 1;
    const int planes = img.depth == 24 ? 3 : 1;
    size_t bytesPerLine = mono ? size_t(img.width + 7) / 8 : size_t(img.width);
    bytesPerLine += bytesPerLine % 2;
    std::vector<uint8_t> out = {10, 5, 1, uint8_t(mono ? 1 : 8)};
    putLe16(out, 0);
    putLe16(out, 0);
    putLe16(out, uint32_t(img.width - 1));
    putLe16(out, uint32_t(img.height - 1));
    putLe16(out, uint32_t(img.dpi));
    putLe16(out, uint32_t(img.dpi));
    for (int i = 0; i < 16; ++i) {
        const uint8_t v = (mono && i == 1) ? 255 : 0;  // 1-bit: 0 black, 1 white
        out.insert(out.end(), {v, v, v});
    }
    out.push_back(0);
    out.push_back(uint8_t(planes));
    putLe16(out, uint32_t(bytesPerLine));
    putLe16(out, 1);  // colour / monochrome palette
    putLe16(out, 0);
    putLe16(out, 0);
    out.resize(128, 0);
    std::vector<uint8_t> line;
    for (int y = 0; y < img.height; ++y) {
        const uint8_t* src = img.row(y);
        for (int plane = 0; plane < planes; ++plane) {
            line.assign(bytesPerLine, 0);
            for (int x = 0; x < img.width; ++x) {
                if (mono) {
                    if (src[x]) line[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
                } else {
                    line[size_t(x)] = src[size_t(x) * size_t(planes) + size_t(plane)];
                }
            }
            encodeLine(line, out);
        }
    }
    if (img.depth == 8) {
        out.push_back(0x0C);
        for (size_t i = 0; i < 256; ++i) {
            const Rgb c = i < img.palette.size() ? img.palette[i] : Rgb{0, 0, 0};
            out.insert(out.end(), c.begin(), c.end());
        }
    }
    return platform::writeAll(fd, out);
}

}  // namespace quillet::imgconv
