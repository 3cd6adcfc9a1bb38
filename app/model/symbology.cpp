#include "app/model/symbology.h"

#include <array>

namespace quillet {

namespace {
using enum Symbology;
using F = Family;
constexpr std::array<SymbologyInfo, kSymbologyCount> kCatalogue{{
    {1, Code39, "Code39", "Code &39 (Normal)", F::WidthModulated},
    {2, Code39FullAscii, "Code39FullAscii", "Code 39 (&Full ASCII)", F::WidthModulated},
    {3, UpcA, "UpcA", "&UPC-A    (12 digit)", F::UpcEan},
    {4, UpcE, "UpcE", "U&PC-E    (6 digit)", F::UpcEan},
    {5, UpcE1, "UpcE1", "UPC-E1", F::UpcEan},
    {6, Ean8, "Ean8", "&EAN-8", F::UpcEan},
    {7, Ean13, "Ean13", "E&AN-13", F::UpcEan},
    {8, BookLand, "BookLand", "&BookLand", F::UpcEan},
    {9, Interleaved2of5, "Interleaved2of5", "&Interleaved 2 of 5", F::WidthModulated},
    {10, Discrete2of5, "Discrete2of5", "&Discrete 2 of 5", F::WidthModulated},
    {11, Codabar, "Codabar", "&CodaBar", F::WidthModulated},
    {12, Code93, "Code93", "Code &93", F::ModuleBased},
    {13, Code128, "Code128", "Code &128", F::ModuleBased},
    {14, Gs1_128, "Gs1_128", "GS1-128 (UCC/EAN 1&28)", F::ModuleBased},
    {15, Pdf417, "Pdf417", "&PDF417", F::Stacked2D},
    {16, Aztec, "Aztec", "A&ztec Code", F::Matrix},
    {17, DataMatrix, "DataMatrix", "Data Matri&x", F::Matrix},
    {18, QrCode, "QrCode", "&QR Code", F::Matrix},
    {19, MsiPlessey, "MsiPlessey", "&MSI Plessey", F::WidthModulated},
    {20, DataBar, "DataBar", "GS1 Databar (&RSS-14)", F::DataBar},
    {21, DataBarStacked, "DataBarStacked", "GS1 Databar Stacked (RSS-14 &Stacked)", F::DataBar},
    {22, DataBarStackedOmni, "DataBarStackedOmni", "GS1 Databar Stacked Omni (RSS-14 Stacked &Omni)", F::DataBar},
    {23, DataBarLimited, "DataBarLimited", "GS1 Databar Limited (RSS &Limited)", F::DataBar},
    {24, Postnet, "Postnet", "POST&NET", F::PostalHeight},
    {25, Bpo4State, "Bpo4State", "BPO &4 State Code", F::Postal4State},
}};
}  // namespace

const SymbologyInfo& symbologyInfo(int code) {
    if (code < 1 || code > kSymbologyCount) code = 1;
    return kCatalogue[size_t(code - 1)];
}

int symbologyCodeByName(std::string_view name) {
    for (const auto& s : kCatalogue)
        if (s.name == name) return s.code;
    return 0;
}

}  // namespace quillet
