#include "zorvex32/aztec_size.h"

#include <cmath>

namespace zorvex {

namespace {

int wordBitsFor(int layers) { return layers <= 2 ? 6 : layers <= 8 ? 8 : layers <= 22 ? 10 : 12; }

int maxLayers(bool compact, bool menu) {
    if (compact) return menu ? 1 : 4;
    return menu ? 22 : 32;
}

}  // namespace

SymbolSize symbolSize(bool compact, int layers) {
    SymbolSize s;
    s.compact = compact;
    s.layers = layers;
    if (compact) {
        s.side = 4 * layers + 11;
        s.capacity = 16 * layers * layers + 88 * layers;
    } else {
        // Reference grid lines every 16 modules out from the centre.
        s.side = 4 * layers + 15 + 2 * ((4 * layers + 13) / 30);
        s.capacity = 16 * layers * layers + 112 * layers;
    }
    s.wordBits = wordBitsFor(layers);
    s.totalWords = s.capacity / s.wordBits;
    return s;
}

int maxDataWords(const SymbolSize& s, bool menu) {
    // The count field has 6 bits (compact) or 11 bits (full-range); a menu
    // symbol takes its top bit.
    int field = s.compact ? 64 : 2048;
    return menu ? field / 2 : field;
}

int normaliseSizeSpec(int v) {
    if (v < 0 || v == 100 || (v >= 105 && v <= 200) || v > 232) return 0;
    return v;
}

std::optional<SymbolSize> chooseSymbol(int bits, int sizeSpec, bool menu) {
    if (!isAutomatic(sizeSpec)) {
        bool compact = sizeSpec < 200;
        int layers = sizeSpec - (compact ? 100 : 200);
        if (layers > maxLayers(compact, menu)) return std::nullopt;
        SymbolSize s = symbolSize(compact, layers);
        if (bits > s.capacity) return std::nullopt;
        return s;
    }
    double b = bits;
    double target = sizeSpec == 0 ? (b + 18) / 0.77 : b + (b * sizeSpec + 99 - sizeSpec) / (100 - sizeSpec);
    long t = std::lrint(target);  // nearest, halves to even
    bool compact = t <= 102 || (!menu && bits <= 512 && t <= 608);
    for (int layers = 1; layers <= maxLayers(compact, menu); ++layers) {
        SymbolSize s = symbolSize(compact, layers);
        if (s.capacity >= t) return s;
    }
    return std::nullopt;
}

std::optional<SymbolSize> nextLarger(const SymbolSize& s, bool menu) {
    if (s.compact && s.layers < maxLayers(true, menu)) return symbolSize(true, s.layers + 1);
    int from = s.compact ? 1 : s.layers + 1;
    for (int layers = from; layers <= maxLayers(false, menu); ++layers) {
        SymbolSize n = symbolSize(false, layers);
        if (n.capacity > s.capacity) return n;
    }
    return std::nullopt;
}

}  // namespace zorvex
