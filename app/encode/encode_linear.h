#pragma once
// The single entry of the linear encoders.
#include <string>

namespace quillet {

struct SymbolSettings;

// What one linear encode hands back to its caller, who reports the error
// and stores the normalised message.
struct LinearEncoding {
    int error = 0;            // message code of a failed rule, 0 on success
    bool secondBeep = false;  // UPC-A without the user's own check digit
    std::string text;         // the human-readable text (POSTNET: the ZIP code found)
    std::string addOnDigits;  // UPC/EAN add-on digits, else empty
    std::string pattern;      // start to stop, without quiet zones
    std::string checkText;    // the `CheckValue` text
    std::string errorText;    // when set, shown in place of the text of `error`
};

// Encodes the message as the settings' symbology with its supplement and
// check-digit options, from pattern tables built for this call.
LinearEncoding EncodeLinear(const SymbolSettings& settings, const std::string& message);

}  // namespace quillet
