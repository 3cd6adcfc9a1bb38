#pragma once
// QR Code in its GS1 mode: the FNC1-in-first-position mode indicator opens
// the bit stream, and separators between fields are FNC1 (% in alphanumeric
// segments, GS in byte segments). A literal % goes in a byte segment: in an
// alphanumeric one it would be %%, which readers in use lose the rest of
// the segment after.
#include <optional>
#include <string_view>
#include <vector>

#include "app/encode/qr_matrix.h"

namespace quillet {

struct QrCodewords {
    int version = 0;
    std::vector<uint8_t> data;  // data codewords, padded to the version's capacity
};

// `data` is the element strings with GS (29) after each variable-length
// field that another follows. The smallest version that holds it at the
// level, or nothing when even version 40 cannot.
std::optional<QrCodewords> qrGs1Codewords(std::string_view data, QrLevel level);
std::optional<QrSymbol> encodeQrGs1(std::string_view data, QrLevel level);

}  // namespace quillet
