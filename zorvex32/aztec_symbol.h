#pragma once
// A whole Aztec symbol from message bytes: plan, size, codewords, matrix.
#include <optional>
#include <string_view>
#include <vector>

#include "zorvex32/aztec_matrix.h"
#include "zorvex32/aztec_size.h"

// Visible outside the library so that its tests can reach it.
#pragma GCC visibility push(default)
namespace zorvex {

struct AztecSymbol {
    SymbolSize size;
    int plannedBits = 0;
    int padBits = 0;  // one bits after the last code
    std::vector<int> dataWords;
    std::vector<int> checkWords;
    ModuleMatrix matrix;
};

// None when no allowed symbol holds the message. `sizeSpec` is normalised
// here. An `eci` of 0 or more is put in front of the message as FLG(n).
std::optional<AztecSymbol> encodeAztec(std::string_view message, int sizeSpec, bool menu, int eci = -1);

}  // namespace zorvex
#pragma GCC visibility pop
