// INTERIM: message files and incremental numbering are not part of this
// version yet. These stand-ins refuse, so callers report failure; the
// message file code replaces this file.
#include "app/automation/message_file.h"

#include "app/model/app_state.h"

namespace quillet {

bool OpenMessageFile(AppState&, const std::string&) { return false; }
bool ReadMessageFromFile(AppState&, const std::string&) { return false; }

void CloseMessageFile(AppState& app) {
    NumberingOptions& n = app.settings.numbering;
    n.messageLines.clear();
    n.messageLineCount = 0;
    n.messageFileOpen = false;
    app.window.closeMsgFileEnabled = false;
    if (!n.incEnabled) app.window.nextPrevVisible = false;
}

bool StepMessage(AppState&, int) { return false; }

}  // namespace quillet
