#include "app/model/text_lines.h"

namespace quillet {

namespace {

size_t lineEnd(std::string_view bytes, size_t start) {
    // A plain scan: find_first_of looks each byte up in its set.
    size_t end = start;
    while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
    return end;
}

size_t nextLineStart(std::string_view bytes, size_t end) {
    if (end >= bytes.size()) return bytes.size();
    if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') return end + 2;
    return end + 1;
}

}  // namespace

TextLines indexTextLines(std::string bytes) {
    TextLines lines;
    lines.bytes = std::move(bytes);
    const std::string_view text = lines.bytes;
    for (size_t start = 0; start < text.size(); start = nextLineStart(text, lineEnd(text, start))) {
        if (lines.count % kTextLineMarkStep == 0) lines.marks.push_back(start);
        ++lines.count;
    }
    return lines;
}

std::string_view textLine(const TextLines& lines, size_t index) {
    if (index >= lines.count) return {};
    const std::string_view text = lines.bytes;
    size_t start = lines.marks[index / kTextLineMarkStep];
    for (size_t skip = index % kTextLineMarkStep; skip > 0; --skip) start = nextLineStart(text, lineEnd(text, start));
    return text.substr(start, lineEnd(text, start) - start);
}

std::string_view nextTextLine(const TextLines& lines, size_t& start) {
    const std::string_view text = lines.bytes;
    if (start >= text.size()) return {};
    const size_t end = lineEnd(text, start);
    const std::string_view line = text.substr(start, end - start);
    start = nextLineStart(text, end);
    return line;
}

}  // namespace quillet
