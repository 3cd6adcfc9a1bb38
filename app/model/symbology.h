#pragma once
// The symbology catalogue: codes 1..25 are the positions in the Symbology
// menu, and ranges of them are tested throughout, so the numbering is fixed.
#include <string_view>

namespace quillet {

enum class Symbology : int {
    Code39 = 1, Code39FullAscii, UpcA, UpcE, UpcE1, Ean8, Ean13, BookLand,
    Interleaved2of5, Discrete2of5, Codabar, Code93, Code128, Gs1_128, Pdf417,
    Aztec, DataMatrix, QrCode, MsiPlessey, DataBar, DataBarStacked,
    DataBarStackedOmni, DataBarLimited, Postnet, Bpo4State
};

enum class Family { WidthModulated, ModuleBased, UpcEan, Stacked2D, Matrix, DataBar, PostalHeight, Postal4State };

struct SymbologyInfo {
    int code;
    Symbology symbology;
    std::string_view name;     // the `Symbology` value
    std::string_view caption;  // Symbology menu caption
    Family family;
};

constexpr int kSymbologyCount = 25;

// Entry for a code 1..25; codes outside are treated as 1.
const SymbologyInfo& symbologyInfo(int code);
// The code of a `Symbology` name (case-sensitive), or 0.
int symbologyCodeByName(std::string_view name);

constexpr bool isUpcEan(int code) { return code >= 3 && code <= 8; }
constexpr bool is2D(int code) { return code >= 15 && code <= 18; }
constexpr bool isDataBar(int code) { return code >= 20 && code <= 23; }
constexpr bool isPostal(int code) { return code == 24 || code == 25; }
constexpr bool isLinear(int code) {
    return (code >= 1 && code <= 14) || code == 19 || code == 24 || code == 25;
}

}  // namespace quillet
