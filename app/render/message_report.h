#pragma once
// The one routine that reports validation and build errors of every
// symbology by message code.
#include <string>

namespace quillet {

struct AppState;

// Beeps, clears the symbol-built flag and shows the text; with invalid
// message warnings off it shows nothing and empties the clipboard instead,
// so an automated caller that asked for a symbol finds none.
void reportMessageError(AppState& app, int code);
// The same for a text of its own (a GS1 element string's fault).
void reportMessageText(AppState& app, const std::string& text);

}  // namespace quillet
