#pragma once
// Host side of Data Matrix: what the encoder is given, and the symbol sizes
// the shape/size setting asks for.
#include <string>

namespace quillet {

// The text handed to the encoder. With ECC 200 (code 26) a NUL becomes the
// escape "~@" and, with translate tildes on, a tilde becomes "~~" so the
// encoder takes it literally; other codes pass the message unchanged.
std::string dataMatrixEncoderText(const std::string& message, int eccCode, bool translateTildes);

// Requested rows x columns of a shape/size code: 1-6 the rectangles 8x18,
// 8x32, 12x26, 12x36, 16x36, 16x48; 7-30 the squares 10 ... 144; anything
// else 0 x 0 (automatic square).
struct DmSize {
    int rows = 0, cols = 0;
};
DmSize dmRequestedSize(int shapeSize);

// The fixed square sides, in the order of shape/size codes 7-30.
extern const int kDmSquareSides[24];

}  // namespace quillet
