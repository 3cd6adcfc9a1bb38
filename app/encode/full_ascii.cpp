#include "app/encode/full_ascii.h"

namespace quillet {

namespace {
// Shift characters for Code 93: ($) (%) (/) (+).
constexpr char kShiftDollar = char(131), kShiftPercent = char(132), kShiftSlash = char(133), kShiftPlus = char(134);

std::string pair(char shift, char letter, bool code93) {
    if (code93) {
        switch (shift) {
        case '$': shift = kShiftDollar; break;
        case '%': shift = kShiftPercent; break;
        case '/': shift = kShiftSlash; break;
        case '+': shift = kShiftPlus; break;
        }
    }
    return std::string{shift, letter};
}
}  // namespace

std::string fullAsciiSubstitute(unsigned char c, bool code93) {
    if (c == 0) return pair('%', 'U', code93);
    if (c >= 1 && c <= 26) return pair('$', char('A' + c - 1), code93);
    if (c >= 27 && c <= 31) return pair('%', char('A' + c - 27), code93);
    if (c == ' ' || c == '-' || c == '.' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'))
        return std::string(1, char(c));
    if (c == '$' || c == '%' || c == '+' || c == '/') {
        if (code93) return std::string(1, char(c));
        return pair('/', char(c + 32), false);
    }
    if ((c >= 33 && c <= 44)) return pair('/', char(c + 32), code93);
    if (c == ':') return pair('/', 'Z', code93);
    if (c >= 59 && c <= 63) return pair('%', char('F' + c - 59), code93);
    if (c == '@') return pair('%', 'V', code93);
    if (c >= 91 && c <= 95) return pair('%', char('K' + c - 91), code93);
    if (c == '`') return pair('%', 'W', code93);
    if (c >= 97 && c <= 122) return pair('+', char('A' + c - 97), code93);
    if (c >= 123 && c <= 127) return pair('%', char('P' + c - 123), code93);
    return std::string(1, char(c));
}

}  // namespace quillet
