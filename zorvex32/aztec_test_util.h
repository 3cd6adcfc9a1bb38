#pragma once
// Shared by the Aztec tests: the module matrix as zxing-readable image.
#include <string>
#include <vector>

#include "tests/support/zxing_decode.h"
#include "zorvex32/aztec_matrix.h"

namespace zorvex::test {

inline std::vector<std::vector<bool>> toRows(const ModuleMatrix& m) {
    std::vector<std::vector<bool>> rows(size_t(m.side), std::vector<bool>(size_t(m.side)));
    for (int r = 0; r < m.side; ++r)
        for (int c = 0; c < m.side; ++c) rows[r][c] = m.dark(r, c);
    return rows;
}

inline quillet::test::Decoded decodeMatrix(const ModuleMatrix& m) {
    return quillet::test::decode(quillet::test::matrixImage(toRows(m), 3, 3), "Aztec", true);
}

}  // namespace zorvex::test
