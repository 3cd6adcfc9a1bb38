#pragma once
// The window's option menu entries as data: where each sits, its caption,
// whether it carries a check mark, the command it runs and when it is
// shown. The window builds its menus from this table and sets every check
// mark and visibility from the settings after each command.
#include <string_view>
#include <vector>

namespace quillet {

struct AppState;
struct OptionMenus;
struct SymbolSettings;

struct MenuPlace {
    std::string_view menu;     // in the menu bar
    std::string_view submenu;  // empty: directly in the menu
};

struct OptionEntry {
    MenuPlace place;
    std::string_view caption;
    bool (*checked)(const SymbolSettings&);
    void (*run)(AppState&);
    bool (*shown)(const OptionMenus&);  // nullptr: always shown
    bool separatorBefore = false;
};

const std::vector<OptionEntry>& optionMenuEntries();

}  // namespace quillet
