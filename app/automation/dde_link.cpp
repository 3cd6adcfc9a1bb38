#include "app/automation/dde_link.h"

#include "app/automation/command_table.h"
#include "app/automation/execute_string.h"
#include "app/commands/state_changes.h"
#include "app/model/app_state.h"

namespace quillet {

ExecuteResult LinkExecute(AppState& app, const std::string& execute) {
    // Automation never sees the paste hint.
    app.pasteHintShown = true;
    bool refused = false;
    for (const std::string& command : splitExecuteString(execute))
        if (!runCommand(app, command)) refused = true;
    noteStateChanges(app);
    return refused ? ExecuteResult::Refused : ExecuteResult::Accepted;
}

bool LinkClose(AppState& app) {
    if (!app.exitOnClose) return false;
    app.settings.changed = false;
    return true;
}

}  // namespace quillet
