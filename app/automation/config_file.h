#pragma once
// Configuration files (".qcf"): every setting, the message, comment and
// numbering texts.
#include <string>
#include <string_view>

#include "platform/user_interface.h"

namespace quillet {

struct AppState;
struct ConfigRecord;

// Writes the configuration to path, remembers the path and clears the
// configuration-changed flag. The file is replaced in one step (written
// beside it, then renamed), so a failed write leaves the old file whole.
// False, reported, when the file could not be written.
bool SaveConfiguration(AppState& app, const std::string& path);
// Reads a configuration file into the settings. False, reported, when the
// file could not be read or is not a complete configuration file; the
// settings are then exactly as they were.
bool OpenConfiguration(AppState& app, const std::string& path);
// The Save Configuration menu command: the known path, else Save As.
// False when nothing was saved (including a cancelled dialog).
bool SaveConfigurationCommand(AppState& app);
// Save Configuration As: asks for the path (".qcf" added to a name without
// an extension) and saves there.
bool SaveConfigurationAs(AppState& app);
// Open Configuration: asks to save changes, then for the file to open.
bool OpenConfigurationCommand(AppState& app);
// Before Open and before the program ends: Yes saves (a cancelled or
// failed save counts as Cancel), No goes on without saving, Cancel stops.
// Unchanged settings need no question and answer No.
platform::Answer AskToSaveChanges(AppState& app);

// The configuration file's bytes, already read, taken into the settings
// as OpenConfiguration does; path is remembered and named in messages.
bool readConfiguration(AppState& app, std::string_view bytes, const std::string& path);
// Takes a checked record into the settings in the order the window's
// menu commands need, then reopens the message file and recomputes the
// numbered message when the record says so.
void applyConfiguration(AppState& app, const ConfigRecord& record, const std::string& path);
// The file name shown in the caption and questions: after the last '/'.
std::string configFileName(const std::string& path);

}  // namespace quillet
