// GIF: at most 256 colours, so 24 bits per pixel arrive here as a palette
// image. With compression on, giflib's LZW coder writes the data; with it
// off, every pixel is sent as a literal code and the code table is
// cleared before it can grow, which any GIF reader decodes as usual.
#include <gif_lib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/render/imgconv_file.h"
#include "app/render/imgconv_image.h"

namespace quillet::imgconv {

namespace {

bool writeLzw(int fd, const Image& img, int bits) {
    int error = 0;
    // giflib closes the descriptor it is given.
    const int own = ::dup(fd);
    GifFileType* gif = own < 0 ? nullptr : EGifOpenFileHandle(own, &error);
    if (!gif) {
        if (own >= 0) ::close(own);
        return false;
    }
    std::vector<GifColorType> colours(size_t(1) << bits, GifColorType{0, 0, 0});
    for (size_t i = 0; i < img.palette.size(); ++i) colours[i] = {img.palette[i][0], img.palette[i][1], img.palette[i][2]};
    ColorMapObject* map = GifMakeMapObject(int(colours.size()), colours.data());
    bool ok = map && EGifPutScreenDesc(gif, img.width, img.height, bits, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, img.width, img.height, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> line(size_t(img.width));
    for (int y = 0; y < img.height && ok; ++y) {
        line.assign(img.row(y), img.row(y) + img.width);
        ok = EGifPutLine(gif, line.data(), img.width) == GIF_OK;
    }
    GifFreeMapObject(map);
    return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

struct BitWriter {
    std::vector<uint8_t> bytes;
    uint32_t acc = 0;
    int filled = 0;
    void put(unsigned code, int width) {
        acc |= uint32_t(code) << filled;
        filled += width;
        while (filled >= 8) {
            bytes.push_back(uint8_t(acc));
            acc >>= 8;
            filled -= 8;
        }
    }
    void flush() {
        if (filled > 0) bytes.push_back(uint8_t(acc));
        acc = 0;
        filled = 0;
    }
};

void put16(std::vector<uint8_t>& out, int v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

bool writeLiteral(int fd, const Image& img, int bits) {
    const int minCode = bits < 2 ? 2 : bits;
    const unsigned clear = 1u << minCode, end = clear + 1;
    const int width = minCode + 1;
    // Literals between clears: the table then never reaches the next code width.
    const int run = int(clear) - 2;
    std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    put16(out, img.width);
    put16(out, img.height);
    out.push_back(uint8_t(0x80 | ((bits - 1) << 4) | (bits - 1)));
    out.push_back(0);  // background index
    out.push_back(0);  // aspect
    for (size_t i = 0; i < (size_t(1) << bits); ++i)
        for (int k = 0; k < 3; ++k) out.push_back(i < img.palette.size() ? img.palette[i][size_t(k)] : 0);
    out.push_back(0x2C);
    put16(out, 0);
    put16(out, 0);
    put16(out, img.width);
    put16(out, img.height);
    out.push_back(0);
    out.push_back(uint8_t(minCode));
    BitWriter w;
    int sinceClear = run;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            if (sinceClear == run) {
                w.put(clear, width);
                sinceClear = 0;
            }
            w.put(img.row(y)[x], width);
            ++sinceClear;
        }
    w.put(end, width);
    w.flush();
    for (size_t i = 0; i < w.bytes.size(); i += 255) {
        const size_t n = std::min<size_t>(255, w.bytes.size() - i);
        out.push_back(uint8_t(n));
        out.insert(out.end(), w.bytes.begin() + ptrdiff_t(i), w.bytes.begin() + ptrdiff_t(i + n));
    }
    out.push_back(0);
    out.push_back(0x3B);
    return platform::writeAll(fd, out);
}

}  // namespace

bool writeGif(int fd, const Image& img, const Options& o) {
    if (img.depth == 24) return false;  // the caller hands over a palette image
    // The colour table has the depth asked for: two entries at 1 bit, 256 at
    // 8 bits however few of them the picture uses.
    const int bits = img.depth == 1 ? 1 : 8;
    return o.gifLzw ? writeLzw(fd, img, bits) : writeLiteral(fd, img, bits);
}

}  // namespace quillet::imgconv
