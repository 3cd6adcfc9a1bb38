#pragma once
// Helpers shared by the library's tests: calling the exports with buffers,
// and rendering element widths for the independent reader.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "stripegen/stripegen.h"
#include "tests/support/zxing_decode.h"

namespace stripegen::test {

using Row = std::vector<int>;

// A caller-side buffer of the size the program passes.
struct Buffer {
    std::vector<char> bytes = std::vector<char>(STRIPEGEN_BUFFER_SIZE, '\x7f');
    char* ptr = bytes.data();
    Row widths() const {
        Row r;
        for (char c : bytes) {
            if (c == 0) break;
            r.push_back((unsigned char)c);
        }
        return r;
    }
    bool untouched() const { return bytes[0] == '\x7f'; }
};

struct Omni {
    int32_t status = -1;
    Buffer pattern, separator, rows;
    int32_t rowCount = -1, perRow = -1;
};
inline Omni callOmni(const std::string& msg) {
    Omni o;
    std::string m = msg;
    char* mp = m.data();
    o.status = RSSPattern(&mp, &o.pattern.ptr, &o.separator.ptr, &o.rows.ptr, &o.rowCount, &o.perRow);
    return o;
}

struct Stacked {
    int32_t status = -1;
    Buffer upper, lower, upperSep, middle, lowerSep, separator, rows;
    int32_t rowCount = -1, perRow = -1;
};
inline Stacked callStacked(const std::string& msg) {
    Stacked s;
    std::string m = msg;
    char* mp = m.data();
    s.status = RSS14SPattern(&mp, &s.upper.ptr, &s.lower.ptr, &s.middle.ptr, &s.separator.ptr, &s.rows.ptr,
                             &s.rowCount, &s.perRow);
    return s;
}
inline Stacked callStackedOmni(const std::string& msg) {
    Stacked s;
    std::string m = msg;
    char* mp = m.data();
    s.status = RSS14SOPattern(&mp, &s.upper.ptr, &s.lower.ptr, &s.upperSep.ptr, &s.middle.ptr, &s.lowerSep.ptr,
                              &s.separator.ptr, &s.rows.ptr, &s.rowCount, &s.perRow);
    return s;
}
inline Omni callLimited(const std::string& msg) {
    Omni o;
    std::string m = msg;
    char* mp = m.data();
    o.status = RSSLimPattern(&mp, &o.pattern.ptr, &o.separator.ptr, &o.rows.ptr, &o.rowCount, &o.perRow);
    return o;
}

struct Expanded {
    int32_t status = -1;
    Buffer lines, separator, rows;
    int32_t lineCount = -1, rowCount = -1, perRow = -1, offset = -1;
    std::vector<int32_t> elements = std::vector<int32_t>(STRIPEGEN_EXPANDED_MAX_LINES, -1);
    std::vector<int32_t> darkFirst = std::vector<int32_t>(STRIPEGEN_EXPANDED_MAX_LINES, -1);
    // Line i's widths.
    Row line(int i) const {
        Row all = lines.widths();
        size_t from = 0;
        for (int k = 0; k < i; ++k) from += size_t(elements[size_t(k)]);
        return Row(all.begin() + long(from), all.begin() + long(from + size_t(elements[size_t(i)])));
    }
};
inline Expanded callExpanded(const std::string& msg, int32_t segments) {
    Expanded e;
    std::string m = msg;
    char* mp = m.data();
    e.status = RSSExpPattern(&mp, &segments, &e.lines.ptr, &e.lineCount, e.elements.data(), e.darkFirst.data(),
                             &e.separator.ptr, &e.rows.ptr, &e.rowCount, &e.perRow, &e.offset);
    return e;
}

inline int moduleCount(const Row& r) {
    int n = 0;
    for (int w : r) n += w;
    return n;
}

// Draws rows of alternating widths (light first) stacked from the top, each
// `heights[i]` modules high, `scale` pixels a module, 12 modules of margin.
inline quillet::test::GreyImage renderRows(const std::vector<Row>& rows, const std::vector<int>& heights,
                                           int scale = 3) {
    int width = 0, height = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        width = std::max(width, moduleCount(rows[i]));
        height += heights[i];
    }
    const int margin = 12;
    quillet::test::GreyImage img((width + 2 * margin) * scale, (height + 2 * margin) * scale);
    int y = margin;
    for (size_t i = 0; i < rows.size(); ++i) {
        int x = margin;
        for (size_t e = 0; e < rows[i].size(); ++e) {
            if (e % 2 == 1) img.fillRect(x * scale, y * scale, rows[i][e] * scale, heights[i] * scale, 0);
            x += rows[i][e];
        }
        y += heights[i];
    }
    return img;
}

// GS1 check digit (weights 3, 1, 3, ... from the right).
inline char gs1CheckDigit(const std::string& digits) {
    int sum = 0, n = int(digits.size());
    for (int i = 0; i < n; ++i) sum += (digits[size_t(n - 1 - i)] - '0') * (i % 2 == 0 ? 3 : 1);
    return char('0' + (10 - sum % 10) % 10);
}

// The bits held by a CC-B's data codewords: 920, 901 or 924 (by the byte
// count), then PDF417 byte compaction; trailing 900 pads dropped.
inline std::string ccbPayloadBits(const std::vector<int>& data, bool& ok) {
    ok = data.size() >= 2 && data[0] == 920 && (data[1] == 901 || data[1] == 924);
    if (!ok) return {};
    std::vector<int> cw(data.begin() + 2, data.end());
    while (!cw.empty() && cw.back() == 900) cw.pop_back();
    size_t groups = cw.size() / 5;
    std::vector<int> bytes;
    for (size_t g = 0; g < groups; ++g) {
        uint64_t v = 0;
        for (int j = 0; j < 5; ++j) v = v * 900 + uint64_t(cw[g * 5 + size_t(j)]);
        for (int j = 5; j >= 0; --j) bytes.push_back(int((v >> (8 * j)) & 0xff));
    }
    for (size_t i = groups * 5; i < cw.size(); ++i) bytes.push_back(cw[i]);
    ok = (data[1] == 924) == (bytes.size() % 6 == 0);
    std::string bits;
    for (int b : bytes)
        for (int j = 7; j >= 0; --j) bits += ((b >> j) & 1) ? '1' : '0';
    return bits;
}

// The element string with parentheses round each AI, as a reader shows it.
inline std::string humanReadable(const std::string& message) {
    static const std::map<std::string, size_t> fixed = {{"01", 14}, {"11", 6}, {"13", 6}, {"15", 6}, {"17", 6},
                                                        {"31", 6}, {"32", 6}};
    std::string out;
    size_t i = 0;
    while (i < message.size()) {
        size_t aiLength = message.compare(i, 1, "3") == 0 || message.compare(i, 2, "70") == 0 ? 4 : 2;
        std::string ai = message.substr(i, aiLength);
        out += "(" + ai + ")";
        i += aiLength;
        auto f = fixed.find(ai.substr(0, 2));
        size_t end = f != fixed.end() ? i + f->second : message.find('\x1d', i);
        if (end == std::string::npos || end > message.size()) end = message.size();
        out += message.substr(i, end - i);
        i = end < message.size() && message[end] == '\x1d' ? end + 1 : end;
    }
    return out;
}

inline std::string padded13(const std::string& primary) {
    std::string s = "0000000000000" + primary;
    return s.substr(s.size() - 13);
}

}  // namespace stripegen::test
