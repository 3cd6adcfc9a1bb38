#pragma once
// The ECC 200 symbol sizes: 24 squares and 6 rectangles with their data
// regions, codeword capacities and error correction blocks.
#include <span>

namespace quillet {

struct DmSymbolSize {
    int rows = 0, cols = 0;              // modules, finder patterns included
    int regionRows = 0, regionCols = 0;  // one data region, inside its finder
    int dataWords = 0;
    int eccWords = 0;  // all blocks together
    int blocks = 0;    // interleaved Reed-Solomon blocks
};

// Squares from 10 x 10 up, then the rectangles from 8 x 18 up.
std::span<const DmSymbolSize> dmSymbolSizes();
// The size of rows x cols, or nullptr when no ECC 200 symbol has it.
const DmSymbolSize* dmFindSize(int rows, int cols);
// The smallest square holding `dataWords` codewords, or nullptr.
const DmSymbolSize* dmSmallestSquare(int dataWords);

}  // namespace quillet
