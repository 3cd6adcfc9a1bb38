#include "app/model/symbol_fields.h"

#include <array>

#include "app/model/app_state.h"
#include "app/model/number_format.h"
#include "app/model/symbology.h"

namespace quillet {

namespace {

InsertList insertListKind(int code) {
    const SymbologyInfo* row = findSymbology(code);
    return row ? row->fields.insertList : InsertList::Hidden;
}

const char kControlNames[] =
    "NULSOHSTXETXEOTENQACKBELBS HT LF VT FF CR SO SI DLEDC1DC2DC3DC4NAKSYNETBCANEM SUBESCFS GS RS US ";

std::string controlName(int code) {
    if (code == 0) return "NUL";
    if (code == 9) return "TAB";
    if (code >= 32) return {};
    std::string name(kControlNames + 3 * code, 3);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

const char* unitSuffix(int unitMode) {
    switch (unitMode) {
    case UnitInches: return "(mils)";
    case UnitMetric: return "(.001cm)";
    default: return "(dots)";
    }
}

const char* heightLabel(int unitMode) {
    switch (unitMode) {
    case UnitInches: return "Bar Height (inches)";
    case UnitMetric: return "Bar Height (cm)";
    default: return "Bar Height (printer dots)";
    }
}

std::string dimensionText(const SymbolSettings& s, double value) {
    return formatNumber(value, s.unitMode == UnitPrinterDots ? "##0" : "#0.00#");
}

// The PDF417 module height converts like a width, along the bars.
double pdfHeightToUnit(const SymbolSettings& s, double units) {
    switch (s.unitMode) {
    case UnitInches: return units / 2.54;
    case UnitMetric: return units;
    default: return units * (s.effectiveDpiY < 1 ? 300 : s.effectiveDpiY) / 2540.0;
    }
}

std::string lengthText(int units, bool metric) {
    return metric ? formatNumber(units / 1000.0, "#0.00") + " cm" : formatNumber(units / 2540.0, "#0.00") + " \"";
}

}  // namespace

OptionMenus optionMenusFor(int code) {
    const SymbologyInfo* row = findSymbology(code);
    return row ? row->menus : OptionMenus{};
}

bool insertListShownFor(int code) { return insertListKind(code) != InsertList::Hidden; }

std::vector<InsertEntry> insertListFor(int code) {
    std::vector<InsertEntry> list;
    const InsertList kind = insertListKind(code);
    if (kind == InsertList::Hidden) return list;
    for (int c = 0; c < 128; ++c) list.push_back({c, controlName(c)});
    if (kind == InsertList::Code128Functions) {
        for (int i = 0; i < 4; ++i) list.push_back({128 + i, "FNC" + std::to_string(i + 1)});
    } else if (kind == InsertList::Fnc1) {
        list.push_back({128, "FNC1"});
    } else if (kind == InsertList::Extended) {
        for (int c = 128; c < 256; ++c) list.push_back({c, {}});
    }
    return list;
}

std::vector<std::string> ratioListEntries() {
    std::vector<std::string> list;
    for (int i = 0; i <= 10; ++i) list.push_back(formatNumber(2.0 + i / 10.0, "0.0"));
    return list;
}

std::vector<std::string> magnificationListEntries() {
    std::vector<std::string> list;
    for (int m = 80; m <= 200; m += 5) list.push_back(std::to_string(m));
    return list;
}

std::string messageDisplayForm(const std::string& message) {
    std::string shown = message;
    for (char& c : shown)
        if (c == '\0') c = char(0xFF);
    return shown;
}

void setSymbologyFields(AppState& app, int code) {
    if (!findSymbology(code)) return;
    SymbolSettings& s = app.settings;
    MainWindow& w = app.window;
    const int previous = s.symbology;
    if (code != previous) {
        s.symbology = code;
        s.symbolBuilt = false;
        s.changed = true;
    }
    w.menus = optionMenusFor(code);
    w.insertListVisible = insertListShownFor(code);
    w.insertList = insertListFor(code);
    if (is2D(code)) app.output.dbpSaveEnabled = false;
    if (isUpcEan(code) && !isUpcEan(previous)) {
        w.magnifyList = magnificationListEntries();
        setMagnifyText(app, formatNumber(s.magnification, "##0.####"), false);
    } else if (Symbology(code) == Symbology::Pdf417 && previous != code) {
        w.magnifyList.clear();
        w.magnifyText = formatNumber(s.pdf.pdfAspectRatio, "#0.0##");
    }
    refreshSymbolFields(app);
}

namespace {

std::string checkLabelFor(CheckDisplay check, bool optionalCheckDigit, bool vertical) {
    switch (check) {
    case CheckDisplay::OptionalCheckDigit: return optionalCheckDigit ? "Check Digit Value =" : "";
    case CheckDisplay::CheckDigit: return "Check Digit Value =";
    case CheckDisplay::CheckDigits: return "Check Digit Values =";
    case CheckDisplay::BarToBar: return vertical ? "Bar To Bar Height =" : "Bar To Bar Width =";
    case CheckDisplay::TotalHeight: return vertical ? "Total Symbol Width =" : "Total Symbol Height =";
    case CheckDisplay::None: break;
    }
    return {};
}

}  // namespace

void refreshFieldLabels(AppState& app) {
    const SymbolSettings& s = app.settings;
    MainWindow& w = app.window;
    const FieldLayout& f = symbologyInfo(s.symbology).fields;
    const bool vertical = isVertical(s);

    w.messageLabel = f.messageLabel;
    // A hidden field keeps its last label.
    w.supplementVisible = !f.supplementLabel.empty();
    if (w.supplementVisible) w.supplementLabel = f.supplementLabel;

    w.ratioListVisible = f.scale == ScaleField::Ratio;
    w.magnifyVisible = f.scale == ScaleField::Magnification || f.scale == ScaleField::AspectRatio;
    switch (f.scale) {
    case ScaleField::Ratio: w.ratioLabel = "Narrow To Wide Ratio"; break;
    case ScaleField::Magnification: w.ratioLabel = "Magnification (percent)"; break;
    case ScaleField::AspectRatio: w.ratioLabel = "Symbol Aspect Ratio"; break;
    case ScaleField::None: w.ratioLabel.clear(); break;
    }

    w.checkLabel = checkLabelFor(f.check, s.optionalCheckDigit, vertical);
    w.checkVisible = !w.checkLabel.empty();
    w.totalLabel = vertical ? "Total Symbol Height =" : "Total Symbol Width =";

    const std::string suffix = unitSuffix(s.unitMode);
    switch (f.width) {
    case WidthField::PdfModuleWidth:
        w.widthLabel = "Module Width " + suffix;
        w.heightLabel = "Module Height " + suffix;
        break;
    case WidthField::MatrixModuleSize:
        w.widthLabel = "Module Size " + suffix;
        w.heightLabel.clear();
        break;
    case WidthField::NarrowWidth:
        w.widthLabel = "Narrow Bar Width " + suffix;
        w.heightLabel = heightLabel(s.unitMode);
        break;
    }
    w.widthVisible = f.widthShown;
    w.heightVisible = f.heightShown;
    w.commentVisible = f.commentShown;
}

void refreshSymbolFields(AppState& app) {
    SymbolSettings& s = app.settings;
    updateEffectiveDpi(s);
    refreshFieldLabels(app);
    setNBWidthText(app, dimensionText(s, widthToUnit(s, widthFieldFor(s))));
    const bool pdfHeight = symbologyInfo(s.symbology).fields.height == HeightField::PdfModuleHeight;
    setBCHeightText(app, dimensionText(s, pdfHeight ? pdfHeightToUnit(s, s.pdfModuleHeight)
                                                   : heightToUnit(s, s.barHeight)));
    if (app.output.symbolWidth > 0)
        app.output.totalLength = lengthText(app.output.symbolWidth, s.unitMode == UnitMetric);
}

void setNBWidthText(AppState& app, const std::string& text) {
    app.window.nbWidthText = text;
    SymbolSettings& s = app.settings;
    widthFieldFor(s) = widthFromUnit(s, numericFieldValue(text));
}

void setBCHeightText(AppState& app, const std::string& text) {
    app.window.bcHeightText = text;
    setHeightFromUnit(app.settings, numericFieldValue(text));
}

void setMagnifyText(AppState& app, const std::string& text, bool typedOrCommanded) {
    MainWindow& w = app.window;
    SymbolSettings& s = app.settings;
    w.magnifyText = text;
    const double value = numericFieldValue(text);
    if (symbologyInfo(s.symbology).fields.scale == ScaleField::AspectRatio) {
        if (typedOrCommanded) s.pdf.pdfAspectRatio = value;
        return;
    }
    s.magnification = float(value);
    if (!typedOrCommanded) return;
    // 13 mils at 100 %, shown in the current unit.
    const double mils = 13.0 * value / 100.0;
    std::string width;
    switch (s.unitMode) {
    case UnitInches: width = formatNumber(mils, "#0.0#"); break;
    case UnitMetric: width = formatNumber(mils * 2.54, "#0.0#"); break;
    default: width = formatNumber(mils * s.effectiveDpiX / 1000.0, "##0"); break;
    }
    setNBWidthText(app, width);
}

void selectRatio(AppState& app, int index) {
    MainWindow& w = app.window;
    if (w.ratioList.empty()) w.ratioList = ratioListEntries();
    if (index < 0 || index >= int(w.ratioList.size())) return;
    w.ratioIndex = index;
    app.settings.ratio = float(numericFieldValue(w.ratioList[size_t(index)]));
}

void setMessage(AppState& app, const std::string& message) {
    app.settings.message = message;
    app.window.messageField = messageDisplayForm(message);
    app.settings.symbolBuilt = false;
}

void setSupplement(AppState& app, const std::string& supplement) {
    app.settings.supplement = supplement;
    if (Symbology(app.settings.symbology) != Symbology::Pdf417) app.settings.symbolBuilt = false;
}

}  // namespace quillet
