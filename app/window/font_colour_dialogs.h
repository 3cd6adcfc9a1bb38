#pragma once
// The font and colour choosers of the Options menu.
class QWidget;

namespace quillet {

struct AppState;
class QtUserInterface;

// Opens with the text's face, size and styles; OK stores them (size in
// whole points).
void runFontDialog(QtUserInterface& ui, QWidget* parent, AppState& app);
// Open with the bar (foreground) or background colour; OK stores it.
void runForegroundColourDialog(QtUserInterface& ui, QWidget* parent, AppState& app);
void runBackgroundColourDialog(QtUserInterface& ui, QWidget* parent, AppState& app);
// The text's colour: Qt's font dialog has none of its own.
void runFontColourDialog(QtUserInterface& ui, QWidget* parent, AppState& app);

}  // namespace quillet
