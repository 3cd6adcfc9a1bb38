#include "stripegen/databar_symbols.h"

#include "stripegen/databar_tables.h"
#include "stripegen/databar_widths.h"

namespace stripegen {

namespace {

// Group of a character value; values beyond the table fall in its last group.
template <int N>
const CharGroup& groupOf(const CharGroup (&groups)[N], int value) {
    int g = 0;
    while (g + 1 < N && value >= groups[g + 1].first) ++g;
    return groups[g];
}

// Interleaves odd and even widths: odd, even, odd, even, ...
void interleave(const int* odd, const int* even, int perSet, int* out) {
    for (int i = 0; i < perSet; ++i) {
        out[2 * i] = odd[i];
        out[2 * i + 1] = even[i];
    }
}

// Outer characters (and Limited characters) carry the value of the odd set
// in the high part; inner characters carry the even set in the high part.
void characterElements(const CharGroup& g, int value, int perSet, bool oddHigh, bool oddNoNarrow,
                       int* out) {
    int rel = value - g.first;
    if (rel < 0) rel = 0;
    int vOdd, vEven;
    if (oddHigh) {
        vOdd = rel / g.tEven;
        vEven = rel % g.tEven;
    } else {
        vEven = rel / g.tOdd;
        vOdd = rel % g.tOdd;
    }
    int odd[7], even[7];
    characterWidths(vOdd, g.oddModules, perSet, g.widestOdd, oddNoNarrow, odd);
    characterWidths(vEven, g.evenModules, perSet, g.widestEven, !oddNoNarrow, even);
    interleave(odd, even, perSet, out);
}

}  // namespace

void groupCharacter(const CharGroup* groups, int count, int value, int perSet, bool oddHigh, bool oddNoNarrow,
                    int* out) {
    int g = 0;
    while (g + 1 < count && value >= groups[g + 1].first) ++g;
    characterElements(groups[g], value, perSet, oddHigh, oddNoNarrow, out);
}

Rss14Symbol encodeRss14(uint64_t value) {
    Rss14Symbol s;
    uint64_t left = value / 4537077, right = value % 4537077;
    s.values[0] = int(left / 1597);
    s.values[1] = int(left % 1597);
    s.values[2] = int(right / 1597);
    s.values[3] = int(right % 1597);
    for (int c = 0; c < 4; ++c) {
        bool outer = c % 2 == 0;
        if (outer)
            characterElements(groupOf(kOuterGroups, s.values[c]), s.values[c], 4, true, true, s.widths[c]);
        else
            characterElements(groupOf(kInnerGroups, s.values[c]), s.values[c], 4, false, false, s.widths[c]);
    }
    int sum = 0;
    for (int c = 0; c < 4; ++c)
        for (int e = 0; e < 8; ++e) sum += s.widths[c][e] * kRss14Weights[c][e];
    s.checksum = sum % 79;
    // 79 finder pairs: the pairs (0, 8) and (8, 0) are never used.
    int pair = s.checksum;
    if (pair >= 8) ++pair;
    if (pair >= 72) ++pair;
    s.leftFinder = pair / 9;
    s.rightFinder = pair % 9;
    return s;
}

Widths rss14Pattern(const Rss14Symbol& s) {
    Widths w(46, 1);
    for (int i = 0; i < 8; ++i) {
        w[2 + i] = uint8_t(s.widths[0][i]);
        w[15 + i] = uint8_t(s.widths[1][7 - i]);
        w[23 + i] = uint8_t(s.widths[3][i]);
        w[36 + i] = uint8_t(s.widths[2][7 - i]);
    }
    for (int i = 0; i < 5; ++i) {
        w[10 + i] = uint8_t(kFinderPatterns[s.leftFinder][i]);
        w[31 + i] = uint8_t(kFinderPatterns[s.rightFinder][4 - i]);
    }
    return w;
}

Widths stackedUpperRow(const Widths& p) {
    Widths row{1, 1};
    row.insert(row.end(), p.begin() + 2, p.begin() + 23);
    row.push_back(1);
    row.push_back(1);
    return row;
}

Widths stackedLowerRow(const Widths& p) {
    Widths row{1, 1};
    row.insert(row.end(), p.begin() + 23, p.begin() + 44);
    row.push_back(1);
    row.push_back(1);
    return row;
}

LimitedSymbol encodeLimited(uint64_t value) {
    LimitedSymbol s;
    uint64_t left = value / 2013571, right = value % 2013571;
    // The caller keeps values below 2013571 * 2013571; clamp anything else.
    s.values[0] = left > 2013570 ? 2013570 : int(left);
    s.values[1] = int(right);
    for (int c = 0; c < 2; ++c)
        characterElements(groupOf(kLimitedGroups, s.values[c]), s.values[c], 7, true, true, s.widths[c]);
    int sum = 0;
    for (int c = 0; c < 2; ++c)
        for (int e = 0; e < 14; ++e) sum += s.widths[c][e] * kLimitedWeights[14 * c + e];
    s.checksum = sum % 89;
    return s;
}

Widths limitedPattern(const LimitedSymbol& s) {
    Widths w(46, 1);
    for (int i = 0; i < 14; ++i) {
        w[2 + i] = uint8_t(s.widths[0][i]);
        w[16 + i] = kLimitedCheckPatterns[s.checksum][i];
        w[30 + i] = uint8_t(s.widths[1][i]);
    }
    return w;
}

}  // namespace stripegen
