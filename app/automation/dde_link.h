#pragma once
// The automation conversation: execute strings and the client's close.
#include <string>

namespace quillet {

struct AppState;

// What the client is told: an execute is refused when any of its commands
// was.
enum class ExecuteResult { Accepted, Refused };

// Runs every command of the execute string, left to right; a refused
// command never stops the rest.
ExecuteResult LinkExecute(AppState& app, const std::string& execute);
// The same for an execute string that arrived as UTF-8: each command is
// taken to the code page it runs in just before it runs, so an earlier
// [UTF8=ON] decides for the messages after it (see commandFromUtf8).
ExecuteResult LinkExecuteUtf8(AppState& app, const std::string& utf8);

// The client ended the conversation. Returns true when the program should
// end now (after `[APPEXIT]`), in which case nothing asks to save the
// configuration.
bool LinkClose(AppState& app);

}  // namespace quillet
