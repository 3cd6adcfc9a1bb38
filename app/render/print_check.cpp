#include "app/render/print_check.h"

#include "app/model/app_state.h"

namespace quillet {

std::optional<VerifyResult> CheckBeforePrinting(AppState& app) {
    if (!app.settings.symbolBuilt || !app.output.lastSymbol) return std::nullopt;
    VerifyResult r = verifySymbol(app.settings, *app.output.lastSymbol, app.verify);
    const std::string text = verifyReportText(r);
    if (app.ui) {
        const std::string verdict = r.accepted ? "" : std::string("\r\n\r\nBelow the least acceptable grade ") +
                                                          gradeLetter(app.verify.minimumGrade) + ".";
        app.ui->messageBox(text + verdict, "Simulated Grade", platform::Buttons::Ok);
    }
    if (app.onVerified) app.onVerified(text, verifyReportJson(r));
    return r;
}

}  // namespace quillet
