#pragma once
// Reed-Solomon error correction of PDF417 over GF(929).
#include <cstdint>
#include <span>
#include <vector>

namespace quillet {

// Generator coefficients a_0 ... a_(k-1) of a security level (0-8), k = 2^(level+1).
std::span<const uint16_t> Pdf417EcCoefficients(int level);

// The k error correction codewords of `data` (length descriptor, data and
// pads, in symbol order), in the order they follow the data.
std::vector<int> Pdf417ErrorCorrection(const std::vector<int>& data, int level);

}  // namespace quillet
