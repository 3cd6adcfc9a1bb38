#pragma once
// The per-user settings store: an INI file, settings.ini, in the folder
// Quillet under $XDG_CONFIG_HOME (else ~/.config).
#include <string>

namespace platform {

std::string settingsFilePath();
// The stored value, or fallback when there is none.
std::string getSetting(const std::string& section, const std::string& key, const std::string& fallback = "");
// Stores the value, creating the file and its folders; false when the file
// cannot be written. Keys and values are single lines.
bool putSetting(const std::string& section, const std::string& key, const std::string& value);

}  // namespace platform
