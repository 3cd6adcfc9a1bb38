// UPC-A, UPC-E, UPC-E1, EAN-8, EAN-13 and BookLand, with 2- and 5-digit
// add-ons. The returned text keeps spaces where the guard bars stand, so
// that the drawing can spread it evenly under the symbol.
#include <string>
#include <string_view>

#include "app/encode/linear_job.h"
#include "app/encode/upc_ean.h"
#include "app/encode/upc_ean_tables.h"
#include "app/model/check_digits.h"
#include "app/model/symbology.h"

namespace quillet {

namespace {

using enum Symbology;

// The data digits before the check digit, and the message code when the
// digits or their number are wrong.
struct DataDigits {
    size_t dataLength;
    int errorCode;
};

DataDigits dataDigitsOf(Symbology symbology) {
    switch (symbology) {
    case UpcA: return {11, 2};
    case UpcE: case UpcE1: return {6, 13};
    case Ean8: return {7, 3};
    default: return {12, 15};
    }
}

bool allDigits(std::string_view s) {
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

struct DigitWriter {
    const PatternTables& t;
    std::string pattern;

    void odd(char d) { pattern += t.main[static_cast<unsigned char>(d)]; }
    void even(char d) { pattern += t.eanEven[size_t(d - '0')]; }
    void right(char d) { pattern += t.upcRight[static_cast<unsigned char>(d)]; }
    void byParity(char d, char letter) { letter == 'E' ? even(d) : odd(d); }
    void guard() { pattern += t.main[128]; }
    void centre() { pattern += t.main[0]; }
};

// Digits 1..n of the data followed by the check digit, as one string.
std::string withCheck(const std::string& data, int check) { return data + char('0' + check); }

void writeUpcA(DigitWriter& w, const std::string& d, std::string& text) {
    w.pattern += 'B';
    w.guard();
    for (size_t i = 0; i < 6; ++i) w.odd(d[i]);
    w.centre();
    for (size_t i = 6; i < 12; ++i) w.right(d[i]);
    w.guard();
    w.pattern += 'B';
    text = d.substr(0, 1) + "  " + d.substr(1, 5) + " " + d.substr(6, 5) + "  " + d.substr(11, 1);
}

void writeEan13(DigitWriter& w, const std::string& d, std::string& text) {
    std::string_view parity = ean13Parity(d[0] - '0');
    w.pattern += 'B';
    w.guard();
    for (size_t i = 1; i < 7; ++i) w.byParity(d[i], parity[i - 1]);
    w.centre();
    for (size_t i = 7; i < 13; ++i) w.right(d[i]);
    w.guard();
    w.pattern += 'B';
    text = d.substr(0, 1) + " " + d.substr(1, 6) + " " + d.substr(7, 6) + "  ";
}

void writeEan8(DigitWriter& w, const std::string& d, std::string& text) {
    w.pattern += 'B';
    w.guard();
    for (size_t i = 0; i < 4; ++i) w.odd(d[i]);
    w.centre();
    for (size_t i = 4; i < 8; ++i) w.right(d[i]);
    w.guard();
    w.pattern += 'B';
    text = "  " + d.substr(0, 4) + " " + d.substr(4, 4) + "  ";
}

void writeUpcE(DigitWriter& w, char ns, const std::string& six, int check, std::string& text) {
    std::string_view parity = upcEParity(ns - '0', check);
    w.pattern += 'B';
    w.guard();
    for (size_t i = 0; i < 6; ++i) w.byParity(six[i], parity[i]);
    w.pattern += "131313";  // end guard
    w.pattern += 'B';
    text = std::string(1, ns) + " " + six + " " + char('0' + check);
}

void writeAddOn(DigitWriter& w, const std::string& digits) {
    std::string_view parity = addOnParity(digits);
    w.pattern += "315";  // add-on guard
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0) w.pattern += "13";  // delineator
        w.byParity(digits[i], parity[i]);
    }
    w.pattern += 'B';
}

}  // namespace

void encodeUpcEan(LinearJob& job) {
    const SymbolSettings& s = job.settings;
    const Symbology sym = Symbology(s.symbology);
    std::string msg = job.message;
    std::string supplement = job.supplement;

    if (sym == BookLand) {
        auto data = booklandEanData(msg);
        if (!data) { job.error = 31; return; }
        msg = *data;
        auto addOn = booklandPriceAddOn(supplement);
        if (!addOn) { job.error = 32; return; }
        supplement = *addOn;
    }

    const DataDigits f = dataDigitsOf(sym);
    if (!allDigits(msg)) { job.error = f.errorCode; return; }
    if (s.messageWarnings) {
        // BookLand data come from the ISBN without its check character, so
        // there is never a typed EAN check digit to expect.
        size_t want = f.dataLength + (s.disableAutoCheckDigit && sym != BookLand ? 1 : 0);
        if (msg.size() != want) { job.error = f.errorCode; return; }
    }
    int userCheck = -1;
    if (msg.size() < f.dataLength) {
        msg.append(f.dataLength - msg.size(), '0');
    } else if (msg.size() > f.dataLength) {
        userCheck = msg[f.dataLength] - '0';
        msg.resize(f.dataLength);
    }

    const bool upcE = sym == UpcE || sym == UpcE1;
    const char ns = sym == UpcE1 ? '1' : '0';
    int check = upcEanCheckDigit(upcE ? upcEExpansion(ns, msg) : msg);
    if (s.disableAutoCheckDigit) {
        if (userCheck >= 0) {
            check = userCheck;
        } else if (sym == UpcA) {
            job.error = 2;
            job.secondBeep = true;
            return;
        }
    }

    DigitWriter w{job.tables, {}};
    std::string text;
    switch (sym) {
    case UpcA: writeUpcA(w, withCheck(msg, check), text); break;
    case UpcE: case UpcE1: writeUpcE(w, ns, msg, check, text); break;
    case Ean8: writeEan8(w, withCheck(msg, check), text); break;
    default: writeEan13(w, withCheck(msg, check), text); break;
    }

    if (!allDigits(supplement) || (supplement.size() != 0 && supplement.size() != 2 && supplement.size() != 5)) {
        job.error = 14;
        return;
    }
    if (!supplement.empty()) writeAddOn(w, supplement);

    job.pattern = std::move(w.pattern);
    job.message = std::move(text);
    job.supplement = std::move(supplement);
}

}  // namespace quillet
