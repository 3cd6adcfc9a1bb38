#include "app/encode/encode_linear.h"

#include "app/encode/linear_job.h"
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

LinearEncoding EncodeLinear(const SymbolSettings& settings, const std::string& message) {
    LinearJob job{patternTables(settings.symbology), settings, message, settings.supplement, {}, {}, 0, false, {}};
    encodeLinearJob(job);
    LinearEncoding e;
    e.error = job.error;
    e.secondBeep = job.secondBeep;
    e.errorText = job.errorText;
    e.text = job.message;
    if (job.error == 0) {
        e.addOnDigits = job.supplement;
        e.pattern = job.pattern;
        e.checkText = job.checkText;
    }
    return e;
}

}  // namespace quillet
