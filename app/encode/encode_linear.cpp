#include "app/encode/encode_linear.h"

#include "app/encode/linear_job.h"
#include "app/model/app_state.h"
#include "app/model/messages.h"

namespace quillet {

void encodeLinearJob(LinearJob& job) {
    // Only the UPC/EAN family hands back add-on digits.
    if (job.settings.symbology < 3 || job.settings.symbology > 8) job.supplement.clear();
    switch (job.settings.symbology) {
    case 1: case 2: encodeCode39(job); break;
    case 3: case 4: case 5: case 6: case 7: case 8: encodeUpcEan(job); break;
    case 9: encodeInterleaved2of5(job); break;
    case 10: encodeDiscrete2of5(job); break;
    case 11: encodeCodabar(job); break;
    case 12: encodeCode93(job); break;
    case 13: case 14: encodeCode128(job); break;
    case 19: encodeMsiPlessey(job); break;
    case 24: case 25: encodePostal(job); break;
    default: break;
    }
}

void EncodeLinear(AppState& app, std::string& message, std::string& supplement, std::string& pattern,
                  std::string& checkText, bool& failed) {
    failed = true;
    supplement = app.settings.supplement;
    if (!app.tables->valid) buildPatternTables(*app.tables, app.settings.symbology);
    LinearJob job{*app.tables, app.settings, message, supplement, {}, {}, 0, false};
    encodeLinearJob(job);
    message = job.message;
    supplement = job.supplement;
    if (job.error != 0) {
        reportMessageError(app, job.error);
        if (job.secondBeep && app.ui) app.ui->beep();
        return;
    }
    // POSTNET shows the ZIP code it found in its normalised form.
    if (app.settings.symbology == 24) app.settings.message = job.message;
    pattern = job.pattern;
    checkText = job.checkText;
    app.tables->valid = false;  // rebuilt before the next encode
    failed = false;
}

}  // namespace quillet
