#include "app/render/effective_dimensions.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/model/bar_pattern.h"
#include "app/model/symbology.h"
#include "app/pdf417/pdf417_matrix.h"
#include "app/render/build_copy.h"
#include "app/render/drawing_math.h"
#include "app/render/built_symbol_layout.h"

namespace quillet {

namespace {

constexpr double kUnitsPerInch = 2540.0;
constexpr double kNominalUpcModule = 33.02;  // 13 mils, magnification 100 %

// The module as the user asked it and as the picture draws it, in drawing
// units, across (width) and along (height) the bars.
struct Module {
    double askedWidth = 0, drawnWidth = 0;
    double askedHeight = 0, drawnHeight = 0;
    bool snaps = false;  // a module scaled to whole dots in printer-dot units
};

Module moduleOf(const SymbolSettings& s) {
    Module m;
    const Family family = symbologyInfo(s.symbology).family;
    if (family == Family::Stacked2D) {
        m = {s.pdfModuleWidth, double(Pdf417ModuleUnits(s.pdfModuleWidth)), s.pdfModuleHeight,
             double(Pdf417ModuleUnits(s.pdfModuleHeight)), true};
    } else if (family == Family::Matrix) {
        const double drawn = roundEven(double(s.matrixModuleSize));
        m = {s.matrixModuleSize, drawn, s.matrixModuleSize, drawn, true};
    } else if (family == Family::PostalHeight || family == Family::Postal4State) {
        m = {50, 50, 0, 0, false};  // fixed bars, never scaled
    } else {
        m = {s.narrowWidth, double(narrowWidthUnits(s.narrowWidth)), s.barHeight * 1000.0,
             double(barHeightUnits(s.barHeight)), true};
        m.askedHeight = m.drawnHeight = 0;  // a bar height is not a module: never scaled
    }
    return m;
}

// The whole number of dots closest to a length, at least one.
double wholeDots(double units, int dpi) { return std::max(1.0, std::nearbyint(units * dpi / kUnitsPerInch)); }

double snapFactor(double asked, double drawn, int dpi) {
    if (!(asked > 0) || !(drawn > 0) || dpi < 1) return 1;
    return wholeDots(asked, dpi) * kUnitsPerInch / (drawn * dpi);
}

// Accumulates the widths in dots of elements spanning [a, b) in drawing
// units, each edge placed on the nearest dot.
struct DotWidths {
    double scale = 0;  // dots per drawing unit
    std::vector<int> widths;
    void add(double a, double b) {
        widths.push_back(int(std::nearbyint(b * scale) - std::nearbyint(a * scale)));
    }
    PrintedLength length(double asked, int dpi) const {
        PrintedLength p;
        p.asked = asked;
        if (widths.empty()) return p;
        double sum = 0;
        p.minDots = p.maxDots = widths.front();
        for (int w : widths) {
            sum += w;
            p.minDots = std::min(p.minDots, w);
            p.maxDots = std::max(p.maxDots, w);
        }
        p.dots = sum / double(widths.size());
        p.printed = p.dots * kUnitsPerInch / dpi;
        p.deviation = asked > 0 ? (p.printed - asked) / asked * 100.0 : 0;
        return p;
    }
};

// Narrow and wide bars of a linear symbol at their places in the layout.
void measureLinear(const SymbolSettings& s, const BuiltSymbol& symbol, DotWidths& narrow, DotWidths& wide,
                   DotWidths& height, double alongScale) {
    const LinearLayout L = builtSymbolLayout(s, symbol);
    const bool postal = isPostal(s.symbology);
    size_t bar = 0;
    for (char c : L.drawn) {
        if (!postal && !isBarElement(c)) continue;
        if (bar >= L.bars.size()) break;
        const Rect& r = L.bars[bar++];
        // At 270 degrees the picture's across axis runs from the symbol's right end.
        const bool mirrored = s.orientation == Vertical270;
        const double a = mirrored ? L.W - r.right : r.left, b = mirrored ? L.W - r.left : r.right;
        if (postal || c == '3') narrow.add(a, b);
        else if (c == '4') wide.add(a, b);
        if (height.widths.empty()) {
            height.scale = alongScale;
            height.add(-r.top, -r.bottom);
        }
    }
}

// Modules of pitch drawn from the symbol's origin across count modules.
void measureModules(double drawn, int count, DotWidths& w) {
    for (int i = 0; i < std::max(count, 1); ++i) w.add(i * drawn, (i + 1) * drawn);
}

}  // namespace

DotScale dotScale(const SymbolSettings& s, int dpiAcross, int dpiAlong) {
    DotScale d;
    const Module m = moduleOf(s);
    if (s.unitMode != UnitPrinterDots || !m.snaps) return d;
    d.across = snapFactor(m.askedWidth, m.drawnWidth, dpiAcross);
    d.along = snapFactor(m.askedHeight, m.drawnHeight, dpiAlong);
    return d;
}

EffectiveDimensions effectiveDimensions(const SymbolSettings& s, const BuiltSymbol& symbol) {
    EffectiveDimensions e;
    e.dpiAcross = std::max(1, s.effectiveDpiX);
    e.dpiAlong = std::max(1, s.effectiveDpiY);
    const DotScale k = dotScale(s, e.dpiAcross, e.dpiAlong);
    e.dotExact = s.unitMode == UnitPrinterDots && moduleOf(s).snaps;
    const double across = e.dpiAcross / kUnitsPerInch * k.across;
    const double along = e.dpiAlong / kUnitsPerInch * k.along;
    const Module m = moduleOf(s);
    const int code = s.symbology;
    const Family family = symbologyInfo(code).family;

    DotWidths narrow{across, {}}, wide{across, {}}, height{along, {}};
    if (family == Family::Stacked2D || family == Family::Matrix) {
        e.module = true;
        measureModules(m.drawnWidth, symbol.modules.cols, narrow);
        measureModules(m.drawnHeight, symbol.modules.rows, height);
        e.width = narrow.length(m.askedWidth, e.dpiAcross);
        e.height = height.length(m.askedHeight, e.dpiAlong);
        return e;
    }
    if (family == Family::DataBar) {
        measureModules(m.drawnWidth, int(symbol.width / std::max(1.0, m.drawnWidth)), narrow);
        height.add(0, symbol.height);
        e.width = narrow.length(m.askedWidth, e.dpiAcross);
        e.height = height.length(symbol.height, e.dpiAlong);
        return e;
    }
    measureLinear(s, symbol, narrow, wide, height, along);
    e.width = narrow.length(m.askedWidth, e.dpiAcross);
    const double askedHeight = isPostal(code) ? double(symbol.height) : double(s.barHeight) * 1000.0;
    e.height = height.length(askedHeight, e.dpiAlong);
    if (family == Family::WidthModulated && !wide.widths.empty() && e.width.dots > 0) {
        e.ratioAsked = double(s.ratio);
        e.ratioPrinted = wide.length(0, e.dpiAcross).dots / e.width.dots;
    }
    if (family == Family::UpcEan) e.magnification = e.width.printed / kNominalUpcModule * 100.0;
    return e;
}

}  // namespace quillet
