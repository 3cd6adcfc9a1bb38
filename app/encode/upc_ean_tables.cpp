// UPC/EAN digit tables: the published element widths of the L set, from
// which the R set (same widths, bar first) and the G set (widths reversed)
// follow, written in the module alphabet.
#include "app/encode/upc_ean_tables.h"

#include <array>

#include "app/encode/pattern_tables.h"
#include "app/model/check_digits.h"
#include "app/model/symbology.h"

namespace quillet {

namespace {

// L set: space, bar, space, bar widths in modules.
constexpr std::array<std::string_view, 10> kLWidths{
    "3211", "2221", "2122", "1411", "1132", "1231", "1114", "1312", "1213", "3112"};

constexpr std::array<std::string_view, 10> kEan13Parity{
    "OOOOOO", "OOEOEE", "OOEEOE", "OOEEEO", "OEOOEE", "OEEOOE", "OEEEOO", "OEOEOE", "OEOEEO", "OEEOEO"};
constexpr std::array<std::string_view, 10> kUpcENs0Parity{
    "EEEOOO", "EEOEOO", "EEOOEO", "EEOOOE", "EOEEOO", "EOOEEO", "EOOOEE", "EOEOEO", "EOEOOE", "EOOEOE"};
constexpr std::array<std::string_view, 10> kUpcENs1Parity{
    "OOOEEE", "OOEOEE", "OOEEOE", "OOEEEO", "OEOOEE", "OEEOOE", "OEEEOO", "OEOEOE", "OEOEEO", "OEEOEO"};
constexpr std::array<std::string_view, 10> kAddOn5Parity{
    "EEOOO", "EOEOO", "EOOEO", "EOOOE", "OEEOO", "OOEEO", "OOOEE", "OEOEO", "OEOOE", "OOEOE"};
constexpr std::array<std::string_view, 4> kAddOn2Parity{"OO", "OE", "EO", "EE"};

// One element of `modules` width, made 1/13 module wider (+1), narrower
// (-1) or left whole (0).
char element(bool bar, int modules, int adjust) {
    if (adjust == 0) return bar ? "3567"[modules - 1] : "189A"[modules - 1];
    if (adjust < 0) return bar ? (modules == 1 ? 'C' : 'D') : (modules == 1 ? 'G' : 'H');
    return bar ? (modules == 2 ? 'E' : 'F') : (modules == 2 ? 'I' : 'J');
}

}  // namespace

std::string upcEanDigitPattern(UpcEanSet set, int digit) {
    std::string_view w = kLWidths[size_t(digit)];
    std::string widths(w);
    if (set == UpcEanSet::G) widths.assign(w.rbegin(), w.rend());
    bool firstIsBar = set == UpcEanSet::R;
    // Thin bars of 1 and 2 and thick bars of 7 and 8 in the L set print
    // better when trimmed or grown by 1/13 module; the G and R sets, whose
    // bars are the L set's spaces, take the opposite correction.
    int barAdjust = 0;
    if (digit == 1 || digit == 2) barAdjust = -1;
    if (digit == 7 || digit == 8) barAdjust = 1;
    if (set != UpcEanSet::L) barAdjust = -barAdjust;
    std::string p;
    for (size_t i = 0; i < widths.size(); ++i) {
        bool bar = (i % 2 == 0) == firstIsBar;
        p += element(bar, widths[i] - '0', bar ? barAdjust : -barAdjust);
    }
    return p;
}

std::string_view ean13Parity(int firstDigit) { return kEan13Parity[size_t(firstDigit)]; }

std::string_view upcEParity(int numberSystem, int checkDigit) {
    return numberSystem == 1 ? kUpcENs1Parity[size_t(checkDigit)] : kUpcENs0Parity[size_t(checkDigit)];
}

std::string_view addOnParity(std::string_view digits) {
    int v = addOnParityValue(digits);
    return digits.size() == 2 ? kAddOn2Parity[size_t(v)] : kAddOn5Parity[size_t(v)];
}

void fillUpcEanTables(PatternTables& t, int symbology) {
    for (int d = 0; d < 10; ++d) t.eanEven[size_t(d)] = upcEanDigitPattern(UpcEanSet::G, d);
    if (!isUpcEan(symbology)) return;
    for (int d = 0; d < 10; ++d) {
        t.main[size_t('0' + d)] = upcEanDigitPattern(UpcEanSet::L, d);
        t.upcRight[size_t('0' + d)] = upcEanDigitPattern(UpcEanSet::R, d);
    }
    t.main[0] = "13131";   // centre guard
    t.main[128] = "313";   // normal guard
}

}  // namespace quillet
