#include "app/model/settings.h"

#include <cstdlib>

#include "app/model/symbology.h"

namespace quillet {

void updateEffectiveDpi(SymbolSettings& s) {
    if (s.printerDpiX < 1) s.printerDpiX = 300;
    if (s.printerDpiY < 1) s.printerDpiY = 300;
    if (isVertical(s)) {
        s.effectiveDpiX = s.printerDpiY;
        s.effectiveDpiY = s.printerDpiX;
    } else {
        s.effectiveDpiX = s.printerDpiX;
        s.effectiveDpiY = s.printerDpiY;
    }
}

static int dpiOr300(int dpi) { return dpi < 1 ? 300 : dpi; }

float widthFromUnit(const SymbolSettings& s, double typed) {
    switch (s.unitMode) {
    case UnitInches: return float(typed * 2.54);
    case UnitMetric: return float(typed);
    default: return float(typed * 2540.0 / dpiOr300(s.effectiveDpiX));
    }
}

float heightFromUnit(const SymbolSettings& s, double typed) {
    switch (s.unitMode) {
    case UnitInches: return float(typed * 2.54);
    case UnitMetric: return float(typed);
    default: return float(typed * 2.54 / dpiOr300(s.effectiveDpiY));
    }
}

float pdfHeightFromUnit(const SymbolSettings& s, double typed) {
    switch (s.unitMode) {
    case UnitInches: return float(typed * 2.54);
    case UnitMetric: return float(typed);
    default: return float(typed * 2540.0 / dpiOr300(s.effectiveDpiY));
    }
}

double widthToUnit(const SymbolSettings& s, double units) {
    switch (s.unitMode) {
    case UnitInches: return units / 2.54;
    case UnitMetric: return units;
    default: return units * dpiOr300(s.effectiveDpiX) / 2540.0;
    }
}

double heightToUnit(const SymbolSettings& s, double cm) {
    switch (s.unitMode) {
    case UnitInches: return cm / 2.54;
    case UnitMetric: return cm;
    default: return cm * dpiOr300(s.effectiveDpiY) / 2.54;
    }
}

float& widthFieldFor(SymbolSettings& s) {
    switch (symbologyInfo(s.symbology).fields.width) {
    case WidthField::PdfModuleWidth: return s.pdfModuleWidth;
    case WidthField::MatrixModuleSize: return s.matrixModuleSize;
    case WidthField::NarrowWidth: break;
    }
    return s.narrowWidth;
}

void setHeightFromUnit(SymbolSettings& s, double typed) {
    if (symbologyInfo(s.symbology).fields.height == HeightField::PdfModuleHeight)
        s.pdfModuleHeight = pdfHeightFromUnit(s, typed);
    else
        s.barHeight = heightFromUnit(s, typed);
}

double numericFieldValue(const std::string& text) {
    if (text.empty()) return 0;
    const char* begin = text.c_str();
    char* end = nullptr;
    double v = std::strtod(begin, &end);
    if (end == begin) return 0;
    while (*end == ' ') ++end;
    return *end == '\0' ? v : 0;
}

}  // namespace quillet
