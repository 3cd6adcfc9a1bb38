#pragma once
// Aztec symbol sizes: capacities, sides, codeword sizes, and the choice of a
// symbol for a planned message length.
#include <optional>

// Visible outside the library so that its tests can reach it.
#pragma GCC visibility push(default)
namespace zorvex {

struct SymbolSize {
    bool compact = true;
    int layers = 1;
    int side = 0;        // modules
    int capacity = 0;    // data-layer bits
    int wordBits = 0;    // codeword size
    int totalWords = 0;  // data plus check codewords
};

SymbolSize symbolSize(bool compact, int layers);

// Largest number of data codewords the mode message can announce.
int maxDataWords(const SymbolSize& s, bool menu);

// Fewest check codewords a symbol is built with.
constexpr int kMinCheckWords = 3;

// Error correction / size selector: 0 default, 1-99 percent, 101-104
// compact layers, 201-232 full-range layers; anything else means 0.
int normaliseSizeSpec(int sizeSpec);
inline bool isAutomatic(int sizeSpec) { return sizeSpec < 100; }

// The symbol for a planned length of `bits`, or none when nothing allowed
// holds it. `sizeSpec` must be normalised.
std::optional<SymbolSize> chooseSymbol(int bits, int sizeSpec, bool menu);

// The next symbol up from `s` that automatic sizing may use, if any.
std::optional<SymbolSize> nextLarger(const SymbolSize& s, bool menu);

}  // namespace zorvex
#pragma GCC visibility pop
