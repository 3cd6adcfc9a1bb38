#include "app/automation/numbering.h"

#include <algorithm>
#include <cmath>

#include "app/automation/command_values.h"
#include "app/automation/message_file.h"
#include "app/model/app_state.h"
#include "app/model/number_format.h"
#include "app/model/symbol_fields.h"
#include "app/model/symbology.h"

namespace quillet {

namespace {

// Beyond any message a symbology takes; a larger width would only exhaust
// memory.
constexpr double kMaxCounterWidth = 3072;

double wholeDigits(double width) {
    if (!(width > 0)) return 0;  // also NaN
    return std::nearbyint(std::fmin(width, kMaxCounterWidth));
}

std::string trimSpaces(const std::string& s) {
    size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

// A numeric text as a whole number with at least the given digits; other
// text stays as it is.
std::string padNumber(const std::string& text, int digits) {
    auto n = parseNumber(text);
    if (!n) return text;
    return formatNumber(*n, std::string(size_t(digits), '0'));
}

size_t digitCount(double number) {
    std::string text = formatCounter(number, 0);
    if (!text.empty() && text[0] == '-') text.erase(0, 1);
    return text.size();
}

}  // namespace

bool exactCounter(double number) { return std::fabs(number) <= kMaxExactCounter; }

std::string counterLimitText() {
    return "Warning! - The counter cannot go beyond 9007199254740991 (or below -9007199254740991) and stay exact; "
           "the message was not changed.";
}

std::string formatCounter(double number, double width) {
    const double w = wholeDigits(width);
    std::string text = formatNumber(number, std::string(size_t(w) + 1, '0'));
    if (w > 0 && text.size() > size_t(w)) text.erase(0, text.size() - size_t(w));
    return text;
}

std::string numberedMessage(const NumberingOptions& n) {
    return n.incPreamble + formatCounter(n.incStart, n.incWidth) + n.incPostamble;
}

int upcEanMessageLength(int symbology) {
    using enum Symbology;
    switch (Symbology(symbology)) {
    case UpcA: return 12;
    case UpcE: case UpcE1: return 7;
    case Ean8: return 8;
    case Ean13: case BookLand: return 13;
    default: return 0;
    }
}

LineMessage splitUpcEanLine(const std::string& raw, int symbology) {
    const std::string line = trimSpaces(raw);
    LineMessage out;
    size_t p = line.find('-');
    if (p == std::string::npos) p = line.find(' ');
    if (p != std::string::npos) {
        out.message = line.substr(0, p);
        const std::string part = line.substr(p + 1);
        if (part.size() >= 6) out.supplement = part.substr(0, 5);
        else if (part.size() >= 3) out.supplement = padNumber(part, 5);
        else out.supplement = padNumber(part, 2);
        return out;
    }
    const size_t L = size_t(upcEanMessageLength(symbology));
    const size_t n = line.size();
    if (n <= L) {
        out.message = line;
        out.supplement = std::string();
    } else if (n == L + 1) {
        out.message = line.substr(0, L - 1);
        out.supplement = padNumber(line.substr(L - 1, 2), 2);
    } else if (n <= L + 3) {
        out.message = line.substr(0, L);
        out.supplement = padNumber(line.substr(L, 2), 2);
    } else if (n == L + 4) {
        out.message = line.substr(0, L - 1);
        out.supplement = padNumber(line.substr(L - 1, 5), 5);
    } else {
        out.message = line.substr(0, L);
        out.supplement = padNumber(line.substr(L, 5), 5);
    }
    return out;
}

LineMessage messageFromLine(const std::string& line, int symbology) {
    if (isUpcEan(symbology)) return splitUpcEanLine(line, symbology);
    using enum Symbology;
    switch (Symbology(symbology)) {
    case Interleaved2of5: case Discrete2of5: case Codabar: case Postnet: return {trimSpaces(line), std::nullopt};
    default: return {line, std::nullopt};
    }
}

bool StepMessage(AppState& app, int delta) {
    NumberingOptions& n = app.settings.numbering;
    if (n.incEnabled) {
        const double next = n.incStart + delta * n.incValue;
        if (!exactCounter(next)) {
            if (app.ui) {
                app.ui->beep();
                app.ui->messageBox(counterLimitText(), app.appTitle, platform::Buttons::Ok);
            }
            return false;
        }
        n.incStart = next;
        const std::string text = numberedMessage(n);
        if (n.incTarget == IncTargetSupplement) setSupplement(app, text);
        else setMessage(app, text);
        return true;
    }
    if (!n.messageFileOpen) return false;
    const long next = long(n.currentLine) + delta;
    const long count = long(std::min<size_t>(n.messageLines.count, size_t(std::max(n.messageLineCount, 0))));
    if (next < 1 || next > count) {
        if (app.ui) app.ui->beep();
        return false;
    }
    n.currentLine = int(next);
    const LineMessage m = messageFromLine(std::string(textLine(n.messageLines, size_t(next - 1))), app.settings.symbology);
    setMessage(app, m.message);
    if (m.supplement) setSupplement(app, *m.supplement);
    return true;
}

std::optional<std::string> numberingDialogWarning(const NumberingDialogValues& v) {
    if (!v.enabled) return std::nullopt;
    if (!exactCounter(v.start) || !exactCounter(v.increment)) return counterLimitText();
    const double digits = wholeDigits(v.digits);
    if (digits > 0 && digits < double(digitCount(v.start)))
        return "Warning! - Number of Digits specified is less than the number of digits in the Starting Number";
    if (v.target == IncTargetSupplement) {
        const double total = double(v.preamble.size() + v.postamble.size()) + digits;
        if (total != 2 && total != 5)
            return "Warning! - The total number of digits (including Pre/Postambles) for UPC/EAN Supplements "
                   "must add up to either 2 or 5.";
    }
    return std::nullopt;
}

std::optional<std::string> applyNumberingDialog(AppState& app, const NumberingDialogValues& v) {
    if (auto warning = numberingDialogWarning(v)) {
        if (app.ui) app.ui->messageBox(*warning, app.appTitle, platform::Buttons::Ok);
        return warning;
    }
    NumberingOptions& n = app.settings.numbering;
    app.window.nextPrevVisible = v.enabled || n.messageFileOpen;
    n.incStart = v.start;
    n.incValue = v.increment;
    n.incWidth = wholeDigits(v.digits);
    n.incPreamble = v.preamble;
    n.incPostamble = v.postamble;
    n.incTarget = v.target;
    n.incEnabled = v.enabled;
    if (!v.enabled) n.incSuspended = false;
    app.settings.changed = true;
    StepMessage(app, 0);
    return std::nullopt;
}

}  // namespace quillet
