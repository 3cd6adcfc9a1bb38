// Builders of symbologies still being written. Each engineer who lands a
// builder deletes its function from this file.
#include "app/model/app_state.h"
#include "app/render/builders.h"

namespace quillet {

namespace {
void notAvailable(AppState& app, const char* name) {
    if (app.ui)
        app.ui->messageBox(std::string(name) + " symbols cannot be built by this version of Quillet.", app.appTitle,
                           platform::Buttons::Ok);
    app.settings.symbolBuilt = false;
}
}  // namespace

void BuildDataBarSymbol(AppState& app, int) { notAvailable(app, "GS1 DataBar"); }

}  // namespace quillet
