#pragma once
// Values of the command language: quoted text with character codes,
// colours by name or by three codes, and numbers.
#include <optional>
#include <string>
#include <string_view>

#include "app/model/settings.h"

namespace quillet {

// Quoted text is taken literally; outside quotes, runs of digits are
// character codes (AND 255) and every other character only ends a code.
// 'ABC' 13 10 'DEF' gives ABC CR LF DEF; 'O' 39 'NEIL' gives O'NEIL.
std::string decodeValue(std::string_view value);

// "MAROON", "GREEN", ... (compared upper-cased, spaces trimmed); any other
// text is black.
Colour colourByName(std::string_view name);
// Decodes the value, pads it with code 0 or cuts it to three characters,
// and reads them as red, green and blue.
Colour colourFromCodes(std::string_view value);

// A decimal number: optional sign, digits with at most one '.', spaces
// around allowed. Anything else is not a number.
std::optional<double> parseNumber(std::string_view text);
// A number rounded to the nearest integer (halves to even); nothing when it
// is not a number or does not fit a 32-bit integer.
std::optional<int> parseInteger(std::string_view text);

}  // namespace quillet
