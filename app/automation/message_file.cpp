#include "app/automation/message_file.h"

#include "app/automation/file_bytes.h"
#include "app/model/app_state.h"
#include "app/model/messages.h"
#include "app/model/symbol_fields.h"
#include "app/render/build_copy.h"
#include "app/render/message_report.h"

namespace quillet {

namespace {

// A message file is held in memory whole; beyond this it is refused rather
// than exhausting memory.
constexpr size_t kMessageFileLimit = size_t(256) << 20;
// Read Message From File takes at most this many bytes.
constexpr size_t kMessageLimit = 3072;

void reportFileError(AppState& app, const std::string& path, FileRead result, const std::string& reason) {
    if (!app.ui) return;
    app.ui->beep();
    const std::string text =
        result == FileRead::TooLarge ? "The file \"" + path + "\" is too large to open." : fileErrorText(path, reason);
    app.ui->messageBox(text, app.appTitle, platform::Buttons::Ok);
}

}  // namespace

bool OpenMessageFile(AppState& app, const std::string& path) {
    std::string bytes, reason;
    const FileRead result = readFileBytes(path, kMessageFileLimit, bytes, reason);
    if (result != FileRead::Ok) {
        reportFileError(app, path, result, reason);
        return false;
    }
    NumberingOptions& n = app.settings.numbering;
    n.messageFilePath = path;
    n.messageLines = indexTextLines(std::move(bytes));
    n.messageLineCount = int(n.messageLines.count);
    n.currentLine = 1;
    n.messageFileOpen = true;
    app.window.nextPrevVisible = true;
    app.window.closeMsgFileEnabled = true;
    if (n.incEnabled) {
        n.incEnabled = false;
        n.incSuspended = true;
    }
    // The flag tells whether this build, not an earlier one, gave a symbol.
    app.settings.symbolBuilt = false;
    const bool stepped = StepMessage(app, 0);
    BuildCopy(app);
    return stepped && app.settings.symbolBuilt;
}

bool OpenMessageFileCommand(AppState& app) {
    if (!app.ui) return false;
    auto chosen = app.ui->fileDialog(false, "Open Bar Code Message File", "All Files (*.*)|*.*",
                                     app.settings.numbering.messageFilePath);
    return chosen && !chosen->empty() && OpenMessageFile(app, *chosen);
}

bool ReadMessageFromFile(AppState& app, const std::string& path) {
    std::string bytes, reason;
    const FileRead result = readFileBytes(path, kMessageLimit, bytes, reason);
    if (result == FileRead::TooLarge) {
        reportMessageError(app, 19);
        return false;
    }
    if (result != FileRead::Ok) {
        reportFileError(app, path, result, reason);
        return false;
    }
    setMessage(app, bytes);
    return true;
}

void CloseMessageFile(AppState& app) {
    NumberingOptions& n = app.settings.numbering;
    n.messageLines = {};
    n.messageLineCount = 0;
    n.messageFileOpen = false;
    if (n.incSuspended) {
        n.incEnabled = true;
        n.incSuspended = false;
    }
    if (n.incEnabled) {
        StepMessage(app, 0);
        BuildCopy(app);
    } else {
        app.window.nextPrevVisible = false;
    }
    app.window.closeMsgFileEnabled = false;
}

}  // namespace quillet
