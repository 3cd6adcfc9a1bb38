#pragma once
// The Symbology menu command.
namespace quillet {

struct AppState;

// Selects a symbology code 1..27 (other codes are ignored). PDF417 needs its
// pattern table: while the table cannot be loaded the symbology stays as it
// was, and the load-failure flag is cleared for a later attempt.
void selectSymbology(AppState& app, int code);

}  // namespace quillet
