#pragma once
// Reed-Solomon error correction over the prime field GF(929), generator 3,
// as used by PDF417 and the composite components.
#include <cstddef>
#include <vector>

#include "stripegen/stripegen_internal.h"

namespace stripegen {

// Builds the power and logarithm tables (idempotent, cheap).
STRIPEGEN_INTERNAL void buildGf929Tables();
STRIPEGEN_INTERNAL int gfMul(int a, int b);

// The `eccCount` error correction codewords for `data`, in symbol order.
STRIPEGEN_INTERNAL std::vector<int> reedSolomon929(const std::vector<int>& data, int eccCount);

}  // namespace stripegen
