#pragma once
// Numbers shown in the window's fields, formatted by picture patterns of
// the kind "#0.00#", "##0", "0.0" or "###": a '0' is a digit always shown,
// a '#' a digit shown only when significant. Rounding is to nearest with
// halves away from zero; the decimal separator is '.'.
#include <string>
#include <string_view>

namespace quillet {

std::string formatNumber(double value, std::string_view pattern);

}  // namespace quillet
