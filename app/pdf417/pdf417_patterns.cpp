// Reading the codeword pattern table.
#include "app/pdf417/pdf417_patterns.h"

namespace quillet {
namespace {

bool isPattern(int64_t v) {
    if (v < 11111111 || v > 99999999) return false;
    int sum = 0;
    for (int i = 0; i < 8; ++i, v /= 10) {
        int d = int(v % 10);
        if (d < 1 || d > 6) return false;
        sum += d;
    }
    return sum == 17;
}

}  // namespace

Pdf417PatternTable& pdf417PatternTable() {
    static Pdf417PatternTable table;
    return table;
}

bool ParsePdf417Patterns(std::string_view text, std::array<std::array<int32_t, 929>, 3>& patterns) {
    size_t i = 0, count = 0;
    auto isSeparator = [](char c) { return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (count < 3 * 929) {
        while (i < text.size() && isSeparator(text[i])) ++i;
        if (i >= text.size()) return false;
        int64_t v = 0;
        size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 10) v = v * 10 + (text[i++] - '0');
        if (i == start || (i < text.size() && !isSeparator(text[i])) || !isPattern(v)) return false;
        patterns[count / 929][count % 929] = int32_t(v);
        ++count;
    }
    return true;
}

}  // namespace quillet
