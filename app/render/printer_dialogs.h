#pragma once
// The target printer dialog ("Target Printer Options") and the print
// margins dialog ("Print Margins") as data, for the window to show.
#include <string>
#include <vector>

namespace quillet {

struct AppState;

struct TargetPrinterFields {
    bool warnings = true;  // `PrintWarningCheckBox`
    std::string hdpi;      // `HDPI`
    std::string vdpi;      // `VDPI`
};

// The resolutions the two drop-downs offer (typed values are accepted too).
const std::vector<std::string>& targetPrinterDpiItems();

// The controls on opening.
TargetPrinterFields targetPrinterFields(const AppState& app);
// "Select Printer...": the boxes take the default printer's resolution;
// false (boxes unchanged) when there is none.
bool selectTargetPrinter(TargetPrinterFields& fields);
// "OK": stores the warnings flag and the resolutions (rounded, at least 1),
// marks the configuration changed when anything differs, and refreshes the
// effective resolutions and, in printer dots, the dimension fields.
void applyTargetPrinterDialog(AppState& app, const TargetPrinterFields& fields);

// After "Pr&inter Setup..." (not cancelled): the target resolution becomes
// the new default printer's, and the effective resolutions follow at once
// (so the dot checks never use the old printer's). False when there is no
// default printer.
bool adoptDefaultPrinter(AppState& app);

struct PrintMarginFields {
    std::string left;  // `Text1`, inches
    std::string top;   // `Text3`, inches
};
PrintMarginFields printMarginFields(const AppState& app);
// "Print": stores the margins typed and prints the symbol, ejecting the page.
bool printWithMargins(AppState& app, const PrintMarginFields& fields);

}  // namespace quillet
