#include "zorvex32/galois.h"

#include <gtest/gtest.h>

#include <random>

namespace zorvex {
namespace {

// Products by definition: carry-less multiplication reduced by the field's
// polynomial, one bit at a time.
int slowMul(int a, int b, int size, int polynomial) {
    int product = 0;
    for (; b; b >>= 1) {
        if (b & 1) product ^= a;
        a <<= 1;
        if (a >= size) a ^= polynomial;
    }
    return product;
}

// Check words by definition: the generator multiplied out from its roots
// 2^1 .. 2^n and the remainder of data(x) * x^n by plain long division.
std::vector<int> slowCheckWords(int size, int polynomial, const std::vector<int>& data, int n) {
    std::vector<int> g{1};
    int root = 1;
    for (int i = 1; i <= n; ++i) {
        root = slowMul(root, 2, size, polynomial);
        std::vector<int> next(g.size() + 1, 0);
        for (size_t k = 0; k < g.size(); ++k) {
            next[k] ^= g[k];
            next[k + 1] ^= slowMul(g[k], root, size, polynomial);
        }
        g = next;
    }
    std::vector<int> work = data;
    work.resize(data.size() + size_t(n), 0);
    for (size_t i = 0; i < data.size(); ++i) {
        int lead = work[i];
        for (int k = 0; k <= n; ++k) work[i + k] ^= slowMul(lead, g[k], size, polynomial);
    }
    return std::vector<int>(work.end() - n, work.end());
}

int evalAt(const GaloisField& gf, const std::vector<int>& poly, int x) {
    int acc = 0;
    for (int c : poly) acc = gf.mul(acc, x) ^ c;  // Horner, highest power first
    return acc;
}

TEST(Galois, FieldsAreFullCyclesOfTheirPrimitiveElement) {
    for (int bits : {4, 6, 8, 10, 12}) {
        const GaloisField& gf = fieldForWordBits(bits);
        ASSERT_EQ(gf.size, 1 << bits);
        std::vector<bool> seen(gf.size, false);
        for (int e : gf.exp) {
            ASSERT_GT(e, 0);
            ASSERT_LT(e, gf.size);
            EXPECT_FALSE(seen[e]) << "element repeats in GF(" << gf.size << ")";
            seen[e] = true;
        }
        // Multiplication by 2 is a shift reduced by the polynomial.
        EXPECT_EQ(gf.mul(gf.exp[gf.size - 2], 2), 1);
    }
}

TEST(Galois, KnownProducts) {
    const GaloisField& gf16 = fieldForWordBits(4);
    EXPECT_EQ(gf16.mul(8, 2), 3);   // x^4 = x + 1
    EXPECT_EQ(gf16.mul(0, 7), 0);
    const GaloisField& gf64 = fieldForWordBits(6);
    EXPECT_EQ(gf64.mul(32, 2), 3);  // x^6 = x + 1
    const GaloisField& gf256 = fieldForWordBits(8);
    EXPECT_EQ(gf256.mul(128, 2), 0x2D);
    const GaloisField& gf1024 = fieldForWordBits(10);
    EXPECT_EQ(gf1024.mul(512, 2), 0x9);
    const GaloisField& gf4096 = fieldForWordBits(12);
    EXPECT_EQ(gf4096.mul(2048, 2), 0x69);
}

// A systematic code word is divisible by the generator: it vanishes at
// every root 2^1 .. 2^n.
TEST(Galois, CheckWordsMakeTheCodewordVanishAtTheRoots) {
    std::mt19937 rng(7);
    for (int bits : {4, 6, 8, 10, 12}) {
        const GaloisField& gf = fieldForWordBits(bits);
        for (int n : {1, 3, 5, 14}) {
            std::vector<int> data(9);
            for (int& d : data) d = int(rng() % gf.size);
            std::vector<int> check = checkWords(gf, data, n);
            ASSERT_EQ(int(check.size()), n);
            std::vector<int> word = data;
            word.insert(word.end(), check.begin(), check.end());
            for (int i = 1; i <= n; ++i)
                EXPECT_EQ(evalAt(gf, word, gf.exp[i]), 0) << "GF(" << gf.size << ") n=" << n << " root " << i;
            word[2] ^= 1;
            int nonzero = 0;
            for (int i = 1; i <= n; ++i) nonzero += evalAt(gf, word, gf.exp[i]) != 0;
            EXPECT_GT(nonzero, 0);
        }
    }
}

TEST(Galois, TablesGiveEveryProductOfTheField) {
    for (int bits : {4, 6, 8, 10, 12}) {
        const GaloisField& gf = fieldForWordBits(bits);
        const int order = gf.size - 1;
        ASSERT_EQ(int(gf.wideExp.size()), 4 * order + 1);
        for (int a = 0; a < gf.size; ++a)
            for (int b = 0; b < gf.size; ++b)
                ASSERT_EQ(gf.mul(a, b), slowMul(a, b, gf.size, gf.polynomial)) << bits << ": " << a << " * " << b;
        // The wide table continues the powers past one cycle and is zero
        // wherever a log of zero takes part.
        for (int i = 0; i < 2 * order; ++i) ASSERT_EQ(gf.wideExp[i], gf.exp[i % order]) << bits << " at " << i;
        for (int i = 2 * order; i <= 4 * order; ++i) ASSERT_EQ(gf.wideExp[i], 0) << bits << " at " << i;
        EXPECT_EQ(gf.zeroLog(), 2 * order);
    }
}

TEST(Galois, CheckWordsEqualLongDivisionByTheGenerator) {
    struct Case {
        int bits, dataWords, checkWords;
        int zeroRun;  // leading data words forced to zero
    };
    // Small codes up to the shapes of the largest symbols of each word size.
    const Case cases[] = {
        {4, 2, 5, 0},     {4, 4, 6, 2},     {6, 1, 3, 0},     {6, 12, 20, 3},    {6, 60, 40, 0},
        {8, 40, 30, 5},   {8, 150, 94, 0},  {10, 200, 90, 7}, {10, 700, 240, 0}, {12, 600, 400, 0},
        {12, 1200, 437, 11},
    };
    std::mt19937 rng(2026);
    for (const Case& c : cases) {
        const GaloisField& gf = fieldForWordBits(c.bits);
        std::vector<int> data(size_t(c.dataWords));
        for (int& d : data) d = int(rng() % gf.size);
        for (int i = 0; i < c.zeroRun && i < c.dataWords; ++i) data[size_t(i)] = 0;
        const std::vector<int> expected = slowCheckWords(gf.size, gf.polynomial, data, c.checkWords);
        EXPECT_EQ(checkWords(gf, data, c.checkWords), expected) << c.bits << "/" << c.checkWords;
        // A second request of the same degree gives the same words.
        EXPECT_EQ(checkWords(gf, data, c.checkWords), expected) << c.bits << "/" << c.checkWords << " again";
    }
}

// The same degree over different fields must not share a generator.
TEST(Galois, EachFieldHasItsOwnGeneratorOfADegree) {
    const std::vector<int> data{1, 2, 3, 4, 5, 6, 7, 8, 9};
    for (int bits : {4, 6, 8, 10, 12}) {
        const GaloisField& gf = fieldForWordBits(bits);
        EXPECT_EQ(checkWords(gf, data, 7), slowCheckWords(gf.size, gf.polynomial, data, 7)) << bits;
    }
}

}  // namespace
}  // namespace zorvex
