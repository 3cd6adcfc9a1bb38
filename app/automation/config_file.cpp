// INTERIM: configuration files are not part of this version yet. These
// stand-ins refuse, so callers report failure; the configuration file code
// replaces this file.
#include "app/automation/config_file.h"

namespace quillet {

bool SaveConfiguration(AppState&, const std::string&) { return false; }
bool OpenConfiguration(AppState&, const std::string&) { return false; }
bool SaveConfigurationCommand(AppState&) { return false; }

}  // namespace quillet
