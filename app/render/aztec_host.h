#pragma once
// The program's side of Aztec Code: the request record handed to
// libzorvex32.so, the result texts and the options dialog's checks.
#include <string>

#include "zorvex32/zorvex32.h"

namespace quillet {

struct AppState;
struct SymbolSettings;

// Fills a request for output mode 2 (handle returned) from the settings.
void fillAztecRequest(const SymbolSettings& s, const std::string& message, AztecRequest& request);

// "Cannot Create Bar Code!" texts by library result.
std::string aztecResultText(int result);

// The options dialog's accept: option 0 default, 1 percent (Text1), 2
// compact layers, 3 full-range layers (Text2). Stores the selector (even a
// refused one, as the dialog does) and the menu flag; returns the refusal
// text, or "" when the dialog may close.
std::string acceptAztecOptions(SymbolSettings& s, int option, const std::string& boxText, bool menuSymbol);

}  // namespace quillet
