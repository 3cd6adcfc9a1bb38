#pragma once
// The view of the execute string that reproduces the current settings and
// message, ready to copy into a script or a --execute argument.
class QWidget;

namespace quillet {

struct AppState;
class QtUserInterface;

// "Copy" puts the string on the desktop clipboard as text; "Close" closes.
void runCommandEquivalentView(QtUserInterface& ui, QWidget* parent, AppState& app);

}  // namespace quillet
