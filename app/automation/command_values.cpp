#include "app/automation/command_values.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "app/automation/execute_string.h"

namespace quillet {

std::string decodeValue(std::string_view value) {
    std::string result;
    std::string digits;
    bool quoted = false;
    auto flush = [&] {
        if (digits.empty()) return;
        // Only the low eight bits count, so the last digits decide.
        unsigned code = 0;
        for (char d : digits) code = (code * 10 + unsigned(d - '0')) & 0xFFFFu;
        result += char(code & 0xFF);
        digits.clear();
    };
    for (char c : value) {
        if (c == '\'') {
            if (!quoted) flush();
            quoted = !quoted;
        } else if (quoted) {
            result += c;
        } else if (c >= '0' && c <= '9') {
            digits += c;
        } else {
            flush();
        }
    }
    flush();
    return result;
}

Colour colourByName(std::string_view name) {
    struct Named { const char* name; Colour value; };
    static constexpr std::array<Named, 15> kColours{{
        {"MAROON", 0x000080}, {"GREEN", 0x008000}, {"OLIVE", 0x008080}, {"NAVY", 0x800000},
        {"PURPLE", 0x800080}, {"TEAL", 0x808000}, {"GRAY", 0x808080}, {"WHITE", 0xFFFFFF},
        {"SILVER", 0xC0C0C0}, {"RED", 0x0000FF}, {"LIME", 0x00FF00}, {"YELLOW", 0x00FFFF},
        {"BLUE", 0xFF0000}, {"FUSCHIA", 0xFF00FF}, {"AQUA", 0xFFFF00},
    }};
    const std::string key = upperAscii(trimSpaces(name));
    for (const auto& c : kColours)
        if (key == c.name) return c.value;
    return 0x000000;
}

Colour colourFromCodes(std::string_view value) {
    std::string codes = decodeValue(value);
    codes.resize(3, '\0');
    return Colour(uint8_t(codes[0])) | Colour(uint8_t(codes[1])) << 8 | Colour(uint8_t(codes[2])) << 16;
}

std::optional<double> parseNumber(std::string_view text) {
    const std::string t = trimSpaces(text);
    size_t i = 0;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
    int digits = 0, points = 0;
    for (; i < t.size(); ++i) {
        if (t[i] >= '0' && t[i] <= '9') ++digits;
        else if (t[i] == '.' && points == 0) ++points;
        else return std::nullopt;
    }
    if (digits == 0) return std::nullopt;
    double v = std::strtod(t.c_str(), nullptr);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<int> parseInteger(std::string_view text) {
    auto v = parseNumber(text);
    if (!v) return std::nullopt;
    double r = std::nearbyint(*v);
    if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
    return int(r);
}

}  // namespace quillet
