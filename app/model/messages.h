#pragma once
// Validation and build messages of every symbology, by numeric code, and
// the one routine that reports them.
#include <string>

namespace quillet {

struct AppState;

// The exact text shown for a message code (CR / CRLF included).
std::string messageText(int code);

// Beeps, clears the symbol-built flag and shows the text; with invalid
// message warnings off it shows nothing and empties the clipboard instead,
// so an automated caller that asked for a symbol finds none.
void reportMessageError(AppState& app, int code);

}  // namespace quillet
