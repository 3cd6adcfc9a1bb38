#include "app/automation/dde_link.h"

#include "app/automation/command_table.h"
#include "app/automation/execute_string.h"
#include "app/model/app_state.h"

namespace quillet {

bool LinkExecute(AppState& app, const std::string& execute) {
    // Automation never sees the paste hint.
    app.ddeConversation = true;
    app.pasteHintShown = true;
    bool refused = false;
    for (const std::string& command : splitExecuteString(execute)) {
        app.suppressCopyWarning = true;
        if (!runCommand(app, command)) refused = true;
    }
    app.suppressCopyWarning = true;
    return refused;
}

bool LinkClose(AppState& app) {
    if (!app.exitOnClose) return false;
    app.settings.changed = false;
    return true;
}

}  // namespace quillet
