#include "app/encode/encode_linear.h"

#include "app/encode/linear_job.h"

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

LinearEncoding EncodeLinear(const SymbolSettings& settings, const std::string& message) {
    PatternTables tables;
    buildPatternTables(tables, settings.symbology);
    LinearJob job{tables, settings, message, settings.supplement, {}, {}, 0, false};
    encodeLinearJob(job);
    LinearEncoding e;
    e.error = job.error;
    e.secondBeep = job.secondBeep;
    e.text = job.message;
    if (job.error == 0) {
        e.addOnDigits = job.supplement;
        e.pattern = job.pattern;
        e.checkText = job.checkText;
    }
    return e;
}

}  // namespace quillet
