#pragma once
// Commands that arrive as UTF-8 (command line, socket, window) and the code
// page they run in.
#include <string>

namespace quillet {

struct AppState;

// The command in the form it runs in: the ANSI code page, except that under
// the UTF-8 character set the message commands keep their UTF-8 text.
// Characters the code page lacks are not replaced: `refusal` then names them
// and the command must not run.
std::string commandFromUtf8(const AppState& app, const std::string& command, std::string& refusal);

}  // namespace quillet
