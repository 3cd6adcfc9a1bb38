#pragma once
// The UTF-8 character set switch.
namespace quillet {

struct AppState;

// Turning it on keeps the message's characters, now as UTF-8; turning it
// off takes them back to the ANSI code page and is refused (with the
// characters named) when the code page lacks one. Marks the configuration
// changed and rebuilds a built symbol.
bool setUtf8Text(AppState& app, bool on);

}  // namespace quillet
