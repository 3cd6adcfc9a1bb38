#pragma once
// Options of the current symbol for message file and incremental numbering; a member of SymbolSettings.
#include <cstdint>
#include <string>

namespace quillet {

struct NumberingOptions {
};

}  // namespace quillet
