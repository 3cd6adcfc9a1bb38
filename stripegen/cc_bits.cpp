#include "stripegen/cc_bits.h"

#include <cstring>

namespace stripegen {

namespace {

enum class Mode { Numeric, Alpha, Iso };

bool isFnc1(unsigned char c) { return c == kFnc1Byte || c == kGroupSeparator; }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool isNumeric(unsigned char c) { return isDigit(c) || isFnc1(c); }
bool isAlphaSet(unsigned char c) {
    return isNumeric(c) || (c >= 'A' && c <= 'Z') || c == '*' || c == ',' || c == '-' || c == '.' || c == '/';
}
const char kIsoPunctuation[] = "!\"%&'()*+,-./:;<=>?_ ";  // codes 232-252 in this order
bool isIsoSet(unsigned char c) {
    return isAlphaSet(c) || (c >= 'a' && c <= 'z') || (c != 0 && std::strchr(kIsoPunctuation, c) != nullptr);
}

void put(std::string& bits, unsigned value, int count) {
    for (int i = count - 1; i >= 0; --i) bits.push_back(((value >> i) & 1u) ? '1' : '0');
}

size_t numericRun(const std::string& s, size_t i) {
    size_t n = 0;
    while (i + n < s.size() && isNumeric((unsigned char)s[i + n])) ++n;
    return n;
}

size_t alphaRun(const std::string& s, size_t i) {
    size_t n = 0;
    while (i + n < s.size() && isAlphaSet((unsigned char)s[i + n])) ++n;
    return n;
}

void putAlpha(std::string& bits, unsigned char c) {
    if (isDigit(c)) put(bits, c - '0' + 5u, 5);
    else if (isFnc1(c)) put(bits, 15, 5);
    else if (c >= 'A' && c <= 'Z') put(bits, c - 'A' + 32u, 6);
    else if (c == '*') put(bits, 58, 6);
    else if (c == ',') put(bits, 59, 6);
    else if (c == '-') put(bits, 60, 6);
    else if (c == '.') put(bits, 61, 6);
    else put(bits, 62, 6);  // '/'
}

void putIso(std::string& bits, unsigned char c) {
    if (isDigit(c)) put(bits, c - '0' + 5u, 5);
    else if (isFnc1(c)) put(bits, 15, 5);
    else if (c >= 'A' && c <= 'Z') put(bits, c - 'A' + 64u, 7);
    else if (c >= 'a' && c <= 'z') put(bits, c - 'a' + 90u, 7);
    else put(bits, unsigned(232 + (std::strchr(kIsoPunctuation, c) - kIsoPunctuation)), 8);
}

}  // namespace

GpBits compactGeneralPurpose(const std::string& s, const std::string& leading) {
    GpBits out;
    for (unsigned char c : s)
        if (!isIsoSet(c)) return out;
    out.ok = true;
    std::string& bits = out.bits;
    bits = leading;
    Mode mode = Mode::Numeric;
    bool leftNumeric = false;  // a latch out of numeric encodation is followed by one character at least
    size_t i = 0;
    const size_t n = s.size();
    while (i < n) {
        if (bits.size() > 16 * n + 64) {  // no character takes more than 16 bits with its latches
            out.ok = false;
            return out;
        }
        unsigned char c = (unsigned char)s[i];
        if (mode == Mode::Numeric) {
            if (i + 1 < n && isNumeric(c) && isNumeric((unsigned char)s[i + 1]) &&
                !(isFnc1(c) && isFnc1((unsigned char)s[i + 1]))) {
                int a = isFnc1(c) ? 10 : c - '0';
                unsigned char c2 = (unsigned char)s[i + 1];
                int b = isFnc1(c2) ? 10 : c2 - '0';
                put(bits, unsigned(11 * a + b + 8), 7);
                i += 2;
                continue;
            }
            if (i + 1 == n && isDigit(c)) {
                out.trailingDigit = true;
                out.digit = c - '0';
                break;
            }
            put(bits, 0, 4);  // latch to alphanumeric
            mode = Mode::Alpha;
            leftNumeric = true;
            if (!isAlphaSet(c)) {
                put(bits, 4, 5);  // and on to ISO/IEC 646
                mode = Mode::Iso;
            }
            continue;
        }
        // Out of alphanumeric encodation for six digits, or four that end the
        // data. Out of ISO/IEC 646 encodation only where at least the next ten
        // characters, or five or more that end the data, are in the
        // alphanumeric set: to numeric when four digits open them (or end the
        // data), else to alphanumeric.
        if (isFnc1(c)) {  // FNC1 is held in both and returns to numeric encodation
            put(bits, 15, 5);
            mode = Mode::Numeric;
            leftNumeric = false;
            ++i;
            continue;
        }
        size_t run = numericRun(s, i), arun = alphaRun(s, i);
        bool toEnd = i + arun == n;
        bool leaveIso = arun >= 10 || (toEnd && arun >= 5);
        bool toNumeric = mode == Mode::Alpha ? (run >= 6 || (run >= 4 && i + run == n))
                                             : (run >= 4 && (leaveIso || i + run == n));
        if (toNumeric && !leftNumeric) {
            put(bits, 0, 3);
            mode = Mode::Numeric;
            continue;
        }
        if (mode == Mode::Alpha) {
            if (!isAlphaSet(c)) {
                put(bits, 4, 5);
                mode = Mode::Iso;
                continue;
            }
            putAlpha(bits, c);
        } else {
            if (leaveIso) {
                put(bits, 4, 5);
                mode = Mode::Alpha;
                continue;
            }
            putIso(bits, c);
        }
        leftNumeric = false;
        ++i;
    }
    out.endsNumeric = mode == Mode::Numeric;
    return out;
}

std::string finishBits(const GpBits& gp, int capacity) {
    std::string bits = gp.bits;
    bool numeric = gp.endsNumeric;
    if (gp.trailingDigit) {
        int left = capacity - int(bits.size());
        if (left >= 4 && left <= 6)
            put(bits, unsigned(gp.digit + 1), 4);  // a short final digit, read only at the very end
        else
            put(bits, unsigned(11 * gp.digit + 10 + 8), 7);  // the digit and an FNC1 that readers drop as padding
    }
    if (int(bits.size()) > capacity) return {};
    int left = capacity - int(bits.size());
    if (numeric && left >= 4) {
        put(bits, 0, 4);
        left -= 4;
    } else if (numeric) {
        bits.append(size_t(left), '0');
        left = 0;
    }
    static const char pad[] = "00100";
    for (int k = 0; k < left; ++k) bits.push_back(pad[k % 5]);
    return bits;
}

}  // namespace stripegen
