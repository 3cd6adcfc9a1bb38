#include "app/render/dimension_checks.h"

#include <string>

#include "app/model/app_state.h"
#include "app/model/symbology.h"

namespace quillet {

bool CheckInvalidDimensions(AppState& app) {
    const SymbolSettings& s = app.settings;
    const int code = s.symbology;
    const WidthField width = symbologyInfo(code).fields.width;
    const char* name = nullptr;
    if (isUpcEan(code)) {
        if (s.narrowWidth < 26.4f) name = "Narrow Bar Width";
    } else if (width == WidthField::PdfModuleWidth) {
        if (s.pdfModuleWidth < 16.6624f) name = "Module Width";
        if (s.pdfModuleHeight < 25.4f) name = "Module Height";
    } else if (width == WidthField::MatrixModuleSize) {
        // QR Code has no smallest nominal module.
        if (Symbology(code) != Symbology::QrCode && s.matrixModuleSize < 25.4f) name = "Module Size";
    } else {
        if (s.narrowWidth < 19.0f) name = "Narrow Bar Width";
    }
    if (!name) return true;
    if (app.ui) app.ui->beep();
    app.settings.symbolBuilt = false;
    const std::string n = name;
    const std::string text = "WARNING! - The Specified " + n + " is less than the smallest allowable nominal " + n +
                             " defined in the specifications for the selected symbology. Bar Codes produced using "
                             "this dimension may be unreadable!\r\n\r\nDo you want to continue generating this bar code?";
    if (!app.ui) return true;
    return app.ui->messageBox(text, "Invalid Dimension Warning", platform::Buttons::OkCancel,
                              platform::Icon::Exclamation) != platform::Answer::Cancel;
}

namespace {

// A dimension in drawing units is under three dots of a printer axis. The
// small allowance keeps a width typed as exactly three dots (stored in
// single precision) from failing by a rounding error.
bool underThreeDots(double units, int dpi) {
    if (dpi < 1) dpi = 300;
    return units * dpi / 2540.0 < 3.0 - 1e-4;
}

}  // namespace

bool CheckPrinterResolution(AppState& app, int X, int H) {
    const SymbolSettings& s = app.settings;
    const WidthField width = symbologyInfo(s.symbology).fields.width;
    // Across the bars and along them: the printer axes swap for vertical symbols.
    const int across = s.effectiveDpiX, along = s.effectiveDpiY;
    const char* name = nullptr;
    if (width == WidthField::PdfModuleWidth) {
        if (underThreeDots(s.pdfModuleWidth, across)) name = "Module Width";
        if (underThreeDots(s.pdfModuleHeight, along)) name = "Module Height";
    } else if (width == WidthField::MatrixModuleSize) {
        if (underThreeDots(s.matrixModuleSize, across) || underThreeDots(s.matrixModuleSize, along)) name = "Module Size";
    } else {
        if (underThreeDots(X, across)) name = "Narrow Bar Width";
        if (underThreeDots(H, along)) name = "Bar Code Height";
    }
    if (!name) return true;
    if (app.ui) app.ui->beep();
    const std::string n = name;
    const std::string text = "WARNING! - The Specified " + n +
                             " is less than three printer dots for the chosen target printer. Bar Codes produced "
                             "using this dimension may be unreadable!\r\nEither increase the " + n +
                             " dimension or select a different target printer.\r\n\r\nDo you want to continue "
                             "generating this bar code?";
    if (!app.ui) return true;
    return app.ui->messageBox(text, "Printer Resolution Warning", platform::Buttons::OkCancel,
                              platform::Icon::Exclamation) != platform::Answer::Cancel;
}

}  // namespace quillet
