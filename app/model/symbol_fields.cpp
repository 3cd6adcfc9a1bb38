#include "app/model/symbol_fields.h"

#include <array>

#include "app/model/app_state.h"
#include "app/model/number_format.h"
#include "app/model/symbology.h"

namespace quillet {

namespace {

// Option menus by group. The linear groups differ only in bearer bars and
// the optional check digit.
OptionMenus linearMenus(bool bearerBars, bool checkDigit) {
    OptionMenus m;
    m.commentAlign = m.includeText = m.textAbove = m.commentAbove = true;
    m.autoFontScaling = m.font = m.quietZones = true;
    m.barWidthReduction = m.units = true;
    m.bearerBars = bearerBars;
    m.optionalCheckDigit = checkDigit;
    return m;
}

OptionMenus matrixMenus() {
    OptionMenus m;
    m.commentAlign = m.commentAbove = m.font = m.barWidthReduction = m.units = true;
    return m;
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
    switch (code) {
    case 1: case 2: case 9: case 11: return linearMenus(true, true);
    case 3: case 4: case 5: case 6: case 7: case 8: return linearMenus(false, false);
    case 19: return linearMenus(false, true);
    case 20: case 21: case 22: case 23: return linearMenus(false, false);
    case 10: case 12: case 13: return linearMenus(true, false);
    case 14: return linearMenus(true, true);
    case 15: {
        OptionMenus m;
        m.commentAlign = m.commentAbove = m.font = m.quietZones = true;
        m.pdfOptions = m.pdfCharacterSet = m.barWidthReduction = m.units = true;
        return m;
    }
    case 16: { OptionMenus m = matrixMenus(); m.aztecOptions = true; return m; }
    case 17: { OptionMenus m = matrixMenus(); m.dmOptions = true; return m; }
    case 18: { OptionMenus m = matrixMenus(); m.qrOptions = true; return m; }
    default: return OptionMenus{};  // postal codes: none
    }
}

bool insertListShownFor(int code) { return code == 2 || code == 12 || code == 13 || code == 14 || is2D(code); }

std::vector<InsertEntry> insertListFor(int code) {
    std::vector<InsertEntry> list;
    if (!insertListShownFor(code)) return list;
    for (int c = 0; c < 128; ++c) list.push_back({c, controlName(c)});
    if (code == 13) {
        for (int i = 0; i < 4; ++i) list.push_back({128 + i, "FNC" + std::to_string(i + 1)});
    } else if (code == 14) {
        list.push_back({128, "FNC1"});
    } else if (is2D(code)) {
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
    if (code < 1 || code > kSymbologyCount) return;
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
    } else if (code == 15 && previous != 15) {
        w.magnifyList.clear();
        w.magnifyText = formatNumber(s.pdf.pdfAspectRatio, "#0.0##");
    }
    refreshSymbolFields(app);
}

void refreshFieldLabels(AppState& app) {
    const SymbolSettings& s = app.settings;
    MainWindow& w = app.window;
    const int code = s.symbology;
    const bool vertical = isVertical(s);

    w.messageLabel = code == 8 ? "ISBN Number:" : "Bar Code Message:";

    w.supplementVisible = true;
    if (code >= 3 && code <= 5) w.supplementLabel = "UPC Supplemental:";
    else if (code == 6 || code == 7) w.supplementLabel = "EAN Supplemental:";
    else if (code == 8) w.supplementLabel = "Price/Supplemental:";
    else if (isDataBar(code)) w.supplementLabel = "Composite Message:";
    else if (code == 15) w.supplementLabel = "Generated Code Words";
    else w.supplementVisible = false;

    w.ratioListVisible = w.magnifyVisible = false;
    if (code == 1 || code == 2 || code == 19 || (code >= 9 && code <= 11)) {
        w.ratioLabel = "Narrow To Wide Ratio";
        w.ratioListVisible = true;
    } else if (isUpcEan(code)) {
        w.ratioLabel = "Magnification (percent)";
        w.magnifyVisible = true;
    } else if (code == 15) {
        w.ratioLabel = "Symbol Aspect Ratio";
        w.magnifyVisible = true;
    } else {
        w.ratioLabel.clear();
    }

    w.checkVisible = true;
    if (code == 19 || ((code == 1 || code == 2) && s.optionalCheckDigit)) w.checkLabel = "Check Digit Value =";
    else if (isUpcEan(code)) w.checkLabel = vertical ? "Bar To Bar Height =" : "Bar To Bar Width =";
    else if (code == 12) w.checkLabel = "Check Digit Values =";
    else if (code == 13 || code == 14) w.checkLabel = "Check Digit Value =";
    else if (isDataBar(code)) w.checkLabel = vertical ? "Total Symbol Width =" : "Total Symbol Height =";
    else {
        w.checkLabel.clear();
        w.checkVisible = false;
    }
    w.totalLabel = vertical ? "Total Symbol Height =" : "Total Symbol Width =";

    const std::string suffix = unitSuffix(s.unitMode);
    if (code == 15) {
        w.widthLabel = "Module Width " + suffix;
        w.heightLabel = "Module Height " + suffix;
    } else if (code >= 16 && code <= 18) {
        w.widthLabel = "Module Size " + suffix;
        w.heightLabel.clear();
    } else {
        w.widthLabel = "Narrow Bar Width " + suffix;
        w.heightLabel = heightLabel(s.unitMode);
    }
    w.widthVisible = !isPostal(code);
    w.heightVisible = !isPostal(code) && !(code >= 16 && code <= 18);
    w.commentVisible = !isPostal(code) && code != 18;
}

void refreshSymbolFields(AppState& app) {
    SymbolSettings& s = app.settings;
    updateEffectiveDpi(s);
    refreshFieldLabels(app);
    setNBWidthText(app, dimensionText(s, widthToUnit(s, widthFieldFor(s))));
    const bool pdfHeight = s.symbology == 15 || s.symbology == 16;
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
    if (s.symbology == 15) {
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
    if (app.settings.symbology != 15) app.settings.symbolBuilt = false;
}

}  // namespace quillet
