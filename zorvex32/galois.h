#pragma once
// Arithmetic in the binary Galois fields of Aztec Code and the systematic
// Reed-Solomon check words built over them.
#include <cstdint>
#include <vector>

// Visible outside the library so that its tests can reach it.
#pragma GCC visibility push(default)
namespace zorvex {

struct GaloisField {
    int size = 0;                 // number of elements, a power of two
    int polynomial = 0;           // primitive polynomial with its x^k term
    std::vector<uint16_t> exp;    // 2^i for i = 0 .. size-2
    std::vector<uint16_t> log;    // log[exp[i]] = i; log[0] unused
    // 2^i for i below 2(size-1), then zeros through 4(size-1): a sum of two
    // logs needs no reduction, and zeroLog() stands in for the log of 0.
    std::vector<uint16_t> wideExp;
    int zeroLog() const { return 2 * (size - 1); }

    int mul(int a, int b) const;
};

// Builds the field of `size` elements from its primitive polynomial (the
// polynomial includes its x^k term, e.g. 0x43 for x^6 + x + 1).
GaloisField makeField(int size, int polynomial);

// The field that goes with a codeword size of 4, 6, 8, 10 or 12 bits.
const GaloisField& fieldForWordBits(int bits);

// Check words of `data` (first word = highest coefficient) for a generator
// with roots 2^1 .. 2^n, highest power first.
std::vector<int> checkWords(const GaloisField& gf, const std::vector<int>& data, int n);

}  // namespace zorvex
#pragma GCC visibility pop
