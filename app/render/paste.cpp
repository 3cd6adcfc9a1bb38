#include "app/render/paste.h"

#include <algorithm>

#include "app/model/app_state.h"
#include "app/model/symbol_fields.h"

namespace quillet {

bool MPaste_Click(AppState& app) {
    if (!app.clipboard) return false;
    auto text = app.clipboard->text();
    if (!text) return false;
    MainWindow& w = app.window;
    if (w.commentActive) {
        app.settings.comment = *text;
        return true;
    }
    // The stored message is edited at the same positions as the box, so
    // characters shown as substitutes (NUL as 255) keep their codes.
    const std::string& old = app.settings.message;
    if (w.messageSelLength > 0) {
        size_t start = std::min(w.messageSelStart, old.size());
        size_t end = std::min(start + w.messageSelLength, old.size());
        setMessage(app, old.substr(0, start) + *text + old.substr(end));
        w.messageSelStart = start + text->size();
        w.messageSelLength = 0;
    } else {
        setMessage(app, *text);
    }
    return true;
}

}  // namespace quillet
