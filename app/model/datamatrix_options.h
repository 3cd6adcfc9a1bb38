#pragma once
// Options of the current symbol for Data Matrix; a member of SymbolSettings.
#include <cstdint>
#include <string>

namespace quillet {

struct DataMatrixOptions {
};

}  // namespace quillet
