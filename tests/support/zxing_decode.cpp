#define ZX_USE_UTF8 1
#include "tests/support/zxing_decode.h"

#include <ZXing/ReadBarcode.h>

#include <algorithm>

namespace quillet::test {

void GreyImage::fillRect(int x, int y, int w, int h, uint8_t value) {
    int x0 = std::max(0, x), y0 = std::max(0, y);
    int x1 = std::min(width, x + w), y1 = std::min(height, y + h);
    for (int yy = y0; yy < y1; ++yy)
        std::fill(pixels.begin() + size_t(yy) * width + x0, pixels.begin() + size_t(yy) * width + x1, value);
}

GreyImage GreyImage::padded(int margin) const {
    GreyImage out(width + 2 * margin, height + 2 * margin);
    for (int y = 0; y < height; ++y)
        std::copy_n(pixels.begin() + size_t(y) * width, width,
                    out.pixels.begin() + size_t(y + margin) * out.width + margin);
    return out;
}

static Decoded convert(const ZXing::Result& r) {
    Decoded d;
    d.ok = r.isValid();
    d.format = ZXing::ToString(r.format());
    const auto& b = r.bytes();
    d.bytes.assign(b.begin(), b.end());
    d.text = r.text();
    d.symbologyId = r.symbologyIdentifier();
    d.ecLevel = r.ecLevel();
    return d;
}

static ZXing::DecodeHints hintsFor(const std::string& format, bool pure) {
    ZXing::DecodeHints hints;
    hints.setTryHarder(true).setTryRotate(true).setIsPure(pure);
    hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Read);
    if (!format.empty()) hints.setFormats(ZXing::BarcodeFormatFromString(format));
    return hints;
}

Decoded decode(const GreyImage& img, const std::string& format, bool pure) {
    ZXing::ImageView view(img.pixels.data(), img.width, img.height, ZXing::ImageFormat::Lum);
    return convert(ZXing::ReadBarcode(view, hintsFor(format, pure)));
}

std::vector<Decoded> decodeAll(const GreyImage& img, const std::string& format) {
    ZXing::ImageView view(img.pixels.data(), img.width, img.height, ZXing::ImageFormat::Lum);
    std::vector<Decoded> out;
    for (const auto& r : ZXing::ReadBarcodes(view, hintsFor(format, false))) out.push_back(convert(r));
    return out;
}

GreyImage matrixImage(const std::vector<std::vector<bool>>& modules, int scale, int quiet) {
    int rows = int(modules.size());
    int cols = rows ? int(modules[0].size()) : 0;
    GreyImage img((cols + 2 * quiet) * scale, (rows + 2 * quiet) * scale);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < int(modules[r].size()); ++c)
            if (modules[r][c]) img.fillRect((c + quiet) * scale, (r + quiet) * scale, scale, scale, 0);
    return img;
}

}  // namespace quillet::test

namespace quillet::test {

GreyImage patternImage(const std::string& pattern, int modulePx, int widePx, int height, int quietPx) {
    auto widthOf = [&](char c, bool& bar) -> int {
        bar = false;
        switch (c) {
        case '3': bar = true; return modulePx;
        case '5': bar = true; return 2 * modulePx;
        case '6': bar = true; return 3 * modulePx;
        case '7': bar = true; return 4 * modulePx;
        case '4': bar = true; return widePx;
        case 'C': bar = true; return 12 * modulePx / 13;
        case 'D': bar = true; return 25 * modulePx / 13;
        case 'E': bar = true; return 27 * modulePx / 13;
        case 'F': bar = true; return 40 * modulePx / 13;
        case '1': return modulePx;
        case '8': return 2 * modulePx;
        case '9': return 3 * modulePx;
        case 'A': return 4 * modulePx;
        case '2': return widePx;
        case 'B': return 9 * modulePx;
        case 'G': return 12 * modulePx / 13;
        case 'H': return 25 * modulePx / 13;
        case 'I': return 27 * modulePx / 13;
        case 'J': return 40 * modulePx / 13;
        default: return 0;
        }
    };
    int total = 0;
    bool bar = false;
    for (char c : pattern) total += widthOf(c, bar);
    GreyImage img(total + 2 * quietPx, height + 20);
    int x = quietPx;
    for (char c : pattern) {
        int w = widthOf(c, bar);
        if (bar) img.fillRect(x, 10, w, height, 0);
        x += w;
    }
    return img;
}

}  // namespace quillet::test
