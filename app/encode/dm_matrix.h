#pragma once
// A Data Matrix ECC 200 symbol from a message: the encodation with the
// fewest codewords, the smallest square (or the size asked for), error
// correction and module placement.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "app/encode/dm_symbol_sizes.h"

namespace quillet {

struct DmSymbol {
    int rows = 0, cols = 0;
    std::vector<uint8_t> dark;  // rows x cols, row by row from the top-left, 1 = dark
};

// `size` null chooses the smallest square. With gs1, every GS (29) is FNC1.
// Nothing when the message does not fit.
std::optional<DmSymbol> encodeDataMatrix(std::string_view data, bool gs1, const DmSymbolSize* size = nullptr);

// The data codewords the symbol would hold, padded, and its size.
struct DmCodewords {
    const DmSymbolSize* size = nullptr;
    std::vector<uint8_t> data;
};
std::optional<DmCodewords> dmCodewords(std::string_view data, bool gs1, const DmSymbolSize* size = nullptr);

}  // namespace quillet
