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

// What the options dialog shows when it opens: the menu-symbol box, the
// chosen option (0 default, 1 percent, 2 compact layers, 3 full-range
// layers) and its one input box.
struct AztecOptionsView {
    bool menuSymbol = false;
    int option = 0;
    std::string text1, text2;  // `Text1` (percent), `Text2` (layers)
    bool text1Visible = false, text2Visible = false;
};
AztecOptionsView openAztecOptions(const SymbolSettings& s);
// Both boxes take only the digits and Backspace; anything else beeps.
bool aztecOptionsKeyAccepted(char key);

// The options dialog's accept: option 0 default, 1 percent (Text1), 2
// compact layers, 3 full-range layers (Text2). Stores the selector (even a
// refused one, as the dialog does) and the menu flag; returns the refusal
// text, or "" when the dialog may close.
std::string acceptAztecOptions(SymbolSettings& s, int option, const std::string& boxText, bool menuSymbol);

}  // namespace quillet
