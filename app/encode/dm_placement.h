#pragma once
// ECC 200 symbol layout: codewords placed in the mapping matrix by the
// standard's diagonal "utah" walk, then spread over the data regions inside
// their finder and timing patterns.
#include <cstdint>
#include <vector>

namespace quillet {

// The modules of a rows x cols ECC 200 symbol (row-major from the top-left,
// 1 = dark) whose data regions are regionRows x regionCols, holding the
// codewords in symbol order (data, then interleaved error correction).
// Codewords beyond those the symbol holds are ignored; missing ones are 0.
std::vector<uint8_t> layoutEcc200(const std::vector<uint8_t>& codewords, int rows, int cols, int regionRows,
                                  int regionCols);

// The 144 x 144 symbol's ten blocks are interleaved over the whole codeword
// stream, so its error correction codewords start at block 8: this moves
// block b's error codewords from slot b to slot (b + 2) mod 10 of each group.
void interleave144Ecc(std::vector<uint8_t>& codewords, int dataWords);

}  // namespace quillet
