#pragma once
// The option menu entries that open a dialog: caption, control name, when
// the entry is shown and the dialog it opens.
#include <string_view>
#include <vector>

class QWidget;

namespace quillet {

struct AppState;
struct OptionMenus;
class QtUserInterface;

struct DialogEntry {
    std::string_view caption;
    const char* name;
    bool (*shown)(const OptionMenus&);
    void (*open)(QtUserInterface&, QWidget* parent, AppState&);
};

// In the Options menu, after the option entries.
const std::vector<DialogEntry>& optionDialogEntries();

}  // namespace quillet
