#pragma once
// Code 128 symbol characters.
#include <string>
#include <string_view>

namespace quillet {

// Symbol character values with a meaning of their own.
enum Code128Value : int {
    kC128Fnc3 = 96,
    kC128Fnc2 = 97,
    kC128Shift = 98,
    kC128CodeC = 99,
    kC128CodeB = 100,  // FNC4 in set B
    kC128CodeA = 101,  // FNC4 in set A
    kC128Fnc1 = 102,
    kC128StartA = 103,
    kC128StartB = 104,
    kC128StartC = 105,
};

// Bar and space widths of a symbol character value 0..105 (six digits,
// bar first), and of the stop character with its termination bar.
std::string_view code128Widths(int value);
constexpr std::string_view kCode128StopWidths = "2331112";

// Widths written in the module alphabet ("212222" -> "515858").
std::string code128Pattern(std::string_view widths);

}  // namespace quillet
