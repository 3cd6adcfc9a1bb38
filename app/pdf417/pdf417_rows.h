#pragma once
// The rows of a PDF417 symbol as element-width strings (digits 1-8, bar
// first): start pattern, left row indicator, the row's codewords, then the
// right row indicator and stop pattern, or a single-module stop bar when
// the symbol is truncated.
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/model/module_matrix.h"

namespace quillet {

inline constexpr const char* kPdf417StartPattern = "81111113";
inline constexpr const char* kPdf417StopPattern = "711311121";

// (left, right) row indicator of row r (0-based) of a symbol with R rows,
// D data columns and security level s.
std::pair<int, int> Pdf417RowIndicators(int r, int R, int D, int s);

// Row r uses cluster r mod 3; codewords holds R * D values.
std::vector<std::string> Pdf417RowStrings(const std::vector<int>& codewords, int R, int D, int s, bool truncated,
                                          const std::array<std::array<int32_t, 929>, 3>& patterns);

// The module grid of those rows: one grid row per symbol row, bars dark.
ModuleMatrix Pdf417ModuleGrid(const std::vector<std::string>& rows);

}  // namespace quillet
