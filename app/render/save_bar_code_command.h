#pragma once
// "Save &Bar Code As...": the file dialog in front of SaveSymbolImage.
namespace quillet {

struct AppState;

// Asks for the name (offering the remembered one), remembers the choice
// and saves. False when cancelled or nothing was written.
bool MBSave_Click(AppState& app);

}  // namespace quillet
