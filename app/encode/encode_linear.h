#pragma once
// The single entry of the linear encoders.
#include <string>

namespace quillet {

struct AppState;

// Sets failed, takes the supplement from the settings, encodes the message
// of the current symbology with the tables built for it, and on success
// rewrites message as the human-readable text, fills pattern, checkText and
// the add-on digits in supplement, and clears failed. On a rule failure the
// message is reported and failed stays set.
void EncodeLinear(AppState& app, std::string& message, std::string& supplement, std::string& pattern,
                  std::string& checkText, bool& failed);

}  // namespace quillet
