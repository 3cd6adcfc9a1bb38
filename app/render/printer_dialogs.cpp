#include "app/render/printer_dialogs.h"

#include <cmath>
#include <sstream>

#include "app/model/app_state.h"
#include "app/model/symbol_fields.h"
#include "app/render/print_symbol.h"

namespace quillet {

namespace {

// A typed resolution: rounded, at least 1; far beyond any printer it is
// capped rather than overflowing.
int typedDpi(const std::string& text) {
    const double v = numericFieldValue(text);
    if (!(v >= 1)) return 1;
    return int(std::nearbyint(std::fmin(v, 99999.0)));
}

std::string marginText(float inches) {
    std::ostringstream s;
    s << inches;
    return s.str();
}

}  // namespace

const std::vector<std::string>& targetPrinterDpiItems() {
    static const std::vector<std::string> items = {"  72", " 120", " 144", " 216", " 240", " 300",
                                                   " 360", " 600", "1000", "1200", "2400"};
    return items;
}

TargetPrinterFields targetPrinterFields(const AppState& app) {
    return {app.settings.printerWarnings, std::to_string(app.settings.printerDpiX),
            std::to_string(app.settings.printerDpiY)};
}

bool selectTargetPrinter(TargetPrinterFields& fields) {
    int x = 0, y = 0;
    if (!targetPrinterResolution(x, y)) return false;
    fields.hdpi = std::to_string(x);
    fields.vdpi = std::to_string(y);
    return true;
}

void applyTargetPrinterDialog(AppState& app, const TargetPrinterFields& fields) {
    SymbolSettings& s = app.settings;
    const int x = typedDpi(fields.hdpi), y = typedDpi(fields.vdpi);
    if (fields.warnings != s.printerWarnings || x != s.printerDpiX || y != s.printerDpiY) s.changed = true;
    s.printerWarnings = fields.warnings;
    s.printerDpiX = x;
    s.printerDpiY = y;
    updateEffectiveDpi(s);
    if (s.unitMode == UnitPrinterDots) refreshSymbolFields(app);
}

bool adoptDefaultPrinter(AppState& app) {
    TargetPrinterFields f = targetPrinterFields(app);
    if (!selectTargetPrinter(f)) return false;
    SymbolSettings& s = app.settings;
    s.printerDpiX = typedDpi(f.hdpi);
    s.printerDpiY = typedDpi(f.vdpi);
    updateEffectiveDpi(s);
    if (s.unitMode == UnitPrinterDots) refreshSymbolFields(app);
    return true;
}

PrintMarginFields printMarginFields(const AppState& app) {
    return {marginText(app.settings.raster.leftPrintMargin), marginText(app.settings.raster.topPrintMargin)};
}

bool printWithMargins(AppState& app, const PrintMarginFields& fields) {
    app.settings.raster.leftPrintMargin = float(numericFieldValue(fields.left));
    app.settings.raster.topPrintMargin = float(numericFieldValue(fields.top));
    return PrintSymbol(app, true);
}

}  // namespace quillet
