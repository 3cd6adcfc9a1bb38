#pragma once
// Help: the command reference in a window, and the about box.
class QWidget;

namespace quillet {

struct AppState;
class QtUserInterface;

// Lists every command of the command language with how to run them.
void runHelpWindow(QtUserInterface& ui, QWidget* parent, AppState& app);
void runAboutBox(QtUserInterface& ui, QWidget* parent, AppState& app);

}  // namespace quillet
