// BookLand: ISBN to EAN-13 data, and the price add-on.
#include "app/encode/upc_ean.h"

namespace quillet {

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::optional<std::string> booklandEanData(std::string_view isbn) {
    if (isbn.empty()) return std::nullopt;
    // The ISBN check character (possibly "X") is replaced by the EAN one.
    isbn.remove_suffix(1);
    std::string digits;
    for (char c : isbn) {
        if (isDigit(c))
            digits += c;
        else if (c != '-')
            return std::nullopt;
    }
    if (digits.size() == 9) return "978" + digits;
    if (digits.size() == 12 && (digits.starts_with("978") || digits.starts_with("979"))) return digits;
    return std::nullopt;
}

std::optional<std::string> booklandPriceAddOn(std::string_view price) {
    std::string digits;
    for (char c : price) {
        if (isDigit(c))
            digits += c;
        else if (c != '.')
            return std::nullopt;
    }
    if (price == "90000") return std::string(price);  // "no suggested price"
    if (digits.size() == 3 || digits.size() == 4)
        return "5" + std::string(4 - digits.size(), '0') + digits;  // 5 = US dollars
    if (digits.size() <= 2) return std::string(price);
    return std::nullopt;
}

}  // namespace quillet
