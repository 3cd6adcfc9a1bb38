#pragma once
// The GS1 Application Identifiers: each AI's data format and whether a
// variable-length field needs an FNC1 after it.
#include <string_view>

namespace quillet {

// Format in the GS1 notation: components joined by '+', each "N14" (fixed
// digits), "N..20" (up to 20 digits), "X..20" (up to 20 characters of the
// GS1 set); a component may add ",csum" (last digit is the GS1 check digit)
// or ",yymmdd" / ",yymmd0" (a date; the latter allows day 00).
struct Gs1Ai {
    std::string_view ai;      // the digits, or the leading digits when lastDigits is set
    std::string_view lastDigits;  // the digits one more position may take ("" = none)
    std::string_view format;
    bool fnc1;                // a separator follows unless the element ends the data
};

// The entry of an AI written out in full ("01", "3103"), or nullptr.
const Gs1Ai* findGs1Ai(std::string_view ai);

}  // namespace quillet
