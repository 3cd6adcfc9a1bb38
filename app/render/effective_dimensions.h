#pragma once
// The size a symbol really prints at on the target printer: the printer
// places whole dots, so every element edge lands on the dot grid. In
// printer-dot units the print raster is scaled so the module is exactly the
// whole number of dots asked for; otherwise the symbol keeps its physical
// size and its edges round to the nearest dot.
#include <optional>

#include "app/model/built_symbol.h"
#include "app/model/settings.h"

namespace quillet {

// One dimension as asked and as printed.
struct PrintedLength {
    double asked = 0;       // drawing units (0.01 mm), as the user asked
    double dots = 0;        // mean width as printed, in dots
    int minDots = 0, maxDots = 0;
    double printed = 0;     // the mean in drawing units
    double deviation = 0;   // (printed - asked) / asked, percent
};

struct EffectiveDimensions {
    int dpiAcross = 0, dpiAlong = 0;  // across and along the bars
    bool dotExact = false;            // the module is scaled to whole dots
    bool module = false;              // "module" rather than "narrow bar"
    PrintedLength width;              // narrow bar or module, across
    PrintedLength height;             // bar height or module height, along
    std::optional<double> ratioAsked, ratioPrinted;  // two-width codes
    std::optional<double> magnification;             // UPC/EAN, percent as printed
};

// The factors the print raster scales the picture by, across and along the
// bars, so that a symbol asked in printer dots prints with whole-dot
// modules at dpiAcross x dpiAlong; 1 for symbols asked in a physical unit.
struct DotScale {
    double across = 1, along = 1;
};
DotScale dotScale(const SymbolSettings& s, int dpiAcross, int dpiAlong);

// For the built symbol at the target printer's resolution and orientation.
EffectiveDimensions effectiveDimensions(const SymbolSettings& s, const BuiltSymbol& symbol);

}  // namespace quillet
