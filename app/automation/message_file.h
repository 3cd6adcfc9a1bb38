#pragma once
// Message files and incremental numbering: series of messages stepped
// through with Next and Previous.
#include <string>

namespace quillet {

struct AppState;

// Loads the file's lines, shows Next/Prev, makes line 1 the message and
// builds. False when the file cannot be read, or when it has no first line
// or that line gives no symbol (the file stays open then).
bool OpenMessageFile(AppState& app, const std::string& path);
// The "Open Message File" menu command: asks for the file, starting at the
// last one opened. False when cancelled or unreadable.
bool OpenMessageFileCommand(AppState& app);
// The whole file (at most 3072 bytes) becomes the message. False when it
// cannot be read or is too large.
bool ReadMessageFromFile(AppState& app, const std::string& path);
// Forgets the open message file.
void CloseMessageFile(AppState& app);
// Moves delta (+1 Next, -1 Previous, 0 recompute) through the message file
// or the numbering series and sets the message. False when the step would
// leave the message file or the counter's exact range (nothing changes
// then).
bool StepMessage(AppState& app, int delta);

}  // namespace quillet
