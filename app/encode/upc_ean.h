#pragma once
// Message preparation helpers of the UPC/EAN family.
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// The 11-digit UPC-A equivalent of a 6-digit UPC-E message under the
// number system '0' or '1'.
std::string upcEExpansion(char numberSystem, std::string_view sixDigits);

// The 12 EAN-13 data digits of a 10- or 13-digit ISBN (hyphens allowed, the
// last character being the ISBN's own check character), or nothing when it
// is not one.
std::optional<std::string> booklandEanData(std::string_view isbn);

// The add-on text for a BookLand price ("24.95" -> "52495"), or nothing
// when the price cannot be written (not a number, $100 or more).
std::optional<std::string> booklandPriceAddOn(std::string_view price);

}  // namespace quillet
