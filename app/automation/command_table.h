#pragma once
// The command language: every bracketed command and what it does.
#include <string>
#include <vector>

namespace quillet {

struct AppState;

// Runs one command as the client sent it, from '[' through ']'. Keywords
// are matched upper-cased; values keep the client's case except where
// noted. False when the command is refused: not recognised, a value out of
// range, or an action that could not be carried out.
bool runCommand(AppState& app, const std::string& raw);

// Every command as the reference lists it: symbology keywords, the commands
// without a value, then those with one ("[MESSAGE=value]", "[OPENCONFIG(path)]").
std::vector<std::string> commandForms();

}  // namespace quillet
