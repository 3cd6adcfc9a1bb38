#pragma once
// Options of the current symbol for QR Code; a member of SymbolSettings.
#include <cstdint>
#include <string>

namespace quillet {

struct QrOptions {
};

}  // namespace quillet
