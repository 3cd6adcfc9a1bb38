#pragma once
// Options of the current symbol for PDF417; a member of SymbolSettings.
// The module width and height are ordinary symbol settings (pdfModuleWidth,
// pdfModuleHeight) and live in SymbolSettings itself.
#include <cstdint>
#include <string>

namespace quillet {

struct Pdf417Options {
    // 0 Auto (EXC/Binary/Numeric), 1 Auto (EXC/Binary), 2 EXC, 3 Binary, 4 Numeric.
    int pdfCompaction = 0;
    // Symbol character set: 0 display set, 1 ASCII (OEM), 2 ANSI.
    int pdfCharacterSet = 0;
    // Error correction level 0-8, or 9 = automatic from pdfOverheadPercent.
    int pdfSecurityLevel = 9;
    // Wanted error correction codewords in percent of the data codewords (0-99).
    int pdfOverheadPercent = 11;
    // 0 closest to pdfAspectRatio, 1 fixed row count, 2 fixed column count.
    int pdfSizeConstraint = 0;
    int pdfMaxRows = 90;     // 3-90
    int pdfMaxColumns = 30;  // 1-30, data columns
    // Wanted ratio of symbol height to symbol width.
    double pdfAspectRatio = 0.5;
    bool pdfTruncated = false;
    // Write the generated codewords into the supplement field.
    bool pdfShowCodewords = false;
    bool operator==(const Pdf417Options&) const = default;
};

}  // namespace quillet
