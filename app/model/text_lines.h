#pragma once
// The lines of a text file (message files, batch files), held as the file's
// own bytes with a sparse index: a file of millions of short lines costs
// little more than the file itself, where one string per line would cost
// dozens of bytes each.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

struct TextLines {
    std::string bytes;
    std::vector<size_t> marks;  // where every kTextLineMarkStep-th line starts
    size_t count = 0;
    bool operator==(const TextLines&) const = default;
};

inline constexpr size_t kTextLineMarkStep = 64;

// Line ends are CR LF, LF or CR; a line end at the very end does not start
// another line.
TextLines indexTextLines(std::string bytes);

// Line index (0-based, below count) without its line end; it stays valid
// while lines lives unchanged.
std::string_view textLine(const TextLines& lines, size_t index);

// Reading in order: the line that starts at byte offset start (0 for the
// first), moving start to where the next one begins. A batch reads each
// line once this way, where textLine would skip up to a mark's worth.
std::string_view nextTextLine(const TextLines& lines, size_t& start);

}  // namespace quillet
