#include "app/model/check_digits.h"

#include <vector>

namespace quillet {

namespace {
constexpr std::string_view kCode39Values = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
constexpr std::string_view kCodabarValues = "0123456789-$:/.+ABCD";
constexpr std::string_view kBpoChars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
}  // namespace

int code39Value(char c) {
    auto p = kCode39Values.find(c);
    return p == std::string_view::npos ? -1 : int(p);
}

char code39CharOfValue(int v) { return kCode39Values[size_t(v % 43)]; }

int code39CheckValue(std::string_view encoded) {
    int sum = 0;
    for (char c : encoded) {
        int v = c == '*' ? 40 + 19 : code39Value(c);  // a message "*" counts as its /J substitute
        if (v < 0) v = 0;
        sum = (sum + v) % 43;
    }
    return sum;
}

int code93Value(unsigned char c) {
    if (c >= 131 && c <= 134) return 43 + (c - 131);
    int v = code39Value(char(c));
    return v;
}

unsigned char code93CharOfValue(int v) {
    if (v >= 43) return static_cast<unsigned char>(131 + (v - 43));
    return static_cast<unsigned char>(kCode39Values[size_t(v)]);
}

static int code93Check(const std::string& data, int maxWeight) {
    int sum = 0, w = 1;
    for (size_t i = data.size(); i-- > 0;) {
        int v = code93Value(static_cast<unsigned char>(data[i]));
        if (v < 0) v = 0;
        sum = (sum + v * w) % 47;
        w = w == maxWeight ? 1 : w + 1;
    }
    return sum;
}

std::string code93AppendChecks(std::string& expanded) {
    int c = code93Check(expanded, 20);
    expanded += char(code93CharOfValue(c));
    int k = code93Check(expanded, 15);
    expanded += char(code93CharOfValue(k));
    return std::to_string(c) + "," + std::to_string(k);
}

char codabarCheckChar(std::string_view message) {
    int s = 0;
    for (char c : message) {
        auto p = kCodabarValues.find(c);
        if (p != std::string_view::npos) s += int(p);
    }
    static constexpr std::string_view kCheckChars = "123456789-$:/.+0";
    return kCheckChars[size_t(16 - (s % 16) - 1)];
}

int mod10LeftWeighted(std::string_view digits) {
    int sum = 0;
    for (size_t i = 0; i < digits.size(); ++i) {
        int d = digits[i] - '0';
        sum += (i % 2 == 0) ? 3 * d : d;
    }
    return (10 - sum % 10) % 10;
}

int msiCheckDigit(std::string_view digits) {
    // Odd positions from the right, in their order, form one decimal number.
    std::string odd;
    int evenSum = 0;
    size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        size_t posFromRight = n - i;
        if (posFromRight % 2 == 1)
            odd += digits[i];
        else
            evenSum += digits[i] - '0';
    }
    // Double it exactly, digit by digit, and add up the digits of the result.
    int carry = 0, total = evenSum;
    for (size_t i = odd.size(); i-- > 0;) {
        int v = (odd[i] - '0') * 2 + carry;
        total += v % 10;
        carry = v / 10;
    }
    total += carry;
    return (10 - total % 10) % 10;
}

int upcEanCheckDigit(std::string_view data) {
    // Weights 3 and 1 from the right; the rightmost data digit has weight 3.
    int sum = 0;
    size_t n = data.size();
    for (size_t i = 0; i < n; ++i) {
        int d = data[i] - '0';
        sum += ((n - i) % 2 == 1) ? 3 * d : d;
    }
    return (10 - sum % 10) % 10;
}

int addOnParityValue(std::string_view digits) {
    if (digits.size() == 2) return ((digits[0] - '0') * 10 + (digits[1] - '0')) % 4;
    if (digits.size() == 5) {
        int odd = (digits[0] - '0') + (digits[2] - '0') + (digits[4] - '0');
        int even = (digits[1] - '0') + (digits[3] - '0');
        return (3 * odd + 9 * even) % 10;
    }
    return 0;
}

int code128CheckValue(const int* values, size_t count) {
    if (count == 0) return 0;
    long sum = values[0];
    for (size_t k = 1; k < count; ++k) sum += long(k) * values[k];
    return int(sum % 103);
}

int postnetCheckDigit(std::string_view digits) {
    int sum = 0;
    for (char c : digits) sum += c - '0';
    return (10 - sum % 10) % 10;
}

char bpoCheckChar(std::string_view message) {
    int rs = 0, cs = 0;
    for (char c : message) {
        auto p0 = kBpoChars.find(c);
        if (p0 == std::string_view::npos) continue;
        int p = int(p0) + 1;
        rs += (p + 5) / 6;
        cs += (p - 1) % 6 + 1;
    }
    int r = rs % 6, c = cs % 6;
    if (r == 0) r = 6;
    if (c == 0) c = 6;
    return kBpoChars[size_t((r - 1) * 6 + c - 1)];
}

}  // namespace quillet
