#include "app/commands/window_startup.h"

#include "app/commands/option_commands.h"
#include "app/commands/select_symbology.h"
#include "app/model/app_state.h"
#include "app/model/symbol_fields.h"
#include "app/render/print_symbol.h"

namespace quillet {

void startMainWindow(AppState& app) {
    app.resetting = true;
    app.settings = SymbolSettings{};
    app.window = MainWindow{};
    SymbolSettings& s = app.settings;
    int dpiX = 0, dpiY = 0;
    if (targetPrinterResolution(dpiX, dpiY)) {
        s.printerDpiX = dpiX;
        s.printerDpiY = dpiY;
    }
    updateEffectiveDpi(s);

    app.window.ratioList = ratioListEntries();
    selectRatio(app, 5);
    s.symbology = 0;  // so that selecting code 1 counts as a change
    selectSymbology(app, 1);
    setCharacterSet(app, CharsetAscii);
    setOrientation(app, Horizontal);
    setUnits(app, UnitInches);
    setMessage(app, s.message);
    s.changed = false;
    app.resetting = false;
}

}  // namespace quillet
