// Code 128 and GS1-128: validation, the optional GS1 check digit, the
// mod-103 check character and the human-readable text.
#include <string_view>

#include "app/encode/code128.h"
#include "app/encode/gs1_element_string.h"
#include "app/encode/linear_job.h"
#include "app/model/check_digits.h"
#include "app/model/symbology.h"

namespace quillet {

namespace {

bool allDigits(std::string_view s) {
    if (s.size() < 2) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

void encodeCode128(LinearJob& job) {
    std::string& msg = job.message;
    const bool gs1 = Symbology(job.settings.symbology) == Symbology::Gs1_128;
    // An element string becomes its AIs and data with FNC1 separators and
    // is shown with the AIs in parentheses.
    std::string display;
    if (gs1 && isGs1ElementString(msg)) {
        const Gs1ElementString parsed = parseGs1ElementString(msg);
        if (!parsed.error.empty()) {
            job.error = 12;
            job.errorText = parsed.error;
            return;
        }
        msg = gs1Data(parsed.elements, char(kFnc1Char));
        display = gs1DisplayText(parsed.elements);
    }
    for (char c : msg)
        if (static_cast<unsigned char>(c) > kFnc4Char) { job.error = 12; return; }
    if (gs1 && job.settings.optionalCheckDigit && allDigits(msg)) msg += char('0' + mod10LeftWeighted(msg));

    std::vector<int> values = code128Values(msg, gs1);
    int check = code128CheckValue(values.data(), values.size());
    std::string pattern;
    for (int v : values) pattern += job.tables.main[size_t(v)];
    pattern += job.tables.main[size_t(check)];
    pattern += job.tables.stop;

    job.pattern = std::move(pattern);
    job.checkText = std::to_string(check);
    msg = display.empty() ? code128DisplayText(msg) : display;
}

}  // namespace quillet
