#pragma once
// The Incremental Numbering dialog on the desktop.
class QWidget;

namespace quillet {

struct AppState;
class QtUserInterface;

// Shows the numbering values; OK applies them unless a warning keeps the
// dialog open, Cancel changes nothing.
void runNumberingDialog(QtUserInterface& ui, QWidget* parent, AppState& app);

}  // namespace quillet
