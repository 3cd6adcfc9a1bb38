// Row indicators and row strings.
#include "app/pdf417/pdf417_rows.h"

namespace quillet {

std::pair<int, int> Pdf417RowIndicators(int r, int R, int D, int s) {
    const int x = 30 * (r / 3);
    const int rowsPart = (R - 1) / 3, levelPart = 3 * s + (R - 1) % 3, columnsPart = D - 1;
    switch (r % 3) {
    case 0: return {x + rowsPart, x + columnsPart};
    case 1: return {x + levelPart, x + rowsPart};
    default: return {x + columnsPart, x + levelPart};
    }
}

std::vector<std::string> Pdf417RowStrings(const std::vector<int>& codewords, int R, int D, int s, bool truncated,
                                          const std::array<std::array<int32_t, 929>, 3>& patterns) {
    std::vector<std::string> rows;
    rows.reserve(size_t(R));
    for (int r = 0; r < R; ++r) {
        const auto& cluster = patterns[size_t(r % 3)];
        auto pattern = [&](int cw) { return std::to_string(cluster[size_t(cw)]); };
        auto [left, right] = Pdf417RowIndicators(r, R, D, s);
        std::string row = kPdf417StartPattern;
        row += pattern(left);
        for (int c = 0; c < D; ++c) row += pattern(codewords[size_t(r) * size_t(D) + size_t(c)]);
        if (truncated) {
            row += "1";
        } else {
            row += pattern(right);
            row += kPdf417StopPattern;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

ModuleMatrix Pdf417ModuleGrid(const std::vector<std::string>& rows) {
    ModuleMatrix g;
    g.rows = int(rows.size());
    for (char c : rows.empty() ? std::string() : rows[0]) g.cols += c - '0';
    g.dark.reserve(size_t(g.rows) * size_t(g.cols));
    for (const std::string& row : rows)
        for (size_t i = 0; i < row.size(); ++i) g.dark.insert(g.dark.end(), size_t(row[i] - '0'), i % 2 == 0);
    return g;
}

}  // namespace quillet
