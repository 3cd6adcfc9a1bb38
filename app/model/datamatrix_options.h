#pragma once
// Options of the current symbol for Data Matrix; a member of SymbolSettings.
#include <cstdint>
#include <string>

namespace quillet {

struct DataMatrixOptions {
    // Error correction code passed to the encoder: 0 (ECC 0), 3 (ECC 50),
    // 6 (ECC 80), 8 (ECC 100), 12 (ECC 140), 26 (ECC 200).
    int dmEccCode = 26;
    // 1 numeric, 2 A-Z and space, 3 A-Z, 0-9 and space, 4 as 3 plus . , - /,
    // 5 ASCII, 6 binary.
    int dmDataFormat = 5;
    // 0 square, automatic size; 1-6 the rectangular sizes 8x18, 8x32, 12x26,
    // 12x36, 16x36, 16x48; 7-30 the fixed square sizes 10 ... 144.
    int dmShapeSize = 0;
    // With ECC 200, a tilde in the message is passed doubled so the encoder
    // takes it literally.
    bool dmTranslateTildes = false;
    bool operator==(const DataMatrixOptions&) const = default;
};

}  // namespace quillet
