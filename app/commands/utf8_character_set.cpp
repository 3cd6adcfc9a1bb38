#include "app/commands/utf8_character_set.h"

#include "app/commands/option_commands.h"
#include "app/model/app_state.h"
#include "app/model/utf8_text.h"
#include "app/render/message_report.h"
#include "platform/codepage.h"

namespace quillet {

bool setUtf8Text(AppState& app, bool on) {
    SymbolSettings& s = app.settings;
    if (s.utf8Text == on) return true;
    if (on) {
        s.message = platform::ansiToUtf8(s.message);
    } else {
        const std::vector<char32_t> outside = platform::charactersOutsideAnsi(s.message);
        if (!outside.empty()) {
            reportMessageText(app, outsideCodePageText(outside));
            return false;
        }
        s.message = platform::utf8MessageToAnsi(s.message);
    }
    s.utf8Text = on;
    s.changed = true;
    rebuildIfBuilt(app);
    return true;
}

}  // namespace quillet
