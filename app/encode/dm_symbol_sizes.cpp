#include "app/encode/dm_symbol_sizes.h"

namespace quillet {

namespace {

// ECC 200 symbol attributes: size, data region size, data codewords, error
// correction codewords and interleaved blocks.
constexpr DmSymbolSize kSizes[] = {
    {10, 10, 8, 8, 3, 5, 1},
    {12, 12, 10, 10, 5, 7, 1},
    {14, 14, 12, 12, 8, 10, 1},
    {16, 16, 14, 14, 12, 12, 1},
    {18, 18, 16, 16, 18, 14, 1},
    {20, 20, 18, 18, 22, 18, 1},
    {22, 22, 20, 20, 30, 20, 1},
    {24, 24, 22, 22, 36, 24, 1},
    {26, 26, 24, 24, 44, 28, 1},
    {32, 32, 14, 14, 62, 36, 1},
    {36, 36, 16, 16, 86, 42, 1},
    {40, 40, 18, 18, 114, 48, 1},
    {44, 44, 20, 20, 144, 56, 1},
    {48, 48, 22, 22, 174, 68, 1},
    {52, 52, 24, 24, 204, 84, 2},
    {64, 64, 14, 14, 280, 112, 2},
    {72, 72, 16, 16, 368, 144, 4},
    {80, 80, 18, 18, 456, 192, 4},
    {88, 88, 20, 20, 576, 224, 4},
    {96, 96, 22, 22, 696, 272, 4},
    {104, 104, 24, 24, 816, 336, 6},
    {120, 120, 18, 18, 1050, 408, 6},
    {132, 132, 20, 20, 1304, 496, 8},
    {144, 144, 22, 22, 1558, 620, 10},
    {8, 18, 6, 16, 5, 7, 1},
    {8, 32, 6, 14, 10, 11, 1},
    {12, 26, 10, 24, 16, 14, 1},
    {12, 36, 10, 16, 22, 18, 1},
    {16, 36, 14, 16, 32, 24, 1},
    {16, 48, 14, 22, 49, 28, 1},
};
constexpr int kSquares = 24;

}  // namespace

std::span<const DmSymbolSize> dmSymbolSizes() { return kSizes; }

const DmSymbolSize* dmFindSize(int rows, int cols) {
    for (const DmSymbolSize& s : kSizes)
        if (s.rows == rows && s.cols == cols) return &s;
    return nullptr;
}

const DmSymbolSize* dmSmallestSquare(int dataWords) {
    for (int i = 0; i < kSquares; ++i)
        if (kSizes[i].dataWords >= dataWords) return &kSizes[i];
    return nullptr;
}

}  // namespace quillet
