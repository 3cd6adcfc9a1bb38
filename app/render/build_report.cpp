#include "app/render/build_report.h"

#include <cstdio>

#include "app/model/app_state.h"
#include "app/model/symbology.h"

namespace quillet {

namespace {

std::string fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

std::string caption(int code) {
    std::string c;
    for (char ch : symbologyInfo(code).caption)
        if (ch != '&') c += ch;
    // Captions pad with runs of spaces before their notes.
    std::string out;
    for (char ch : c)
        if (!(ch == ' ' && !out.empty() && out.back() == ' ')) out += ch;
    return out;
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char ch : text) {
        if (ch == '"' || ch == '\\') out += '\\';
        if (ch < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", ch);
            out += buf;
        } else {
            out += char(ch);
        }
    }
    return out + "\"";
}

std::string dotsText(const PrintedLength& p) {
    if (p.minDots == p.maxDots) return std::to_string(p.minDots) + " dots";
    return std::to_string(p.minDots) + "-" + std::to_string(p.maxDots) + " dots (mean " + fixed(p.dots, 2) + ")";
}

using ToUnit = UnitLength (*)(int, double, int);

std::string lengthText(const char* name, const PrintedLength& p, int unitMode, int dpi, ToUnit toUnit, int decimals) {
    const UnitLength printed = toUnit(unitMode, p.printed, dpi), asked = toUnit(unitMode, p.asked, dpi);
    std::string t = std::string(name) + " " + dotsText(p);
    if (unitMode != UnitPrinterDots) t += " = " + fixed(printed.value, decimals) + " " + printed.unit;
    return t + " (asked " + fixed(asked.value, decimals) + " " + asked.unit + ", " + (p.deviation >= 0.005 ? "+" : "") +
           fixed(p.deviation, 2) + " %)";
}

std::string lengthJson(const PrintedLength& p, int unitMode, int dpi, ToUnit toUnit) {
    const UnitLength printed = toUnit(unitMode, p.printed, dpi), asked = toUnit(unitMode, p.asked, dpi);
    return "{\"dots\":" + fixed(p.dots, 3) + ",\"minDots\":" + std::to_string(p.minDots) +
           ",\"maxDots\":" + std::to_string(p.maxDots) + ",\"printed\":" + fixed(printed.value, 3) +
           ",\"asked\":" + fixed(asked.value, 3) + ",\"unit\":" + jsonString(printed.unit) +
           ",\"deviation\":" + fixed(p.deviation, 2) + "}";
}

}  // namespace

UnitLength widthInUnit(int unitMode, double units, int dpi) {
    if (unitMode == UnitMetric) return {units, "x0.001 cm"};
    if (unitMode == UnitPrinterDots) return {units * dpi / 2540.0, "dots"};
    return {units / 2.54, "mils"};
}

UnitLength heightInUnit(int unitMode, double units, int dpi) {
    if (unitMode == UnitMetric) return {units / 1000.0, "cm"};
    if (unitMode == UnitPrinterDots) return {units * dpi / 2540.0, "dots"};
    return {units / 2540.0, "in"};
}

std::string formatReport(const SymbolSettings& s, const EffectiveDimensions& e, ReportFormat format) {
    // Module heights are widths in their unit; bar heights are lengths.
    const ToUnit heightUnit = e.module ? widthInUnit : heightInUnit;
    const int heightDecimals = e.module || s.unitMode == UnitPrinterDots ? 2 : 3;
    if (format == ReportFormat::Json) {
        std::string j = "{\"symbology\":" + std::to_string(s.symbology) + ",\"name\":" + jsonString(caption(s.symbology)) +
                        ",\"dpiAcross\":" + std::to_string(e.dpiAcross) + ",\"dpiAlong\":" + std::to_string(e.dpiAlong) +
                        ",\"dotExact\":" + (e.dotExact ? "true" : "false") + ",\"element\":" +
                        (e.module ? "\"module\"" : "\"narrow bar\"") +
                        ",\"width\":" + lengthJson(e.width, s.unitMode, e.dpiAcross, widthInUnit) +
                        ",\"height\":" + lengthJson(e.height, s.unitMode, e.dpiAlong, heightUnit);
        if (e.ratioPrinted) j += ",\"ratio\":{\"asked\":" + fixed(*e.ratioAsked, 2) + ",\"printed\":" + fixed(*e.ratioPrinted, 3) + "}";
        if (e.magnification) j += ",\"magnification\":" + fixed(*e.magnification, 1);
        return j + "}";
    }
    std::string t = caption(s.symbology) + " at " + std::to_string(e.dpiAcross) + " x " + std::to_string(e.dpiAlong) +
                    " dpi: " + lengthText(e.module ? "module" : "narrow bar", e.width, s.unitMode, e.dpiAcross, widthInUnit, 2) +
                    ", " + lengthText(e.module ? "module height" : "height", e.height, s.unitMode, e.dpiAlong, heightUnit,
                                      heightDecimals);
    if (e.ratioPrinted) t += ", ratio " + fixed(*e.ratioPrinted, 2) + " (asked " + fixed(*e.ratioAsked, 2) + ")";
    if (e.magnification) t += ", magnification " + fixed(*e.magnification, 1) + " %";
    if (e.dotExact) t += ", whole dots";
    return t;
}

std::string buildReport(const AppState& app, ReportFormat format) {
    if (!app.output.lastSymbol) return {};
    return formatReport(app.settings, effectiveDimensions(app.settings, *app.output.lastSymbol), format);
}

}  // namespace quillet
