#pragma once
// A QR Code (model 2) symbol from its data codewords: error correction,
// interleaving, module placement and the mask with the least penalty.
#include <cstdint>
#include <vector>

#include "app/encode/qr_versions.h"

namespace quillet {

struct QrSymbol {
    int version = 0;
    int side = 0;
    std::vector<uint8_t> dark;  // side x side, row by row, 1 = dark
    int mask = 0;
};

// `data` holds exactly qrBlocks(version, level).dataCodewords() codewords.
// `mask` 0-7 forces a mask pattern; -1 chooses the one of least penalty.
QrSymbol qrSymbol(int version, QrLevel level, const std::vector<uint8_t>& data, int mask = -1);

// The symbol's error correction codewords for one block (GF(256), 0x11D).
std::vector<uint8_t> qrErrorCorrection(const std::vector<uint8_t>& block, int ecCodewords);

}  // namespace quillet
