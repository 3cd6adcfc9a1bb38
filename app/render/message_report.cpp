#include "app/render/message_report.h"

#include "app/model/app_state.h"
#include "app/model/messages.h"

namespace quillet {

void reportMessageError(AppState& app, int code) { reportMessageText(app, messageText(code)); }

void reportMessageText(AppState& app, const std::string& text) {
    if (app.ui) app.ui->beep();
    app.settings.symbolBuilt = false;
    if (app.settings.messageWarnings) {
        if (app.ui) app.ui->messageBox(text, app.appTitle, platform::Buttons::Ok);
    } else if (app.clipboard) {
        app.clipboard->empty();
    }
}

}  // namespace quillet
