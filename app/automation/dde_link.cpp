#include "app/automation/dde_link.h"

#include "app/automation/command_table.h"
#include "app/automation/execute_string.h"
#include "app/automation/utf8_commands.h"
#include "app/commands/state_changes.h"
#include "app/model/app_state.h"
#include "app/render/message_report.h"

namespace quillet {

namespace {

// Every command, each in the form `prepare` gives it; a command it refuses
// (with the text to report) does not run.
template <typename Prepare>
ExecuteResult runCommands(AppState& app, const std::string& execute, Prepare prepare) {
    // Automation never sees the paste hint.
    app.pasteHintShown = true;
    bool refused = false;
    for (const std::string& command : splitExecuteString(execute)) {
        std::string refusal;
        const std::string text = prepare(command, refusal);
        if (!refusal.empty()) reportMessageText(app, refusal);
        if (!refusal.empty() || !runCommand(app, text)) refused = true;
    }
    noteStateChanges(app);
    return refused ? ExecuteResult::Refused : ExecuteResult::Accepted;
}

}  // namespace

ExecuteResult LinkExecute(AppState& app, const std::string& execute) {
    return runCommands(app, execute, [](const std::string& command, std::string&) { return command; });
}

ExecuteResult LinkExecuteUtf8(AppState& app, const std::string& utf8) {
    return runCommands(app, utf8, [&app](const std::string& command, std::string& refusal) {
        return commandFromUtf8(app, command, refusal);
    });
}

bool LinkClose(AppState& app) {
    if (!app.exitOnClose) return false;
    app.settings.changed = false;
    return true;
}

}  // namespace quillet
