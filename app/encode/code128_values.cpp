// Code set choice of Code 128: start set, CODE A/B/C changes and SHIFT.
// Positions are 0-based here; a character that does not occur counts as
// found at the end of the message.
#include "app/encode/code128.h"
#include "app/encode/code128_tables.h"

namespace quillet {

namespace {

enum class Set { A, B, C };

struct Message {
    std::string_view m;

    size_t size() const { return m.size(); }
    unsigned char at(size_t p) const { return static_cast<unsigned char>(m[p]); }
    bool digit(size_t p) const { return p < m.size() && at(p) >= '0' && at(p) <= '9'; }
    bool lower(size_t p) const { return at(p) >= 96 && at(p) <= 127; }

    size_t countDigits(size_t p) const {
        size_t n = 0;
        while (digit(p + n)) ++n;
        return n;
    }
    bool allDigits() const { return size() >= 2 && countDigits(0) == size(); }
    // -1: a control character comes first; 1: a lower-case one; 0: neither.
    int controlOrLower(size_t p) const {
        size_t c = size(), l = size();
        for (size_t i = p; i < size() && (c == size() || l == size()); ++i) {
            if (at(i) < 32 && c == size()) c = i;
            if (lower(i) && l == size()) l = i;
        }
        return c < l ? -1 : (c > l ? 1 : 0);
    }
    // Worth changing to set C at p: at least four digits or FNC1s, at least
    // two digits, and (away from the start) an even run of them. The digit
    // run is measured past the FNC1s that lead the message.
    bool useSetC(size_t p) const {
        size_t k = 0;
        while (k < size() && at(k) == kFnc1Char) ++k;
        size_t d = countDigits(p + k);
        size_t f = 0;
        while (p + f < size() && (digit(p + f) || at(p + f) == kFnc1Char)) ++f;
        return f >= 4 && d >= 2 && (p == 0 || d % 2 == 0);
    }
};

int valueA(unsigned char c) {
    if (c < 32) return c + 64;
    if (c < 96) return c - 32;
    switch (c) {
    case kFnc1Char: return kC128Fnc1;
    case kFnc2Char: return kC128Fnc2;
    case kFnc3Char: return kC128Fnc3;
    case kFnc4Char: return kC128CodeA;  // FNC4 in set A
    default: return -1;
    }
}

int valueB(unsigned char c) {
    if (c < 32) return -1;
    if (c < 128) return c - 32;
    switch (c) {
    case kFnc1Char: return kC128Fnc1;
    case kFnc2Char: return kC128Fnc2;
    case kFnc3Char: return kC128Fnc3;
    case kFnc4Char: return kC128CodeB;  // FNC4 in set B
    default: return -1;
    }
}

}  // namespace

std::vector<int> code128Values(std::string_view text, bool gs1) {
    const Message m{text};
    const size_t n = m.size();
    std::vector<int> v;
    v.reserve(n + 4);  // room for the usual case: the start, a value a character, a set change or two

    Set set;
    if (m.useSetC(0) || m.allDigits()) {
        set = Set::C;
        v.push_back(kC128StartC);
    } else if (m.controlOrLower(0) == -1) {
        set = Set::A;
        v.push_back(kC128StartA);
    } else {
        set = Set::B;
        v.push_back(kC128StartB);
    }
    if (gs1) v.push_back(kC128Fnc1);

    size_t i = 0;
    while (i < n) {
        const unsigned char c = m.at(i);
        if (set == Set::C) {
            if (c == kFnc1Char) {
                v.push_back(kC128Fnc1);
                i += 1;
            } else if (m.countDigits(i) >= 2) {
                v.push_back((c - '0') * 10 + (m.at(i + 1) - '0'));
                i += 2;
            } else {
                // Not a digit pair (an odd digit left before an FNC1 or the
                // end): leave set C rather than encode a false pair.
                bool toA = m.controlOrLower(i) == -1;
                v.push_back(toA ? kC128CodeA : kC128CodeB);
                set = toA ? Set::A : Set::B;
                continue;
            }
            if (i >= n) break;
            if (m.at(i) == kFnc1Char || m.countDigits(i) >= 2) continue;
            bool toA = m.controlOrLower(i) == -1;
            v.push_back(toA ? kC128CodeA : kC128CodeB);
            set = toA ? Set::A : Set::B;
            continue;
        }

        const bool inA = set == Set::A;
        const int value = inA ? valueA(c) : valueB(c);
        if (value < 0) {
            // The look-ahead never leaves a character in a set that cannot
            // hold it; should it, change set rather than encode a wrong value.
            v.push_back(inA ? kC128CodeB : kC128CodeA);
            set = inA ? Set::B : Set::A;
            continue;
        }
        v.push_back(value);
        if (i + 1 >= n) break;
        if (m.useSetC(i + 1)) {
            v.push_back(kC128CodeC);
            set = Set::C;
            i += 1;
            continue;
        }
        const unsigned char next = m.at(i + 1);
        if (inA && m.lower(i + 1)) {
            if (m.controlOrLower(i + 2) == -1) {
                v.push_back(kC128Shift);
                v.push_back(valueB(next));
                i += 2;
            } else {
                v.push_back(kC128CodeB);
                set = Set::B;
                i += 1;
            }
            continue;
        }
        if (!inA && next < 32) {
            if (m.controlOrLower(i + 2) == 1) {
                v.push_back(kC128Shift);
                v.push_back(valueA(next));
                i += 2;
            } else {
                v.push_back(kC128CodeA);
                set = Set::A;
                i += 1;
            }
            continue;
        }
        i += 1;
    }
    return v;
}

std::string code128DisplayText(std::string_view message) {
    std::string out(message);
    for (char& ch : out) {
        switch (static_cast<unsigned char>(ch)) {
        case kFnc1Char: ch = char(185); break;
        case kFnc2Char: ch = char(178); break;
        case kFnc3Char: ch = char(179); break;
        case kFnc4Char: ch = char(128); break;
        default: break;
        }
    }
    return out;
}

}  // namespace quillet
