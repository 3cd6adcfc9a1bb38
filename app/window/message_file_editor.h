#pragma once
// The message-file editor: a text file of one message per line, opened,
// edited, saved and then opened as the message file.
class QWidget;

namespace quillet {

struct AppState;
class QtUserInterface;

// Starts with the last message file, if any. "Save" keeps the file's line
// ends and refuses characters the code page lacks; "Save and Use" saves
// and opens the file as the message file.
void runMessageFileEditor(QtUserInterface& ui, QWidget* parent, AppState& app);

}  // namespace quillet
