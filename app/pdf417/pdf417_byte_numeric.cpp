// Byte and Numeric Compaction, with the decimal long division by 900 that
// both use.
#include <cstdint>

#include "app/pdf417/pdf417_compaction.h"

namespace quillet {
namespace {

void pushCodeword(PdfCodewordString& out, int cw) {
    out.push_back(cw / 30);
    out.push_back(cw % 30);
}

std::string stripLeadingZeros(std::string s) {
    size_t nz = s.find_first_not_of('0');
    return nz == std::string::npos ? std::string() : s.substr(nz);
}

// Repeated division by 900 until the quotient is empty; remainders most
// significant first.
std::vector<int> base900(std::string digits, size_t minCount) {
    std::vector<int> rev;
    do {
        auto [q, r] = DivideDecimalBy900(digits);
        rev.push_back(r);
        digits = std::move(q);
    } while (!digits.empty() || rev.size() < minCount);
    return {rev.rbegin(), rev.rend()};
}

}  // namespace

std::pair<std::string, int> DivideDecimalBy900(std::string_view digits) {
    if (digits.size() < 10) {
        uint64_t n = 0;
        for (char c : digits) n = n * 10 + uint64_t(c - '0');
        return {n >= 900 ? std::to_string(n / 900) : std::string(), int(n % 900)};
    }
    // N = 100 A + B; A = 9 q + r  =>  N = 900 q + (100 r + B).
    std::string_view a = digits.substr(0, digits.size() - 2);
    int b = (digits[digits.size() - 2] - '0') * 10 + (digits.back() - '0');
    int digitSum = 0;
    for (char c : a) digitSum += c - '0';
    int rem = 100 * (digitSum % 9) + b;
    std::string q;
    q.reserve(a.size());
    int carry = 0;
    for (char c : a) {
        int cur = carry * 10 + (c - '0');
        q.push_back(char('0' + cur / 9));
        carry = cur % 9;
    }
    return {stripLeadingZeros(std::move(q)), rem};
}

PdfCodewordString CompactBytes(std::string_view segment) {
    PdfCodewordString out;
    const size_t len = segment.size();
    pushCodeword(out, len % 6 == 0 ? kPdfByteLatch6 : kPdfByteLatch);
    size_t i = 0;
    for (; i + 6 <= len; i += 6) {
        uint64_t value = 0;
        for (size_t k = 0; k < 6; ++k) value = (value << 8) | uint8_t(segment[i + k]);
        for (int cw : base900(std::to_string(value), 5)) pushCodeword(out, cw);
    }
    for (; i < len; ++i) pushCodeword(out, uint8_t(segment[i]));
    return out;
}

std::optional<PdfCodewordString> CompactNumeric(std::string_view segment, bool withLatch) {
    for (char c : segment)
        if (c < '0' || c > '9') return std::nullopt;
    PdfCodewordString out;
    if (withLatch) pushCodeword(out, kPdfNumericLatch);
    for (size_t i = 0; i < segment.size(); i += 44) {
        std::string group = "1";
        group += segment.substr(i, 44);
        for (int cw : base900(std::move(group), 1)) pushCodeword(out, cw);
    }
    return out;
}

}  // namespace quillet
