#include "app/render/gs1_text.h"

#include <algorithm>

namespace quillet {

namespace {

bool isFnc1(char c) { return (unsigned char)c == 128 || (unsigned char)c == 29; }

// Digits in the application identifier, by its first two digits.
size_t aiDigits(int prefix) {
    if (prefix == 23 || prefix == 24 || prefix == 25 || (prefix >= 40 && prefix <= 42) || prefix == 71) return 3;
    if ((prefix >= 31 && prefix <= 36) || prefix == 39 || prefix == 43 || prefix == 70 || prefix == 72 ||
        (prefix >= 80 && prefix <= 82))
        return 4;
    return 2;
}

// Digits after the application identifier when its field has a predefined
// length (the identifiers that never need FNC1), else 0.
size_t predefinedLength(int prefix) {
    switch (prefix) {
    case 0: return 18;
    case 1: case 2: case 3: return 14;
    case 4: return 16;
    case 20: return 2;
    case 41: return 13;
    default: break;
    }
    if ((prefix >= 11 && prefix <= 19) || (prefix >= 31 && prefix <= 36)) return 6;
    return 0;
}

}  // namespace

std::string gs1ElementText(const std::string& data) {
    std::string text;
    size_t i = 0;
    while (i < data.size()) {
        if (isFnc1(data[i])) { ++i; continue; }
        const bool twoDigits = i + 1 < data.size() && data[i] >= '0' && data[i] <= '9' && data[i + 1] >= '0' &&
                               data[i + 1] <= '9';
        const int prefix = twoDigits ? (data[i] - '0') * 10 + (data[i + 1] - '0') : -1;
        const size_t ai = prefix < 0 ? 0 : std::min(aiDigits(prefix), data.size() - i);
        text += "(" + data.substr(i, ai) + ")";
        i += ai;
        const size_t fixed = prefix < 0 ? 0 : predefinedLength(prefix);
        size_t end = i;
        if (fixed > 0) end = std::min(data.size(), i + fixed);
        else
            while (end < data.size() && !isFnc1(data[end])) ++end;
        text += data.substr(i, end - i);
        i = end;
    }
    return text;
}

}  // namespace quillet
