#pragma once
// Reading back what a builder drew: rectangles and texts of a metafile, in
// record order, in logical (drawing-unit) coordinates.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/wmf_reader.h"

namespace quillet::test {

struct DrawnRect {
    int left, top, right, bottom;
    int width() const { return right - left; }
    bool operator==(const DrawnRect&) const = default;
};

struct DrawnText {
    int x, y;
    std::string text;
    int font;  // index of the font-creation record in effect, -1 when none
};

std::vector<uint8_t> readFileBytes(const std::string& path);
// Parses a placeable or plain metafile; fails the current test when it is not one.
wmf::Metafile parseMetafile(const std::vector<uint8_t>& bytes);
std::vector<DrawnRect> rectangles(const wmf::Metafile& m);
std::vector<DrawnText> texts(const wmf::Metafile& m);
// Window extent (x, y) as recorded, or (0, 0).
std::pair<int, int> windowExtent(const wmf::Metafile& m);
// Heights of the fonts created, in creation order.
std::vector<int> fontHeights(const wmf::Metafile& m);

}  // namespace quillet::test
