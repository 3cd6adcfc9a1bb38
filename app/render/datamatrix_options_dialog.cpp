#include "app/render/datamatrix_options_dialog.h"

#include "app/render/datamatrix_symbol.h"

namespace quillet {

namespace {
const int kEccCodes[6] = {0, 3, 6, 8, 12, 26};
}

const char* const kDmOptionsCaption = "Data Matrix Symbology Options";
const char* const kDmEccCaptions[6] = {"ECC 0", "ECC 50", "ECC 80", "ECC 100", "ECC 140", "ECC 200"};
const char* const kDmFormatCaptions[6] = {"Numeric (0-9)", "A-Z, Space", "A-Z, 0-9, Space",
                                          "A-Z, 0-9, Space, (.,-/)", "ASCII", "Binary"};
const char* const kDmShapeCaptions[8] = {
    "Square - Auto Size",        "Rectangular 8x18 modules",  "Rectangular 8x32 modules",
    "Rectangular 12x26 modules", "Rectangular 12x36 modules", "Rectangular 16x36 modules",
    "Rectangular 16x48 modules", "Square - Fixed Size:"};
const char* const kDmTranslateTildesCaption = "Use standard ASCII interpretation of all input data.";

std::vector<std::string> dmSizeList() {
    std::vector<std::string> list;
    for (int n : kDmSquareSides) list.push_back(std::to_string(n) + " X " + std::to_string(n));
    return list;
}

DmOptionsDialog openDmOptions(const DataMatrixOptions& o) {
    DmOptionsDialog d;
    int ecc = 5;
    for (int i = 0; i < 6; ++i)
        if (kEccCodes[i] == o.dmEccCode) ecc = i;
    d.formatOption = o.dmDataFormat >= 1 && o.dmDataFormat <= 6 ? o.dmDataFormat - 1 : 4;
    if (o.dmShapeSize >= 0 && o.dmShapeSize <= 6) {
        d.shapeOption = o.dmShapeSize;
    } else if (o.dmShapeSize >= 7 && o.dmShapeSize <= 30) {
        d.shapeOption = 7;
        d.sizeIndex = o.dmShapeSize - 7;
    }
    d.translateTildes = o.dmTranslateTildes;
    chooseDmEcc(d, ecc);
    return d;
}

void chooseDmEcc(DmOptionsDialog& d, int eccOption) {
    if (eccOption < 0 || eccOption > 5) return;
    d.eccOption = eccOption;
    const bool ecc200 = eccOption == 5;
    d.shapeFrameVisible = ecc200;
    d.tildesVisible = ecc200;
    d.formatFrameVisible = !ecc200;
}

void acceptDmOptions(const DmOptionsDialog& d, DataMatrixOptions& o) {
    o.dmEccCode = kEccCodes[d.eccOption >= 0 && d.eccOption <= 5 ? d.eccOption : 5];
    o.dmDataFormat = d.formatOption + 1;
    o.dmShapeSize = d.shapeOption == 7 ? 7 + d.sizeIndex : d.shapeOption;
    o.dmTranslateTildes = d.translateTildes;
}

}  // namespace quillet
