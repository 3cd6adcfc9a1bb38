#pragma once
// Options of the current symbol for Aztec Code; a member of SymbolSettings.
#include <cstdint>
#include <string>

namespace quillet {

struct AztecOptions {
    // Size selector handed to the library as SizeSpec: 0 default error
    // correction, 1-99 error correction percent, 101-104 compact symbol with
    // 1-4 layers, 201-232 full-range symbol with 1-32 layers.
    int aztecSizeSpec = 0;
    // Create a menu symbol (request flag 0x10).
    bool aztecMenuSymbol = false;
    bool operator==(const AztecOptions&) const = default;
};

}  // namespace quillet
