#include "app/window/option_dialogs.h"

#include "app/model/main_window.h"
#include "app/window/aztec_dialog.h"
#include "app/window/datamatrix_dialog.h"
#include "app/window/font_colour_dialogs.h"
#include "app/window/pdf417_dialog.h"
#include "app/window/qr_dialog.h"

namespace quillet {

const std::vector<DialogEntry>& optionDialogEntries() {
    using M = const OptionMenus&;
    static const std::vector<DialogEntry> entries = {
        {"&PDF417 Advanced Options...", "PDFOps", [](M m) { return m.pdfOptions; }, runPdfOptionsDialog},
        {"QR Code Advanced Options...", "QROpts", [](M m) { return m.qrOptions; }, runQrOptionsDialog},
        {"Data Matri&x Advanced Options...", "DMOpts", [](M m) { return m.dmOptions; }, runDmOptionsDialog},
        {"A&ztec Code Advanced Options...", "mAztecOpt", [](M m) { return m.aztecOptions; }, runAztecOptionsDialog},
        {"&Font...", "MCustFont", [](M) { return true; }, runFontDialog},
        {"Font Colo&r...", "MFontColor", [](M) { return true; }, runFontColourDialog},
        {"Foreground &Color...", "MFColor", [](M) { return true; }, runForegroundColourDialog},
        {"&Custom Color...", "SMBColor", [](M) { return true; }, runBackgroundColourDialog},
    };
    return entries;
}

}  // namespace quillet
