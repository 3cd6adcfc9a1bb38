#pragma once
// UPC/EAN digit sets and parity patterns.
#include <string>
#include <string_view>

namespace quillet {

// L = odd parity (left half), G = even parity (left half, add-ons),
// R = right half.
enum class UpcEanSet { L, G, R };

// The 4-element pattern of a digit 0..9 in the module alphabet, with the
// 1/13-module bar width adjustment of the digits 1, 2, 7 and 8 applied.
std::string upcEanDigitPattern(UpcEanSet set, int digit);

// Parity letters ("O" = L set, "E" = G set), one per digit.
std::string_view ean13Parity(int firstDigit);                 // digits 2..7
std::string_view upcEParity(int numberSystem, int checkDigit); // the six digits
std::string_view addOnParity(std::string_view digits);        // 2 or 5 digits

}  // namespace quillet
