#include "stripegen/expanded_symbol.h"

#include "stripegen/expanded_tables.h"

namespace stripegen {

namespace {

std::vector<int> widthsOf(int value) {
    std::vector<int> w(8);
    // The odd set carries the high part and must hold a narrow element.
    groupCharacter(kExpandedGroups, 5, value, 4, true, false, w.data());
    return w;
}

}  // namespace

ExpandedSymbol encodeExpanded(const std::string& bits) {
    ExpandedSymbol s;
    const int data = int(bits.size() / 12), n = data + 1;
    s.sequence = (n + 1) / 2 - 2;
    s.values.assign(size_t(n), 0);
    s.widths.assign(size_t(n), {});
    const FinderSequence& seq = kExpandedSequences[s.sequence];
    int checksum = 0;
    for (int i = 1; i < n; ++i) {
        int v = 0;
        for (int b = 0; b < 12; ++b) v = v * 2 + (bits[size_t(12 * (i - 1) + b)] == '1');
        s.values[size_t(i)] = v;
        s.widths[size_t(i)] = widthsOf(v);
        const int* weights = kExpandedWeights[2 * seq.forms[i / 2] + i % 2 - 1];
        for (int e = 0; e < 8; ++e) checksum += weights[e] * s.widths[size_t(i)][size_t(e)];
    }
    s.values[0] = 211 * (n - 4) + checksum % 211;
    s.widths[0] = widthsOf(s.values[0]);
    return s;
}

int expandedPairs(const ExpandedSymbol& s) { return int(s.values.size() + 1) / 2; }

Widths expandedPair(const ExpandedSymbol& s, int pair) {
    Widths w;
    const std::vector<int>& left = s.widths[size_t(2 * pair)];
    w.insert(w.end(), left.begin(), left.end());
    const int form = kExpandedSequences[s.sequence].forms[pair];
    const uint8_t* finder = kExpandedFinders[form / 2];
    for (int e = 0; e < 5; ++e) w.push_back(finder[form % 2 == 0 ? e : 4 - e]);
    if (size_t(2 * pair + 1) < s.values.size()) {
        const std::vector<int>& right = s.widths[size_t(2 * pair + 1)];
        w.insert(w.end(), right.rbegin(), right.rend());  // odd 1 at the outer end
    }
    return w;
}

Widths expandedPattern(const ExpandedSymbol& s) {
    Widths w{1, 1};
    for (int p = 0; p < expandedPairs(s); ++p) {
        Widths pair = expandedPair(s, p);
        w.insert(w.end(), pair.begin(), pair.end());
    }
    w.push_back(1);
    w.push_back(1);
    return w;
}

}  // namespace stripegen
