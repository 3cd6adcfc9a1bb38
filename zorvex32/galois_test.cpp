#include "zorvex32/galois.h"

#include <gtest/gtest.h>

#include <random>

namespace zorvex {
namespace {

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

}  // namespace
}  // namespace zorvex
