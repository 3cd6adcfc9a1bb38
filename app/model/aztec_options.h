#pragma once
// Options of the current symbol for Aztec Code; a member of SymbolSettings.
#include <cstdint>
#include <string>

namespace quillet {

struct AztecOptions {
};

}  // namespace quillet
