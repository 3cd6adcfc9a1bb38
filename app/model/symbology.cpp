#include "app/model/symbology.h"

namespace quillet {

namespace {

// Option menu groups. The linear groups differ only in bearer bars and the
// optional check digit.
constexpr OptionMenus linearMenus(bool bearerBars, bool checkDigit) {
    OptionMenus m;
    m.commentAlign = m.includeText = m.textAbove = m.commentAbove = true;
    m.autoFontScaling = m.font = m.quietZones = true;
    m.barWidthReduction = m.units = true;
    m.bearerBars = bearerBars;
    m.optionalCheckDigit = checkDigit;
    return m;
}

constexpr OptionMenus expandedStackedMenus() {
    OptionMenus m = linearMenus(false, false);
    m.dataBarSegments = true;
    return m;
}

constexpr OptionMenus pdf417Menus() {
    OptionMenus m;
    m.commentAlign = m.commentAbove = m.font = m.quietZones = true;
    m.pdfOptions = m.pdfCharacterSet = m.barWidthReduction = m.units = true;
    return m;
}

enum class MatrixOptions { Aztec, DataMatrix, QrCode };

constexpr OptionMenus matrixMenus(MatrixOptions own) {
    OptionMenus m;
    m.commentAlign = m.commentAbove = m.font = m.barWidthReduction = m.units = true;
    m.aztecOptions = own == MatrixOptions::Aztec;
    m.dmOptions = own == MatrixOptions::DataMatrix;
    m.qrOptions = own == MatrixOptions::QrCode;
    return m;
}

constexpr OptionMenus kPostalMenus{};

using Sc = ScaleField;
using Ck = CheckDisplay;
using In = InsertList;

constexpr std::string_view kMessage = "Bar Code Message:";

constexpr FieldLayout barFields(ScaleField scale, CheckDisplay check, InsertList insert = In::Hidden) {
    return {kMessage, {}, scale, check, WidthField::NarrowWidth, HeightField::BarHeight, true, true, true, insert};
}

constexpr FieldLayout upcEanFields(std::string_view supplement, std::string_view message = kMessage) {
    return {message, supplement, Sc::Magnification, Ck::BarToBar, WidthField::NarrowWidth, HeightField::BarHeight,
            true, true, true, In::Hidden};
}

constexpr FieldLayout kDataBarFields{kMessage, "Composite Message:", Sc::None, Ck::TotalHeight,
                                     WidthField::NarrowWidth, HeightField::BarHeight, true, true, true, In::Hidden};
// DataBar Expanded holds GS1 data: the list offers FNC1 to end a
// variable-length field.
constexpr FieldLayout kDataBarExpandedFields{kMessage, "Composite Message:", Sc::None, Ck::TotalHeight,
                                             WidthField::NarrowWidth, HeightField::BarHeight, true, true, true,
                                             In::Fnc1};
// The supplement field shows the generated codewords.
constexpr FieldLayout kPdf417Fields{kMessage, "Generated Code Words", Sc::AspectRatio, Ck::None,
                                    WidthField::PdfModuleWidth, HeightField::PdfModuleHeight, true, true, true,
                                    In::Extended};
// A matrix symbol has one module size and no height; an Aztec height edit
// still goes to the PDF417 module height.
constexpr FieldLayout matrixFields(HeightField height, bool comment) {
    return {kMessage, {}, Sc::None, Ck::None, WidthField::MatrixModuleSize, height,
            true, false, comment, In::Extended};
}
// Postal symbols have a fixed size and no comment.
constexpr FieldLayout kPostalFields{kMessage, {}, Sc::None, Ck::None, WidthField::NarrowWidth,
                                    HeightField::BarHeight, false, false, false, In::Hidden};

using S = Symbology;
using F = Family;
using B = BuilderKind;

constexpr std::array<SymbologyInfo, kSymbologyCount> kTable{{
    {1, S::Code39, "Code &39 (Normal)", {"[CODE39]"}, F::WidthModulated, B::Linear,
     linearMenus(true, true), barFields(Sc::Ratio, Ck::OptionalCheckDigit)},
    {2, S::Code39FullAscii, "Code 39 (&Full ASCII)", {"[CODE39FULLASCII]"}, F::WidthModulated, B::Linear,
     linearMenus(true, true), barFields(Sc::Ratio, Ck::OptionalCheckDigit, In::Ascii)},
    {3, S::UpcA, "&UPC-A    (12 digit)", {"[UPCA]"}, F::UpcEan, B::Linear,
     linearMenus(false, false), upcEanFields("UPC Supplemental:")},
    {4, S::UpcE, "U&PC-E    (6 digit)", {"[UPCE]"}, F::UpcEan, B::Linear,
     linearMenus(false, false), upcEanFields("UPC Supplemental:")},
    {5, S::UpcE1, "UPC-E1", {"[UPCE1]"}, F::UpcEan, B::Linear,
     linearMenus(false, false), upcEanFields("UPC Supplemental:")},
    {6, S::Ean8, "&EAN-8", {"[EAN8]"}, F::UpcEan, B::Linear,
     linearMenus(false, false), upcEanFields("EAN Supplemental:")},
    {7, S::Ean13, "E&AN-13", {"[EAN13]"}, F::UpcEan, B::Linear,
     linearMenus(false, false), upcEanFields("EAN Supplemental:")},
    {8, S::BookLand, "&BookLand", {"[BOOKLAN]", "[BOOKLAND]"}, F::UpcEan, B::Linear,
     linearMenus(false, false), upcEanFields("Price/Supplemental:", "ISBN Number:")},
    {9, S::Interleaved2of5, "&Interleaved 2 of 5", {"[I2OF5]"}, F::WidthModulated, B::Linear,
     linearMenus(true, true), barFields(Sc::Ratio, Ck::None)},
    {10, S::Discrete2of5, "&Discrete 2 of 5", {"[D2OF5]"}, F::WidthModulated, B::Linear,
     linearMenus(true, false), barFields(Sc::Ratio, Ck::None)},
    {11, S::Codabar, "&CodaBar", {"[CODABAR]"}, F::WidthModulated, B::Linear,
     linearMenus(true, true), barFields(Sc::Ratio, Ck::None)},
    {12, S::Code93, "Code &93", {"[CODE93]"}, F::ModuleBased, B::Linear,
     linearMenus(true, false), barFields(Sc::None, Ck::CheckDigits, In::Ascii)},
    {13, S::Code128, "Code &128", {"[CODE128]"}, F::ModuleBased, B::Linear,
     linearMenus(true, false), barFields(Sc::None, Ck::CheckDigit, In::Code128Functions)},
    {14, S::Gs1_128, "GS1-128 (UCC/EAN 1&28)", {"[GS1-128]", "[GS1128]", "[EAN/UCC128]"}, F::ModuleBased,
     B::Linear, linearMenus(true, true), barFields(Sc::None, Ck::CheckDigit, In::Fnc1)},
    {15, S::Pdf417, "&PDF417", {"[PDF417]"}, F::Stacked2D, B::Pdf417, pdf417Menus(), kPdf417Fields},
    {16, S::Aztec, "A&ztec Code", {"[AZTEC]"}, F::Matrix, B::Aztec,
     matrixMenus(MatrixOptions::Aztec), matrixFields(HeightField::PdfModuleHeight, true)},
    {17, S::DataMatrix, "Data Matri&x", {"[DATAMATRIX]"}, F::Matrix, B::DataMatrix,
     matrixMenus(MatrixOptions::DataMatrix), matrixFields(HeightField::BarHeight, true)},
    {18, S::QrCode, "&QR Code", {"[QR]", "[QRCODE]"}, F::Matrix, B::QrCode,
     matrixMenus(MatrixOptions::QrCode), matrixFields(HeightField::BarHeight, false)},
    {19, S::MsiPlessey, "&MSI Plessey", {"[MSI]", "[PLESSEY]", "[MSIPLESSEY]"}, F::WidthModulated, B::Linear,
     linearMenus(false, true), barFields(Sc::Ratio, Ck::CheckDigit)},
    {20, S::DataBar, "GS1 Databar (&RSS-14)", {"[GS1-DATABAR]", "[GS1DATABAR]", "[RSS]", "[RSS14]"}, F::DataBar,
     B::DataBar, linearMenus(false, false), kDataBarFields},
    {21, S::DataBarStacked, "GS1 Databar Stacked (RSS-14 &Stacked)",
     {"[GS1DATABARSTACKED]", "[GS1-DATABAR-STACKED]", "[RSS14STACKED]", "[RSS14S]"}, F::DataBar,
     B::DataBarStacked, linearMenus(false, false), kDataBarFields},
    {22, S::DataBarStackedOmni, "GS1 Databar Stacked Omni (RSS-14 Stacked &Omni)",
     {"[GS1DATABARSTACKEDOMNI]", "[GS1-DATABAR-STACKED-OMNI]", "[RSS14STACKEDOMNI]", "[RSS14SO]"}, F::DataBar,
     B::DataBarStackedOmni, linearMenus(false, false), kDataBarFields},
    {23, S::DataBarLimited, "GS1 Databar Limited (RSS &Limited)",
     {"[GS1LIMITED]", "[GS1-LIMITED]", "[RSSLIMITED]", "[RSSLIM]"}, F::DataBar, B::DataBarLimited,
     linearMenus(false, false), kDataBarFields},
    {24, S::Postnet, "POST&NET", {"[ZIP]", "[POSTNET]"}, F::PostalHeight, B::Linear, kPostalMenus, kPostalFields},
    {25, S::Bpo4State, "BPO &4 State Code", {"[BPO]", "[BPO4SC]"}, F::Postal4State, B::Linear, kPostalMenus,
     kPostalFields},
    {26, S::DataBarExpanded, "&GS1 Databar Expanded (RSS Expanded)",
     {"[GS1DATABAREXPANDED]", "[GS1-DATABAR-EXPANDED]", "[RSSEXPANDED]", "[RSSEXP]"}, F::DataBar,
     B::DataBarExpanded, linearMenus(false, false), kDataBarExpandedFields},
    {27, S::DataBarExpandedStacked, "GS1 Databar Expanded Stac&ked (RSS Expanded Stacked)",
     {"[GS1DATABAREXPANDEDSTACKED]", "[GS1-DATABAR-EXPANDED-STACKED]", "[RSSEXPANDEDSTACKED]", "[RSSEXPS]"},
     F::DataBar, B::DataBarExpandedStacked, expandedStackedMenus(), kDataBarExpandedFields},
}};

constexpr bool codesInOrder() {
    for (size_t i = 0; i < kTable.size(); ++i)
        if (kTable[i].code != int(i) + 1 || int(kTable[i].symbology) != kTable[i].code) return false;
    return true;
}
static_assert(codesInOrder(), "row i holds code i + 1");

bool inFamily(int code, Family a, Family b) {
    const SymbologyInfo* row = findSymbology(code);
    return row && (row->family == a || row->family == b);
}

}  // namespace

std::span<const SymbologyInfo> symbologyTable() { return kTable; }

const SymbologyInfo* findSymbology(int code) {
    if (code < 1 || code > kSymbologyCount) return nullptr;
    return &kTable[size_t(code - 1)];
}

const SymbologyInfo& symbologyInfo(int code) {
    const SymbologyInfo* row = findSymbology(code);
    return row ? *row : kTable[0];
}

int symbologyCodeByKeyword(std::string_view key) {
    if (key.empty()) return 0;
    for (const SymbologyInfo& row : kTable)
        for (std::string_view k : row.keywords)
            if (k == key) return row.code;
    return 0;
}

bool isUpcEan(int code) { return inFamily(code, F::UpcEan, F::UpcEan); }
bool is2D(int code) { return inFamily(code, F::Stacked2D, F::Matrix); }
bool isDataBar(int code) { return inFamily(code, F::DataBar, F::DataBar); }
bool isPostal(int code) { return inFamily(code, F::PostalHeight, F::Postal4State); }

}  // namespace quillet
