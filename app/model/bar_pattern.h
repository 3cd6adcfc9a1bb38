#pragma once
// The `BarPattern` alphabet: one character per element, left to right.
// Bars 3 5 6 7 (1-4 modules), 4 (wide), C D E F (12/13, 25/13, 27/13,
// 40/13 modules); spaces 1 8 9 A (1-4 modules), 2 (wide), B (9 modules),
// G H I J (the 1/13 widths). POSTNET and BPO 4 State use letters of their own.
#include <string_view>

namespace quillet {

constexpr bool isBarElement(char c) {
    return c == '3' || c == '5' || c == '6' || c == '7' || c == '4' || c == 'C' || c == 'D' || c == 'E' || c == 'F';
}
constexpr bool isSpaceElement(char c) {
    return c == '1' || c == '8' || c == '9' || c == 'A' || c == '2' || c == 'B' || c == 'G' || c == 'H' ||
           c == 'I' || c == 'J';
}

// Whole modules the width pass counts for an element (wide elements and
// unknown characters count none).
constexpr int moduleCount(char c) {
    switch (c) {
    case '1': case '3': case 'C': case 'G': return 1;
    case '5': case '8': case 'D': case 'H': case 'E': case 'I': return 2;
    case '6': case '9': case 'F': case 'J': return 3;
    case '7': case 'A': return 4;
    case 'B': return 9;
    default: return 0;
    }
}

// Width of an element in 13ths of a module; wide elements give -1.
constexpr int thirteenths(char c) {
    switch (c) {
    case 'C': case 'G': return 12;
    case 'D': case 'H': return 25;
    case 'E': case 'I': return 27;
    case 'F': case 'J': return 40;
    case '2': case '4': return -1;
    default: return moduleCount(c) * 13;
    }
}

// Total whole modules of a pattern (wide elements excluded).
int patternModules(std::string_view pattern);

}  // namespace quillet
