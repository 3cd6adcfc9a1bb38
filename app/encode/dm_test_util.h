#pragma once
// Test helpers for the Data Matrix encoder: a symbol read back by the
// independent reader, and data of one character class at a given length.
#include <string>

#include "app/encode/dm_matrix.h"
#include "tests/support/zxing_decode.h"

namespace quillet::test {

inline Decoded decodeSymbol(const DmSymbol& s) {
    std::vector<std::vector<bool>> rows(size_t(s.rows), std::vector<bool>(size_t(s.cols)));
    for (int y = 0; y < s.rows; ++y)
        for (int x = 0; x < s.cols; ++x) rows[size_t(y)][size_t(x)] = s.dark[size_t(y) * s.cols + x] != 0;
    return decode(matrixImage(rows, s.rows > 80 ? 2 : 3, 2), "DataMatrix", true);
}

// `length` characters cycling through `alphabet`, stepping by a stride
// prime to its length so that neighbours vary.
inline std::string cycled(const std::string& alphabet, size_t length, size_t stride = 7) {
    std::string s(length, ' ');
    for (size_t i = 0; i < length; ++i) s[i] = alphabet[(i * stride + i / alphabet.size()) % alphabet.size()];
    return s;
}

}  // namespace quillet::test
