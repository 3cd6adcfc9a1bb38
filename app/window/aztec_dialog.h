#pragma once
// "Aztec Symbology Options" (`frmAztecECP`) as a dialog on the desktop.
class QWidget;

namespace quillet {

struct AppState;
class QtUserInterface;

// Shows the menu-symbol box and the error correction choice with the
// current options. Accept stores them; a value out of range is shown in a
// message box and keeps the dialog open. Cancel stores nothing.
void runAztecOptionsDialog(QtUserInterface& ui, QWidget* parent, AppState& app);

}  // namespace quillet
