#pragma once
// The symbology table: one row per code 1..27 with everything that differs
// by symbology (keywords, menu caption, family, the window's fields and
// option menus, the builder). Codes are the positions in the Symbology menu
// and the values written to configuration files, so the numbering is fixed.
#include <array>
#include <span>
#include <string_view>

#include "app/model/main_window.h"

namespace quillet {

enum class Symbology : int {
    Code39 = 1, Code39FullAscii, UpcA, UpcE, UpcE1, Ean8, Ean13, BookLand,
    Interleaved2of5, Discrete2of5, Codabar, Code93, Code128, Gs1_128, Pdf417,
    Aztec, DataMatrix, QrCode, MsiPlessey, DataBar, DataBarStacked,
    DataBarStackedOmni, DataBarLimited, Postnet, Bpo4State,
    // After the fixed numbering of the first 25.
    DataBarExpanded, DataBarExpandedStacked
};

enum class Family { WidthModulated, ModuleBased, UpcEan, Stacked2D, Matrix, DataBar, PostalHeight, Postal4State };

// Who draws the symbol; Build/Copy dispatches on it.
enum class BuilderKind {
    Linear, Pdf417, Aztec, DataMatrix, QrCode,
    DataBar, DataBarStacked, DataBarStackedOmni, DataBarLimited,
    DataBarExpanded, DataBarExpandedStacked
};

// The field beside the ratio label: `RatioList`, or `Magnify` holding the
// magnification or the PDF417 aspect ratio.
enum class ScaleField { None, Ratio, Magnification, AspectRatio };

// What the check display `CheckValue` shows.
enum class CheckDisplay {
    None,
    OptionalCheckDigit,  // the check digit, while the optional check digit is on
    CheckDigit,
    CheckDigits,         // Code 93's C and K
    BarToBar,            // UPC/EAN bar-to-bar length
    TotalHeight,         // DataBar height across the rows
};

// The record fields the `NBWidth` and `BCHeight` edits update.
enum class WidthField { NarrowWidth, PdfModuleWidth, MatrixModuleSize };
enum class HeightField { BarHeight, PdfModuleHeight };

// The character-insert list: hidden, codes 0-127, or those plus the
// function characters of Code 128 / GS1-128 or the codes 128-255.
enum class InsertList { Hidden, Ascii, Code128Functions, Fnc1, Extended };

// How the main window shows the fields for a symbology.
struct FieldLayout {
    std::string_view messageLabel;
    std::string_view supplementLabel;  // empty: the field is hidden
    ScaleField scale;
    CheckDisplay check;
    WidthField width;
    HeightField height;
    bool widthShown;
    bool heightShown;
    bool commentShown;
    InsertList insertList;
};

struct SymbologyInfo {
    int code;
    Symbology symbology;
    std::string_view caption;                 // Symbology menu caption
    std::array<std::string_view, 4> keywords;  // commands selecting it; unused ones empty
    Family family;
    BuilderKind builder;
    OptionMenus menus;                        // option menus shown while it is selected
    FieldLayout fields;
};

constexpr int kSymbologyCount = 27;
// The codes a reader of older configuration files knows.
constexpr int kClassicSymbologyCount = 25;

// All rows, in code order.
std::span<const SymbologyInfo> symbologyTable();
// The row of a code 1..27, or null.
const SymbologyInfo* findSymbology(int code);
// The row of a code 1..27; codes outside are treated as 1.
const SymbologyInfo& symbologyInfo(int code);
// The code an upper-cased command selects ("[CODE39]" gives 1), or 0.
int symbologyCodeByKeyword(std::string_view key);

// Families; false for codes outside 1..27.
bool isUpcEan(int code);
bool is2D(int code);
bool isDataBar(int code);
bool isPostal(int code);

}  // namespace quillet
