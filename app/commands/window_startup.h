#pragma once
// The main window's start-up routine, also run by File New.
namespace quillet {

struct AppState;

// Every setting back to its start-up default, the target printer's
// resolution, code 1, the ASCII character set, horizontal, inch units; the
// window's fields and lists follow. Build/Copy does nothing meanwhile, and
// the configuration counts as unchanged afterwards.
void startMainWindow(AppState& app);

}  // namespace quillet
