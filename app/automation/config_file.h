#pragma once
// Configuration files (".qcf"): every setting, the message, comment and
// numbering texts.
#include <string>

namespace quillet {

struct AppState;

// Writes the configuration to path, remembers the path and clears the
// configuration-changed flag. False when the file could not be written.
bool SaveConfiguration(AppState& app, const std::string& path);
// Reads a configuration file into the settings. False when the file could
// not be read or is not a configuration file.
bool OpenConfiguration(AppState& app, const std::string& path);
// The Save Configuration menu command: the known path, else Save As.
// False when nothing was saved (including a cancelled dialog).
bool SaveConfigurationCommand(AppState& app);

}  // namespace quillet
