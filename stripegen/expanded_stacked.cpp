#include "stripegen/expanded_stacked.h"

#include <algorithm>

#include "stripegen/separators.h"

namespace stripegen {

namespace {

// A row as read left to right, and how it is drawn.
struct Row {
    Modules modules;
    std::vector<int> finderStarts;  // first module of each finder
    bool reversed = false;          // drawn right to left
    bool shifted = false;           // drawn one light module further in
};

// Guard, pairs `first` to `last` - 1 and guard. Each pair keeps its colours:
// a row opening with a pair that begins dark opens with a dark guard module.
Row buildRow(const ExpandedSymbol& s, int first, int last) {
    Row row;
    bool dark = first % 2 == 1;
    auto append = [&](int width) {
        row.modules.insert(row.modules.end(), size_t(width), dark);
        dark = !dark;
    };
    append(1);
    append(1);
    for (int p = first; p < last; ++p) {
        Widths pair = expandedPair(s, p);
        row.finderStarts.push_back(int(row.modules.size()) + 17);
        for (uint8_t w : pair) append(w);
    }
    append(1);
    append(1);
    return row;
}

ExpandedLine line(const Modules& m) {
    ExpandedLine l;
    l.darkFirst = !m.empty() && m[0];
    Modules lightFirst = m;
    if (l.darkFirst) lightFirst.insert(lightFirst.begin(), false);  // toWidths drops the empty first run
    l.widths = toWidths(lightFirst);
    if (l.darkFirst) l.widths.erase(l.widths.begin());
    return l;
}

// The row's modules, or its separator's, as drawn: the separator is formed
// in the row's reading direction and turned with it.
ExpandedLine drawn(const Row& row, Modules m) {
    if (row.reversed) std::reverse(m.begin(), m.end());
    if (row.shifted) m.insert(m.begin(), false);
    return line(m);
}

ExpandedLine separatorOf(const Row& row) {
    ExpandedLine r = line(row.modules);
    Widths sep = finderSeparator(r.widths, row.finderStarts, r.darkFirst);
    return drawn(row, toModules(sep));
}

size_t drawnWidth(const Row& row) { return row.modules.size() + (row.shifted ? 1 : 0); }

// Four light modules, then dark and light modules in turn, dark on the odd
// places, and four light modules at the right.
ExpandedLine checkerboard(size_t width) {
    Modules m(width, false);
    for (size_t i = 5; i + 4 < width; i += 2) m[i] = true;
    return line(m);
}

}  // namespace

ExpandedLine expandedCompositeSeparator(const ExpandedSymbol& s, int segmentsPerRow) {
    return separatorOf(buildRow(s, 0, std::min(expandedPairs(s), std::max(1, segmentsPerRow / 2))));
}

std::vector<ExpandedLine> expandedStackedLines(const ExpandedSymbol& s, int segmentsPerRow) {
    const int pairs = expandedPairs(s), perRow = std::max(1, segmentsPerRow / 2);
    std::vector<Row> rows;
    for (int first = 0, r = 0; first < pairs; first += perRow, ++r) {
        const int last = std::min(pairs, first + perRow);
        // With an even number of pairs a row, every second row runs right to
        // left, but for a short last row of an odd number of pairs.
        const bool rightToLeft = perRow % 2 == 0 && r % 2 == 1;
        const bool shortOdd = last - first < perRow && (last - first) % 2 == 1;
        Row row = buildRow(s, first, last);
        row.reversed = rightToLeft && !shortOdd;
        row.shifted = rightToLeft && shortOdd;
        rows.push_back(row);
    }
    std::vector<ExpandedLine> lines;
    for (size_t r = 0; r < rows.size(); ++r) {
        if (r > 0) {
            lines.push_back(separatorOf(rows[r - 1]));
            lines.push_back(checkerboard(drawnWidth(rows[r - 1])));
            lines.push_back(separatorOf(rows[r]));
        }
        lines.push_back(drawn(rows[r], rows[r].modules));
    }
    return lines;
}

}  // namespace stripegen
