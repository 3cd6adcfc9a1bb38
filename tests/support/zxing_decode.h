#pragma once
// Independent decoding of rendered symbols through zxing-cpp, shared by all
// test suites. Images are 8-bit grey, 0 = black, 255 = white.
#include <cstdint>
#include <string>
#include <vector>

namespace quillet::test {

struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // row-major, width * height

    GreyImage() = default;
    GreyImage(int w, int h, uint8_t fill = 255) : width(w), height(h), pixels(size_t(w) * h, fill) {}
    void fillRect(int x, int y, int w, int h, uint8_t value = 0);
    // Adds a white border of `margin` pixels on every side.
    GreyImage padded(int margin) const;
};

struct Decoded {
    bool ok = false;
    std::string format;        // zxing's name, e.g. "Code128", "EAN-13"
    std::string bytes;         // raw decoded bytes
    std::string text;          // UTF-8 text
    std::string symbologyId;   // e.g. "]C1"
    std::string ecLevel;
};

// Decodes one symbol of the given zxing format name ("" means any format).
// tryHarder and rotation are on; pure is for synthetic images with a quiet zone.
Decoded decode(const GreyImage& img, const std::string& format = "", bool pure = false);
std::vector<Decoded> decodeAll(const GreyImage& img, const std::string& format = "");

// Renders a module matrix (true = dark) with `scale` pixels a module and a
// `quiet` module wide margin.
GreyImage matrixImage(const std::vector<std::vector<bool>>& modules, int scale, int quiet);

}  // namespace quillet::test

namespace quillet::test {
// Rasterises a BarPattern: `modulePx` pixels a module (13 makes the 1/13
// letters exact), `widePx` for the wide elements 2 and 4, bars `height`
// pixels tall, with `quietPx` white pixels on each side.
GreyImage patternImage(const std::string& pattern, int modulePx, int widePx, int height = 60, int quietPx = 40);
}  // namespace quillet::test
