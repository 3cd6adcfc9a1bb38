// Data Matrix error correction: the standard's worked example, its
// generator polynomial, and for every size a check, in arithmetic of the
// test's own, that each block read the way readers de-interleave it is a
// codeword of the Reed-Solomon code (its syndromes are zero).
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "app/encode/dm_matrix.h"
#include "app/encode/dm_reed_solomon.h"

namespace quillet {
namespace {

// GF(256) with the field polynomial x^8 + x^5 + x^3 + x^2 + 1, by shifts.
int gfMul(int a, int b) {
    int r = 0;
    for (; b; b >>= 1) {
        if (b & 1) r ^= a;
        a <<= 1;
        if (a & 0x100) a ^= 0x12D;
    }
    return r;
}

// The block's polynomial, highest power first, at x = 2^i.
int evaluate(const std::vector<int>& poly, int i) {
    int x = 1;
    for (int k = 0; k < i; ++k) x = gfMul(x, 2);
    int acc = 0;
    for (int c : poly) acc = gfMul(acc, x) ^ c;
    return acc;
}

TEST(DataMatrixErrorCorrection, WorkedExample) {
    const DmSymbolSize* size = dmFindSize(10, 10);
    const auto cw = dmCodewords("123456", false, size);
    ASSERT_TRUE(cw.has_value());
    EXPECT_EQ(cw->data, (std::vector<uint8_t>{142, 164, 186}));
    EXPECT_EQ(dmWithErrorCorrection(cw->data, *size), (std::vector<uint8_t>{142, 164, 186, 114, 25, 5, 88, 102}));
    // The generator of the five error correction codewords.
    EXPECT_EQ(dmGenerator(5), (std::vector<uint8_t>{62, 111, 15, 48, 228}));
}

TEST(DataMatrixErrorCorrection, EveryBlockOfEverySizeHasZeroSyndromes) {
    std::mt19937 rng(15);
    for (const DmSymbolSize& size : dmSymbolSizes()) {
        SCOPED_TRACE(std::to_string(size.rows) + "x" + std::to_string(size.cols));
        std::vector<uint8_t> data(size_t(size.dataWords));
        for (auto& d : data) d = uint8_t(rng());
        const std::vector<uint8_t> all = dmWithErrorCorrection(data, size);
        ASSERT_EQ(all.size(), size_t(size.dataWords + size.eccWords));
        EXPECT_TRUE(std::equal(data.begin(), data.end(), all.begin()));
        // Readers give codeword p to block p mod blocks, over the whole
        // stream: data first, then error correction.
        const int perBlock = size.eccWords / size.blocks;
        for (int b = 0; b < size.blocks; ++b) {
            std::vector<int> block;
            for (int p = b; p < size.dataWords; p += size.blocks) block.push_back(all[size_t(p)]);
            int ecc = 0;
            for (int p = size.dataWords; p < int(all.size()); ++p)
                if (p % size.blocks == b) {
                    block.push_back(all[size_t(p)]);
                    ++ecc;
                }
            ASSERT_EQ(ecc, perBlock) << "block " << b;
            for (int i = 1; i <= perBlock; ++i) EXPECT_EQ(evaluate(block, i), 0) << "block " << b << " root " << i;
        }
    }
}

}  // namespace
}  // namespace quillet
