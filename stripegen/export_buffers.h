#pragma once
// Copying results into the caller's buffers and integers (null pointers are
// skipped), and the composite component's outputs.
#include <cstdint>
#include <string>

#include "stripegen/databar_symbols.h"
#include "stripegen/stripegen.h"

namespace stripegen {

inline void copyOut(char** dst, const Widths& w) {
    if (dst == nullptr || *dst == nullptr) return;
    size_t n = w.size() < STRIPEGEN_BUFFER_SIZE - 1 ? w.size() : STRIPEGEN_BUFFER_SIZE - 1;
    for (size_t i = 0; i < n; ++i) (*dst)[i] = char(w[i]);
    (*dst)[n] = '\0';
}

inline void putInt(int32_t* dst, int value) {
    if (dst != nullptr) *dst = value;
}

// Encodes a composite message in a component of `columns` data columns and
// writes its rows, row count and elements per row; false when it cannot be held.
bool writeComponent(const std::string& composite, int columns, char** rowsOut, int32_t* rowCount,
                    int32_t* elementsPerRow);

}  // namespace stripegen
