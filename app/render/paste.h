#pragma once
// The Edit menu's Paste: clipboard text into the comment (when the comment
// box is active) or into the stored message at the message box's selection.
namespace quillet {

struct AppState;

// Returns false when the clipboard holds no text (the menu item is then
// disabled).
bool MPaste_Click(AppState& app);

}  // namespace quillet
