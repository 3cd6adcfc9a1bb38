#include "app/encode/encode_linear.h"

#include "app/encode/linear_job.h"
#include "app/model/app_state.h"
#include "app/model/messages.h"
#include "app/model/symbology.h"

namespace quillet {

void encodeLinearJob(LinearJob& job) {
    // Only the UPC/EAN family hands back add-on digits.
    if (!isUpcEan(job.settings.symbology)) job.supplement.clear();
    using enum Symbology;
    switch (Symbology(job.settings.symbology)) {
    case Code39: case Code39FullAscii: encodeCode39(job); break;
    case UpcA: case UpcE: case UpcE1: case Ean8: case Ean13: case BookLand: encodeUpcEan(job); break;
    case Interleaved2of5: encodeInterleaved2of5(job); break;
    case Discrete2of5: encodeDiscrete2of5(job); break;
    case Codabar: encodeCodabar(job); break;
    case Code93: encodeCode93(job); break;
    case Code128: case Gs1_128: encodeCode128(job); break;
    case MsiPlessey: encodeMsiPlessey(job); break;
    case Postnet: case Bpo4State: encodePostal(job); break;
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
    if (Symbology(app.settings.symbology) == Symbology::Postnet) app.settings.message = job.message;
    pattern = job.pattern;
    checkText = job.checkText;
    app.tables->valid = false;  // rebuilt before the next encode
    failed = false;
}

}  // namespace quillet
