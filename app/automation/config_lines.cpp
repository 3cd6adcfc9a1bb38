#include "app/automation/config_lines.h"

#include <cfloat>
#include <type_traits>

#include "app/automation/numbering.h"
#include "app/model/symbology.h"

namespace quillet {

namespace {

// Counter widths as the command language limits them.
constexpr double kMaxCounterWidth = 3072;

using R = ConfigRecord;
using G = LineGroup;

constexpr double kIntMin = -2147483648.0;
constexpr double kIntMax = 2147483647.0;

template <typename T>
T fromNumber(double v) {
    if constexpr (std::is_same_v<T, bool>) return v != 0;
    else return static_cast<T>(v);
}

// A field of the record, or of one of its optional groups.
template <auto Field>
double getField(const R& r) { return double(r.*Field); }
template <auto Field>
bool setField(R& r, double v) {
    r.*Field = fromNumber<std::remove_reference_t<decltype(r.*Field)>>(v);
    return true;
}
template <auto Field>
constexpr NumberAccess field{&getField<Field>, &setField<Field>};

// A group missing from the record is written with its defaults.
template <auto Group, auto Field>
double getGroupField(const R& r) {
    const auto& g = r.*Group;
    using Type = typename std::remove_cvref_t<decltype(g)>::value_type;
    return double((g ? *g : Type{}).*Field);
}
template <auto Group, auto Field>
bool setGroupField(R& r, double v) {
    auto& g = r.*Group;
    using Type = typename std::remove_cvref_t<decltype(g)>::value_type;
    if (!g) g = Type{};
    (*g).*Field = fromNumber<std::remove_reference_t<decltype((*g).*Field)>>(v);
    return true;
}
template <auto Group, auto Field>
constexpr NumberAccess groupField{&getGroupField<Group, Field>, &setGroupField<Group, Field>};

// Raster switches are stored as 0 and 1; any nonzero number reads as 1.
template <auto Field>
bool setRasterSwitch(R& r, double v) { return setGroupField<&R::raster, Field>(r, v != 0 ? 1 : 0); }
template <auto Field>
constexpr NumberAccess rasterSwitch{&getGroupField<&R::raster, Field>, &setRasterSwitch<Field>};

// Written, not read back: a copy of another line, or a reserved zero.
template <auto Field>
constexpr NumberAccess copyOf{&getField<Field>, nullptr};
constexpr NumberAccess kZero{[](const R&) { return 0.0; }, nullptr};

constexpr NumberAccess kPlacement{
    [](const R& r) { return double((r.textAbove ? 1 : 0) | (r.commentAbove ? 2 : 0)); },
    [](R& r, double v) {
        const long long bits = static_cast<long long>(v);
        r.textAbove = (bits & 1) != 0;
        r.commentAbove = (bits & 2) != 0;
        return true;
    }};
// Any other value than inches or metric stands for printer dots.
constexpr NumberAccess kUnits{&getField<&R::unitMode>, [](R& r, double v) {
                                  r.unitMode = v == 1000 ? 1000 : v == 2540 ? 2540 : 0;
                                  return true;
                              }};
// Resolutions below 1 stand for "the printer reports none".
template <auto Field>
bool setResolution(R& r, double v) { return setField<Field>(r, v < 1 ? 300 : v); }
template <auto Field>
constexpr NumberAccess resolution{&getField<Field>, &setResolution<Field>};
constexpr NumberAccess kCharacterSet{&getField<&R::characterSet>, [](R& r, double v) {
                                         r.characterSet = v != 0 ? 1 : 0;
                                         return true;
                                     }};
constexpr NumberAccess kAztecSize{&getGroupField<&R::alignAztec, &R::AlignAztec::aztecSizeSpec>,
                                  [](R& r, double v) {
                                      const int s = int(v);
                                      if (!((s >= 0 && s <= 99) || (s >= 101 && s <= 104) || (s >= 201 && s <= 232)))
                                          return false;
                                      return setGroupField<&R::alignAztec, &R::AlignAztec::aztecSizeSpec>(r, v);
                                  }};
constexpr NumberAccess kDmEcc{&getGroupField<&R::dm, &DataMatrixOptions::dmEccCode>, [](R& r, double v) {
                                  const int e = int(v);
                                  if (e != 0 && e != 3 && e != 6 && e != 8 && e != 12 && e != 26) return false;
                                  return setGroupField<&R::dm, &DataMatrixOptions::dmEccCode>(r, v);
                              }};
// The shape in the high bits, the data format in the low three.
constexpr NumberAccess kDmShapeFormat{
    [](const R& r) {
        const DataMatrixOptions dm = r.dm.value_or(DataMatrixOptions{});
        return double(dm.dmShapeSize * 8 + (dm.dmDataFormat & 7));
    },
    [](R& r, double v) {
        const int shapeFormat = int(v);
        if ((shapeFormat & 7) < 1 || (shapeFormat & 7) > 6) return false;
        setGroupField<&R::dm, &DataMatrixOptions::dmDataFormat>(r, shapeFormat & 7);
        return setGroupField<&R::dm, &DataMatrixOptions::dmShapeSize>(r, shapeFormat / 8);
    }};
constexpr NumberAccess kBitsPerPixel{&getGroupField<&R::raster, &RasterOptions::rasterBitsPerPixel>,
                                     [](R& r, double v) {
                                         if (v != 1 && v != 8 && v != 24) return false;
                                         return setGroupField<&R::raster, &RasterOptions::rasterBitsPerPixel>(r, v);
                                     }};
// PNG filter codes are even: 0 all, 2 none ... 10 Paeth.
constexpr NumberAccess kPngFilter{&getGroupField<&R::raster, &RasterOptions::pngFilter>, [](R& r, double v) {
                                      if (int(v) % 2 != 0) return false;
                                      return setGroupField<&R::raster, &RasterOptions::pngFilter>(r, v);
                                  }};

// Line 6 holds the codes every reader knows: a DataBar Expanded symbology
// stands there as GS1-128, which carries the same GS1 data, and line 84
// holds the code itself.
constexpr NumberAccess kSymbologyLine{
    [](const R& r) {
        return double(r.symbology > kClassicSymbologyCount ? int(Symbology::Gs1_128) : r.symbology);
    },
    &setField<&R::symbology>};
// Pairs of segments, at most the 22 of one row.
constexpr NumberAccess kSegments{&getGroupField<&R::expanded, &R::DataBarExpanded::segments>, [](R& r, double v) {
                                     if (int(v) % 2 != 0) return false;
                                     return setGroupField<&R::expanded, &R::DataBarExpanded::segments>(r, v);
                                 }};

constexpr ConfigLine text(int line, std::string R::*f) { return {line, LineKind::Text, f, {}, 0, 0, G::Main}; }
// The header, the raw line and the reserved line carry no field.
constexpr ConfigLine fixed(int line, LineKind kind, G group = G::Main) { return {line, kind, nullptr, {}, 0, 0, group}; }
constexpr ConfigLine integer(int line, double lo, double hi, NumberAccess a, G group = G::Main) {
    return {line, LineKind::Integer, nullptr, a, lo, hi, group};
}
constexpr ConfigLine flag(int line, NumberAccess a, G group = G::Main) {
    return {line, LineKind::Flag, nullptr, a, kIntMin, kIntMax, group};
}
constexpr ConfigLine single(int line, NumberAccess a, G group = G::Main) {
    return {line, LineKind::Single, nullptr, a, -FLT_MAX, FLT_MAX, group};
}
constexpr ConfigLine real(int line, NumberAccess a, double lo = -DBL_MAX, double hi = DBL_MAX) {
    return {line, LineKind::Double, nullptr, a, lo, hi, G::Main};
}
// Lengths far beyond any file that is read; the text must still be there.
constexpr ConfigLine length(int line, std::string R::*f) {
    return {line, LineKind::Length, f, {}, 0, double(1LL << 40), G::Main};
}

constexpr ConfigLine kLines[] = {
    fixed(1, LineKind::Header),
    text(2, &R::messageFilePath),
    text(3, &R::barCodeFilePath),
    integer(4, 0, 2, field<&R::pdfCharacterSet>),
    flag(5, field<&R::messageFileOpen>),
    integer(6, 1, kClassicSymbologyCount, kSymbologyLine),
    flag(7, field<&R::transparent>),
    flag(8, field<&R::fixDriver>),
    integer(9, kIntMin, kIntMax, copyOf<&R::unitMode>),  // line 12 rules
    flag(10, field<&R::includeText>),
    integer(11, kIntMin, kIntMax, kPlacement),
    integer(12, kIntMin, kIntMax, kUnits),
    flag(13, field<&R::bearerBars>),
    text(14, &R::fontName),
    integer(15, 1, 1638, field<&R::fontSize>),
    flag(16, field<&R::bold>),
    flag(17, field<&R::italic>),
    flag(18, field<&R::underline>),
    flag(19, field<&R::strikeout>),
    flag(20, field<&R::autoFontScaling>),
    flag(21, field<&R::quietZones>),
    flag(22, copyOf<&R::bearerBars>),
    integer(23, 0, 2, field<&R::orientation>),
    integer(24, 0, 1, field<&R::saveMode>),
    flag(25, field<&R::optionalCheckDigit>),
    integer(26, kIntMin, kIntMax, kZero),
    integer(27, 0, 10, field<&R::ratioIndex>),
    text(28, &R::magnifyText),
    text(29, &R::nbWidthText),
    text(30, &R::bcHeightText),
    text(31, &R::supplementText),
    integer(32, 0, 9, field<&R::pdfSecurityLevel>),
    integer(33, 0, 2, field<&R::pdfSizeConstraint>),
    integer(34, 0, 4, field<&R::pdfCompaction>),
    integer(35, 0, 99, field<&R::pdfOverheadPercent>),
    flag(36, field<&R::pdfShowCodewords>),
    // Along the symbol's own axes; the record holds them so.
    integer(37, kIntMin, 99999, resolution<&R::dpiX>),
    integer(38, kIntMin, 99999, resolution<&R::dpiY>),
    flag(39, field<&R::printerWarnings>),
    flag(40, field<&R::messageWarnings>),
    integer(41, 0, 0xFFFFFF, field<&R::fontColour>),
    integer(42, 0, 0xFFFFFF, field<&R::foreColour>),
    integer(43, 0, 0xFFFFFF, field<&R::backColour>),
    integer(44, 3, 90, field<&R::pdfMaxRows>),
    integer(45, 1, 30, field<&R::pdfMaxColumns>),
    flag(46, field<&R::pdfTruncated>),
    integer(47, 0, 10, field<&R::startupRatioPosition>),
    integer(48, kIntMin, kIntMax, kCharacterSet),
    integer(49, 0, 31, field<&R::barWidthAdjust>),
    flag(50, field<&R::incEnabled>),
    // Unusable dimensions are refused by the build, as when they are typed.
    single(51, field<&R::pdfModuleWidth>),
    single(52, field<&R::pdfModuleHeight>),
    single(53, field<&R::magnification>),
    single(54, field<&R::narrowWidth>),
    single(55, field<&R::barHeight>),
    real(56, field<&R::pdfAspectRatio>),
    real(57, field<&R::incStart>),
    real(58, field<&R::incValue>),
    real(59, field<&R::incWidth>, 0, kMaxCounterWidth),
    length(60, &R::incPreamble),
    length(61, &R::incPostamble),
    length(62, &R::message),
    fixed(63, LineKind::Raw),

    integer(64, 0, 2, groupField<&R::alignAztec, &R::AlignAztec::commentAlign>, G::AlignAztec),
    integer(65, 0, 232, kAztecSize, G::AlignAztec),
    single(66, groupField<&R::alignAztec, &R::AlignAztec::matrixModuleSize>, G::AlignAztec),
    flag(67, groupField<&R::alignAztec, &R::AlignAztec::aztecMenuSymbol>, G::AlignAztec),

    integer(68, 0, 26, kDmEcc, G::DataMatrix),
    integer(69, 0, 30 * 8 + 7, kDmShapeFormat, G::DataMatrix),
    flag(70, groupField<&R::dm, &DataMatrixOptions::dmTranslateTildes>, G::DataMatrix),

    integer(71, 1, 24, kBitsPerPixel, G::Raster),
    integer(72, 20, 1440, groupField<&R::raster, &RasterOptions::rasterResolution>, G::Raster),
    integer(73, 0, 100, groupField<&R::raster, &RasterOptions::jpegQuality>, G::Raster),
    integer(74, 0, 10, kPngFilter, G::Raster),
    integer(75, kIntMin, kIntMax, rasterSwitch<&RasterOptions::pngInterlace>, G::Raster),
    integer(76, kIntMin, kIntMax, rasterSwitch<&RasterOptions::bmpCompression>, G::Raster),
    integer(77, kIntMin, kIntMax, rasterSwitch<&RasterOptions::tgaCompression>, G::Raster),
    integer(78, 0, 4, groupField<&R::raster, &RasterOptions::tiffCompression>, G::Raster),
    integer(79, kIntMin, kIntMax, rasterSwitch<&RasterOptions::gifCompression>, G::Raster),
    fixed(80, LineKind::Reserved, G::Raster),

    integer(81, 1, 10, groupField<&R::qr, &QrOptions::qrQuietZone>, G::Qr),
    integer(82, 0, 3, groupField<&R::qr, &QrOptions::qrEccLevel>, G::Qr),
    integer(83, 1, 3, groupField<&R::qr, &QrOptions::qrModel>, G::Qr),

    integer(84, 1, kSymbologyCount, groupField<&R::expanded, &R::DataBarExpanded::symbology>, G::DataBarExpanded),
    integer(85, 2, 22, kSegments, G::DataBarExpanded),
    flag(86, groupField<&R::textModes, &R::TextModes::utf8Text>, G::TextModes),
    flag(87, groupField<&R::textModes, &R::TextModes::gs1Mode>, G::TextModes),
};

}  // namespace

std::span<const ConfigLine> configLines() { return kLines; }

void clearConfigGroup(ConfigRecord& r, LineGroup group) {
    switch (group) {
    case G::Main: break;
    case G::AlignAztec: r.alignAztec.reset(); break;
    case G::DataMatrix: r.dm.reset(); break;
    case G::Raster: r.raster.reset(); break;
    case G::Qr: r.qr.reset(); break;
    case G::DataBarExpanded: r.expanded.reset(); break;
    case G::TextModes: r.textModes.reset(); break;
    }
}

}  // namespace quillet
