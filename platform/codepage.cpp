// Code page tables: the upper halves of Windows-1252 and code page 437.
// The lower halves are ASCII in both.
#include "platform/codepage.h"

#include <algorithm>
#include <array>

namespace platform {
namespace {

// Windows-1252 0x80-0x9F; 0x81, 0x8D, 0x8F, 0x90 and 0x9D are unassigned
// and stand for the C1 control of the same value. 0xA0-0xFF is Latin-1.
constexpr std::array<char16_t, 32> kAnsi80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Code page 437 0x80-0xFF.
constexpr std::array<char16_t, 128> kOem80 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i]; returns false (and consumes one
// byte) for anything ill-formed: overlong forms, surrogates, cut sequences.
bool nextUtf8(const std::string& s, size_t& i, char32_t& c) {
    uint8_t b = uint8_t(s[i]);
    size_t len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
    if (len == 0 || i + len > s.size()) {
        ++i;
        return false;
    }
    char32_t v = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    for (size_t k = 1; k < len; ++k) {
        uint8_t t = uint8_t(s[i + k]);
        if ((t & 0xC0) != 0x80) {
            ++i;
            return false;
        }
        v = (v << 6) | (t & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (v < kMin[len] || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) {
        ++i;
        return false;
    }
    i += len;
    c = v;
    return true;
}

template <typename ToByte>
std::string fromUtf8(const std::string& utf8, ToByte toByte) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        uint8_t b = '?';
        if (nextUtf8(utf8, i, c) && !toByte(c, b)) b = '?';
        out += char(b);
    }
    return out;
}

}  // namespace

char32_t ansiToUnicode(uint8_t b) { return b >= 0x80 && b < 0xA0 ? kAnsi80[b - 0x80] : b; }
char32_t oemToUnicode(uint8_t b) { return b < 0x80 ? b : kOem80[b - 0x80]; }

bool unicodeToAnsi(char32_t c, uint8_t& out) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        out = uint8_t(c);
        return true;
    }
    for (size_t i = 0; i < kAnsi80.size(); ++i)
        if (kAnsi80[i] == c) {
            out = uint8_t(0x80 + i);
            return true;
        }
    return false;
}

bool unicodeToOem(char32_t c, uint8_t& out) {
    if (c < 0x80) {
        out = uint8_t(c);
        return true;
    }
    for (size_t i = 0; i < kOem80.size(); ++i)
        if (kOem80[i] == c) {
            out = uint8_t(0x80 + i);
            return true;
        }
    return false;
}

std::string ansiToOem(const std::string& ansi) {
    std::string out(ansi.size(), '?');
    for (size_t i = 0; i < ansi.size(); ++i) {
        uint8_t b;
        if (unicodeToOem(ansiToUnicode(uint8_t(ansi[i])), b)) out[i] = char(b);
    }
    return out;
}

std::string oemToAnsi(const std::string& oem) {
    std::string out(oem.size(), '?');
    for (size_t i = 0; i < oem.size(); ++i) {
        uint8_t b;
        if (unicodeToAnsi(oemToUnicode(uint8_t(oem[i])), b)) out[i] = char(b);
    }
    return out;
}

std::string utf8ToAnsi(const std::string& utf8) { return fromUtf8(utf8, unicodeToAnsi); }
std::string utf8ToOem(const std::string& utf8) { return fromUtf8(utf8, unicodeToOem); }

std::string utf8MessageToAnsi(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const size_t start = i;
        char32_t c = 0;
        uint8_t b = '?';
        if (!nextUtf8(utf8, i, c)) b = uint8_t(utf8[start]);
        else if (!unicodeToAnsi(c, b)) b = '?';
        out += char(b);
    }
    return out;
}

std::vector<char32_t> charactersOutsideAnsi(const std::string& utf8) {
    std::vector<char32_t> out;
    for (size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        uint8_t b = 0;
        if (nextUtf8(utf8, i, c) && !unicodeToAnsi(c, b) && std::find(out.begin(), out.end(), c) == out.end())
            out.push_back(c);
    }
    return out;
}

std::string ansiToUtf8(const std::string& ansi) {
    std::string out;
    for (char ch : ansi) appendUtf8(out, ansiToUnicode(uint8_t(ch)));
    return out;
}

std::string oemToUtf8(const std::string& oem) {
    std::string out;
    for (char ch : oem) appendUtf8(out, oemToUnicode(uint8_t(ch)));
    return out;
}

}  // namespace platform
