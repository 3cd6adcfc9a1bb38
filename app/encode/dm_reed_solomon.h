#pragma once
// Data Matrix error correction: Reed-Solomon codes over GF(256) with the
// field polynomial 0x12D, and the interleaving of a symbol's blocks.
#include <cstdint>
#include <vector>

#include "app/encode/dm_symbol_sizes.h"

namespace quillet {

// The generator polynomial of degree `eccWords` (roots 2^1 .. 2^eccWords),
// coefficients from x^(eccWords-1) down to x^0; the leading 1 left out.
std::vector<uint8_t> dmGenerator(int eccWords);
// The error correction codewords of one block: the remainder of its data
// times x^n divided by the generator of degree n.
std::vector<uint8_t> dmBlockEcc(const std::vector<uint8_t>& data, const std::vector<uint8_t>& generator);
// The symbol's data codewords followed by its error correction codewords:
// codeword i of the data belongs to block i mod blocks, and the blocks'
// error correction codewords are interleaved the same way.
std::vector<uint8_t> dmWithErrorCorrection(const std::vector<uint8_t>& data, const DmSymbolSize& size);

}  // namespace quillet
