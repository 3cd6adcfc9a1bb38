#pragma once
// SymbolSettings: every option of the current symbol and of its output.
// Widths are held in drawing units of 0.01 mm (2540 to the inch), linear bar
// heights in centimetres, whatever unit the user sees.
#include <cstdint>
#include <string>

#include "app/model/aztec_options.h"
#include "app/model/datamatrix_options.h"
#include "app/model/numbering_options.h"
#include "app/model/pdf417_options.h"
#include "app/model/qr_options.h"
#include "app/model/raster_options.h"

namespace quillet {

using Colour = uint32_t;  // Windows RGB value 0x00BBGGRR

enum UnitMode : int { UnitPrinterDots = 0, UnitInches = 1000, UnitMetric = 2540 };
enum Orientation : int { Horizontal = 0, Vertical90 = 1, Vertical270 = 2 };
enum CommentAlign : int { AlignLeft = 0, AlignCentre = 1, AlignRight = 2 };
enum CharacterSet : int { CharsetAscii = 0, CharsetAnsi = 1 };

struct SymbolSettings {
    int symbology = 1;
    std::string message;
    std::string comment;
    std::string supplement;

    float narrowWidth = 33.02f;   // 13 mils
    float barHeight = 2.54f;      // cm
    float ratio = 2.5f;
    float magnification = 100.0f;
    float pdfModuleWidth = 25.4f;
    float pdfModuleHeight = 76.2f;
    float matrixModuleSize = 50.8f;

    int unitMode = UnitInches;
    int printerDpiX = 300, printerDpiY = 300;
    int effectiveDpiX = 300, effectiveDpiY = 300;
    int orientation = Horizontal;

    bool includeText = true;
    bool textAbove = false;
    bool commentAbove = true;
    int commentAlign = AlignLeft;
    std::string fontName = "Arial";
    int fontSize = 10;
    bool bold = false, italic = false, underline = false, strikeout = false;
    Colour fontColour = 0;
    bool autoFontScaling = false;
    Colour foreColour = 0;
    Colour backColour = 0xFFFFFF;
    bool transparent = false;

    bool quietZones = false;
    bool bearerBars = false;
    bool optionalCheckDigit = false;
    bool disableAutoCheckDigit = false;
    // Bar width reduction/gain: the step 0..15 (5 % each) in the low four
    // bits, the gain flag in bit 4.
    int barWidthAdjust = 0;
    bool fixDriverIncompatibility = false;  // 200-unit bar pen
    int characterSet = CharsetAscii;
    // UTF-8 character set: the message is kept as UTF-8 text, which QR Code,
    // Data Matrix, Aztec Code and PDF417 carry with ECI 26.
    bool utf8Text = false;
    // GS1 mode of Data Matrix and QR Code: the message is a GS1 element
    // string, encoded after a leading FNC1.
    bool gs1Mode = false;
    bool messageWarnings = true;
    bool printerWarnings = true;
    // Segments in each row of DataBar Expanded Stacked: even, 2 to 22.
    int dataBarSegments = 4;

    bool symbolBuilt = false;
    bool changed = false;

    Pdf417Options pdf;
    AztecOptions aztec;
    DataMatrixOptions dm;
    QrOptions qr;
    RasterOptions raster;
    NumberingOptions numbering;
    bool operator==(const SymbolSettings&) const = default;
};

constexpr int kGainBit = 0x10;
inline int reductionStep(const SymbolSettings& s) { return s.barWidthAdjust & 0x0F; }
inline bool gainOn(const SymbolSettings& s) { return (s.barWidthAdjust & kGainBit) != 0; }
inline bool isVertical(const SymbolSettings& s) { return s.orientation == Vertical90 || s.orientation == Vertical270; }

// Keeps the effective resolution in step with the printer's and the
// orientation: swapped while the symbol is vertical.
void updateEffectiveDpi(SymbolSettings& s);

// Conversions between what the user types (in the current unit) and the
// record's units.
float widthFromUnit(const SymbolSettings& s, double typed);     // -> 0.01 mm
float heightFromUnit(const SymbolSettings& s, double typed);    // -> cm
float pdfHeightFromUnit(const SymbolSettings& s, double typed); // -> 0.01 mm
double widthToUnit(const SymbolSettings& s, double units);
double heightToUnit(const SymbolSettings& s, double cm);

// The record field a `NBWidth` edit updates for the current symbology
// (pdfModuleWidth for PDF417, matrixModuleSize for the matrix codes,
// narrowWidth otherwise), and likewise for `BCHeight`.
float& widthFieldFor(SymbolSettings& s);
void setHeightFromUnit(SymbolSettings& s, double typed);

// Reads a numeric field's text; text that does not read as a number is 0.
double numericFieldValue(const std::string& text);

}  // namespace quillet
