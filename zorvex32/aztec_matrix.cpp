#include "zorvex32/aztec_matrix.h"

#include <algorithm>
#include <cstdlib>

#include "zorvex32/galois.h"

namespace zorvex {

namespace {

bool onGridLine(int v) { return v % 16 == 0; }

// Visits the data-layer positions in filling order without storing them.
template <typename Visit>
void forEachDataPosition(const SymbolSize& s, Visit&& visit) {
    const bool full = !s.compact;
    auto skip = [&](int v) { return full && onGridLine(v); };
    auto nextRing = [&](int r) {
        while (skip(r)) ++r;
        return r;
    };
    auto pair = [&](int x0, int y0, int x1, int y1) {
        visit(x0, y0);
        visit(x1, y1);
    };
    int r0 = nextRing(s.compact ? 6 : 8);
    for (int layer = 0; layer < s.layers; ++layer) {
        int r1 = nextRing(r0 + 1);
        for (int x = 1 - r0; x <= r1; ++x)
            if (!skip(x)) pair(x, r0, x, r1);
        for (int y = r0 - 1; y >= -r1; --y)
            if (!skip(y)) pair(r0, y, r1, y);
        for (int x = r0 - 1; x >= -r1; --x)
            if (!skip(x)) pair(x, -r0, x, -r1);
        for (int y = 1 - r0; y <= r1; ++y)
            if (!skip(y)) pair(-r0, y, -r1, y);
        r0 = nextRing(r1 + 1);
    }
}

}  // namespace

std::vector<int> modeMessage(const SymbolSize& s, int dataWords, bool menu) {
    std::vector<int> words;
    int count = dataWords - 1 + (menu ? (s.compact ? 32 : 1024) : 0);
    int l = s.layers - 1;
    if (s.compact) {
        words = {(l << 2) | (count >> 4), count & 15};
    } else {
        words = {l >> 1, ((l & 1) << 3) | (count >> 8), (count >> 4) & 15, count & 15};
    }
    std::vector<int> check = checkWords(fieldForWordBits(4), words, s.compact ? 5 : 6);
    words.insert(words.end(), check.begin(), check.end());
    return words;
}

std::vector<Point> dataLayerPath(const SymbolSize& s) {
    std::vector<Point> path;
    path.reserve(size_t(s.capacity));
    forEachDataPosition(s, [&](int x, int y) { path.push_back({x, y}); });
    return path;
}

std::vector<Point> modeMessagePath(bool compact) {
    std::vector<Point> path;
    if (compact) {
        for (int x = -3; x <= 3; ++x) path.push_back({x, 5});
        for (int y = 3; y >= -3; --y) path.push_back({5, y});
        for (int x = 3; x >= -3; --x) path.push_back({x, -5});
        for (int y = -3; y <= 3; ++y) path.push_back({-5, y});
        return path;
    }
    for (int x = -5; x <= 5; ++x)
        if (x) path.push_back({x, 7});
    for (int y = 5; y >= -5; --y)
        if (y) path.push_back({7, y});
    for (int x = 5; x >= -5; --x)
        if (x) path.push_back({x, -7});
    for (int y = -5; y <= 5; ++y)
        if (y) path.push_back({-7, y});
    return path;
}

ModuleMatrix layoutSymbol(const SymbolSize& s, const std::vector<int>& codewords, int dataWords, bool menu) {
    ModuleMatrix m(s.side);
    const int half = s.side / 2;
    // Finder: rings at even distances up to 4 (compact) or 6 (full-range).
    const int finder = s.compact ? 4 : 6;
    for (int y = -finder; y <= finder; ++y)
        for (int x = -finder; x <= finder; ++x)
            if (std::max(std::abs(x), std::abs(y)) % 2 == 0) m.setXY(x, y);
    if (!s.compact) {
        for (int i = 0; i <= half; i += 16)
            for (int j = -half; j <= half; ++j) {
                if (j % 2) continue;
                m.setXY(i, j);
                m.setXY(-i, j);
                m.setXY(j, i);
                m.setXY(j, -i);
            }
    }
    const int a = s.compact ? 5 : 7, b = a - 1;
    for (Point p : {Point{-a, b}, Point{-a, a}, Point{-b, a}, Point{a, a}, Point{a, b}, Point{a, -b}})
        m.setXY(p.x, p.y);

    // Data: last codeword first, least significant bit first, innermost first.
    auto word = codewords.rbegin();
    int bit = 0;
    forEachDataPosition(s, [&](int x, int y) {
        if (word == codewords.rend()) return;
        if ((*word >> bit) & 1) m.setXY(x, y);
        if (++bit == s.wordBits) {
            bit = 0;
            ++word;
        }
    });

    std::vector<int> mode = modeMessage(s, dataWords, menu);
    std::vector<Point> modePath = modeMessagePath(s.compact);
    for (size_t i = 0; i < modePath.size(); ++i)
        if ((mode[i / 4] >> (3 - i % 4)) & 1) m.setXY(modePath[i].x, modePath[i].y);
    return m;
}

}  // namespace zorvex
