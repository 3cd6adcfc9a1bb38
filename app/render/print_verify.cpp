#define ZX_USE_UTF8 1
#include "app/render/print_verify.h"

#include <ZXing/ReadBarcode.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/model/bar_pattern.h"
#include "app/model/symbology.h"
#include "app/render/build_copy.h"
#include "app/render/effective_dimensions.h"
#include "app/render/built_symbol_layout.h"
#include "platform/placeable.h"
#include "platform/renderer.h"

namespace quillet {

namespace {

constexpr double kUnitsPerInch = 2540.0;

// The picture's scale in dots per drawing unit along its own x and y.
struct PictureScale {
    double x = 0, y = 0;
};

PictureScale pictureScale(const SymbolSettings& s, int dpiX, int dpiY) {
    const bool vertical = isVertical(s);
    const DotScale k = dotScale(s, vertical ? dpiY : dpiX, vertical ? dpiX : dpiY);
    return {dpiX * (vertical ? k.along : k.across) / kUnitsPerInch, dpiY * (vertical ? k.across : k.along) / kUnitsPerInch};
}

// Dark spreads right and down by n dots (n > 0), or light does (n < 0).
void applyGrowth(ReflectanceImage& img, int n) {
    if (n == 0) return;
    const int reach = std::abs(n);
    auto pass = [&](bool horizontal) {
        std::vector<double> out(img.r.size());
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x) {
                double v = img.at(x, y);
                for (int i = 1; i <= reach; ++i) {
                    // Growth darkens a dot from the dots before it; shrinking lightens it from the dots after.
                    const int sx = horizontal ? (n > 0 ? x - i : x + i) : x, sy = horizontal ? y : (n > 0 ? y - i : y + i);
                    if (sx < 0 || sy < 0 || sx >= img.width || sy >= img.height) continue;
                    v = n > 0 ? std::min(v, img.at(sx, sy)) : std::max(v, img.at(sx, sy));
                }
                out[size_t(y) * size_t(img.width) + size_t(x)] = v;
            }
        img.r.swap(out);
    };
    pass(true);
    pass(false);
}

std::string decodeImage(const ReflectanceImage& img, int margin, bool& ok) {
    // The reader sees the picture on a white label.
    const int w = img.width + 2 * margin, h = img.height + 2 * margin;
    std::vector<uint8_t> lum(size_t(w) * size_t(h), 255);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            lum[size_t(y + margin) * size_t(w) + size_t(x + margin)] = uint8_t(std::lround(img.at(x, y) * 255.0));
    ZXing::DecodeHints hints;
    hints.setTryHarder(true).setTryRotate(true);
    hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Read);
    const ZXing::Result r = ZXing::ReadBarcode(ZXing::ImageView(lum.data(), w, h, ZXing::ImageFormat::Lum), hints);
    ok = r.isValid();
    if (!ok) return {};
    const auto& b = r.bytes();
    return std::string(b.begin(), b.end());
}

// What the symbol should decode to: UPC/EAN digits as printed (with the
// check digit and add-on), DataBar's digits, the message otherwise.
std::string expectedData(const SymbolSettings& s, const BuiltSymbol& symbol) {
    if (isUpcEan(s.symbology) || isDataBar(s.symbology)) {
        std::string digits;
        for (char c : symbol.text)
            if (c >= '0' && c <= '9') digits += c;
        return digits;
    }
    return s.message;
}

// Compares ignoring what readers add or drop around the data: UPC/EAN and
// DataBar by their digits, function characters not at all.
bool sameData(const SymbolSettings& s, const std::string& decoded, const std::string& expected) {
    if (isUpcEan(s.symbology) || isDataBar(s.symbology)) {
        std::string digits;
        for (char c : decoded)
            if (c >= '0' && c <= '9') digits += c;
        return digits.size() >= expected.size() && digits.find(expected.substr(0, std::min<size_t>(12, expected.size()))) !=
                                                       std::string::npos;
    }
    std::string plain;
    for (unsigned char c : expected)
        if (c < 128 || c > 131) plain += char(c);
    return decoded == plain || decoded.find(plain) != std::string::npos;
}

// Ten scan lines across the bars, spread over the height all bars share.
std::optional<ProfileGrade> gradeLinear(const SymbolSettings& s, const BuiltSymbol& symbol, const ReflectanceImage& img,
                                        PictureScale scale) {
    if (isPostal(s.symbology) || symbol.barPattern.empty()) return std::nullopt;
    const LinearLayout L = builtSymbolLayout(s, symbol);
    if (L.bars.empty() || narrowWidthUnits(s.narrowWidth) <= 0) return std::nullopt;
    int top = L.bars.front().top, bottom = L.bars.front().bottom;
    for (const Rect& r : L.bars) top = std::min(top, r.top), bottom = std::max(bottom, r.bottom);

    ExpectedElements expected;
    std::string elements = symbol.barPattern;
    while (!elements.empty() && isSpaceElement(elements.front())) elements.erase(elements.begin());
    while (!elements.empty() && isSpaceElement(elements.back())) elements.pop_back();
    for (char c : elements) {
        const int t = thirteenths(c);
        expected.modules.push_back(t < 0 ? double(L.WD) / narrowWidthUnits(s.narrowWidth) : t / 13.0);
    }
    const Family family = symbologyInfo(s.symbology).family;
    expected.twoWidth = family == Family::WidthModulated;
    expected.characterElements = (s.symbology == int(Symbology::Code128) || s.symbology == int(Symbology::Gs1_128) ||
                                  s.symbology == int(Symbology::Code93)) ? 6 : 0;
    expected.quietModules = family == Family::UpcEan ? 7 : 10;

    const bool vertical = isVertical(s);
    const int across = vertical ? img.height : img.width;
    std::vector<std::vector<double>> lines;
    for (int i = 0; i < 10; ++i) {
        // Depth into the bars from their top, in drawing units.
        const double depth = -top + (top - bottom) * (i + 0.5) / 10.0;
        int row = 0;
        if (!vertical) row = int(depth * scale.y);
        else if (s.orientation == Vertical90) row = int((L.T - depth) * scale.x);
        else row = int(depth * scale.x);
        std::vector<double> line(size_t(std::max(0, across)));
        for (int a = 0; a < across; ++a) {
            const int x = vertical ? std::clamp(row, 0, img.width - 1) : a;
            const int y = vertical ? a : std::clamp(row, 0, img.height - 1);
            line[size_t(a)] = img.at(x, y);
        }
        // At 270 degrees the bars run from the bottom of the picture up.
        if (s.orientation == Vertical270) std::reverse(line.begin(), line.end());
        lines.push_back(std::move(line));
    }
    return gradeProfiles(lines, expected);
}

// The module grid as printed: edges placed on the dot grid, reflectance
// sampled at module centres.
std::optional<MatrixGrade> gradeMatrixSymbol(const SymbolSettings& s, const BuiltSymbol& symbol,
                                             const ReflectanceImage& img, PictureScale scale, bool decoded) {
    const Symbology sym = Symbology(s.symbology);
    if ((sym != Symbology::DataMatrix && sym != Symbology::QrCode) || symbol.modules.rows < 1 || isVertical(s))
        return std::nullopt;
    const ModuleMatrix& g = symbol.modules;
    const int M = int(std::nearbyint(double(s.matrixModuleSize)));
    const int quiet = !s.quietZones ? 0 : sym == Symbology::DataMatrix ? 2 : s.qr.qrQuietZone;
    MatrixSamples m;
    m.decoded = decoded;
    m.quietModules = quiet;
    m.quietNeeded = sym == Symbology::DataMatrix ? 1 : 4;
    for (int c = 0; c <= g.cols; ++c) m.columnEdges.push_back(std::nearbyint((quiet + c) * M * scale.x));
    for (int r = 0; r <= g.rows; ++r) m.rowEdges.push_back(std::nearbyint((quiet + r) * M * scale.y));
    for (int r = 1; r <= g.rows; ++r)
        for (int c = 1; c <= g.cols; ++c) {
            const int x = int((m.columnEdges[size_t(c - 1)] + m.columnEdges[size_t(c)]) / 2);
            const int y = int((m.rowEdges[size_t(r - 1)] + m.rowEdges[size_t(r)]) / 2);
            if (x >= img.width || y >= img.height) continue;
            (g.at(r, c) ? m.darkCentres : m.lightCentres).push_back(img.at(x, y));
        }
    return gradeMatrix(m);
}

std::string pct(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.0f %%", v * 100.0);
    return buf;
}

std::string num(double v, int decimals) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

std::string item(const char* name, const std::string& value, int grade) {
    return std::string(name) + " " + value + " " + gradeLetter(grade);
}

std::string jsonItem(const char* name, double value, int grade) {
    return std::string("\"") + name + "\":{\"value\":" + num(value, 3) + ",\"grade\":\"" + gradeLetter(grade) + "\"}";
}

// The scan line that graded worst stands for the profile in reports.
const ScanLineGrade& worstLine(const ProfileGrade& p) {
    return *std::min_element(p.lines.begin(), p.lines.end(),
                             [](const ScanLineGrade& a, const ScanLineGrade& b) { return a.grade < b.grade; });
}

}  // namespace

std::optional<ReflectanceImage> printedReflectance(const SymbolSettings& s, const BuiltSymbol& symbol, int dpiX,
                                                   int dpiY, int printGrowth) {
    if (dpiX < 1 || dpiY < 1) return std::nullopt;
    const PictureScale k = pictureScale(s, dpiX, dpiY);
    const RecordedMetafile& m = symbol.metafile;
    const auto image = platform::renderToImage(platform::placeableMetafileBytes(m.records, m.xExt, m.yExt),
                                               k.x * kUnitsPerInch, k.y * kUnitsPerInch);
    if (!image) return std::nullopt;
    ReflectanceImage img{image->width, image->height, {}};
    img.r.resize(image->argb.size());
    // A red scanner light sees only the red channel.
    for (size_t i = 0; i < image->argb.size(); ++i) img.r[i] = double((image->argb[i] >> 16) & 0xFF) / 255.0;
    applyGrowth(img, printGrowth);
    return img;
}

VerifyResult verifySymbol(const SymbolSettings& s, const BuiltSymbol& symbol, const VerifyOptions& options) {
    VerifyResult v;
    const int dpiX = std::max(1, s.printerDpiX), dpiY = std::max(1, s.printerDpiY);
    const auto img = printedReflectance(s, symbol, dpiX, dpiY, options.printGrowth);
    if (!img) return v;
    v.rendered = true;
    v.expectedData = expectedData(s, symbol);
    v.decodedData = decodeImage(*img, std::max(dpiX, dpiY) / 4, v.decoded);
    v.dataMatches = v.decoded && sameData(s, v.decodedData, v.expectedData);
    const PictureScale scale = pictureScale(s, dpiX, dpiY);
    v.linear = gradeLinear(s, symbol, *img, scale);
    v.matrix = gradeMatrixSymbol(s, symbol, *img, scale, v.decoded);
    if (v.linear) v.grade = v.linear->grade;
    else if (v.matrix) v.grade = v.matrix->grade;
    else {
        // Other symbols: decoding and the contrast of the whole picture.
        const double rmax = *std::max_element(img->r.begin(), img->r.end());
        const double rmin = *std::min_element(img->r.begin(), img->r.end());
        v.grade = v.decoded ? symbolContrastGrade(rmax - rmin) : 0;
    }
    if (!v.dataMatches) v.grade = 0;
    v.accepted = v.dataMatches && v.grade >= options.minimumGrade;
    return v;
}

std::string verifyReportText(const VerifyResult& r) {
    if (!r.rendered) return "Simulated grade F: the symbol could not be rendered at the printer's resolution";
    std::string t = std::string("Simulated grade ") + gradeLetter(r.grade);
    if (r.linear) t += " (" + num(r.linear->meanGrade, 1) + ")";
    t += std::string(": decoded ") + (r.decoded ? (r.dataMatches ? "as expected" : "other data") : "nothing");
    if (r.linear && !r.linear->lines.empty()) {
        const ScanLineGrade& l = worstLine(*r.linear);
        t += "; worst of 10 scan lines: " + item("Rmin", pct(l.rmin.value), l.rmin.grade) + ", " +
             item("SC", pct(l.symbolContrast.value), l.symbolContrast.grade) + ", " +
             item("ECmin", pct(l.minEdgeContrast.value), l.minEdgeContrast.grade) + ", " +
             item("MOD", num(l.modulation.value, 2), l.modulation.grade) + ", " +
             item("defects", num(l.defects.value, 2), l.defects.grade) + ", " +
             item("decodability", num(l.decodability.value, 2), l.decodability.grade) + ", " +
             item("decode", l.decode.grade ? "pass" : "fail", l.decode.grade) + ", " +
             item("quiet zone", num(l.quietZone.value, 1) + " modules", l.quietZone.grade);
    }
    if (r.matrix) {
        const MatrixGrade& m = *r.matrix;
        t += "; " + item("SC", pct(m.symbolContrast.value), m.symbolContrast.grade) + ", " +
             item("MOD", num(m.modulation.value, 2), m.modulation.grade) + ", " +
             item("quiet zone", num(m.quietZone.value, 0) + " modules", m.quietZone.grade) + ", module " +
             num(m.moduleDotsX, 2) + " x " + num(m.moduleDotsY, 2) + " dots (" + std::to_string(m.minModuleDots) + "-" +
             std::to_string(m.maxModuleDots) + "), " + item("AN", num(m.axialNonUniformity.value, 3), m.axialNonUniformity.grade) +
             ", " + item("GN", num(m.gridNonUniformity.value, 3), m.gridNonUniformity.grade);
    }
    return t;
}

std::string verifyReportJson(const VerifyResult& r) {
    std::string j = std::string("{\"simulatedGrade\":\"") + gradeLetter(r.grade) + "\",\"decoded\":" +
                    (r.decoded ? "true" : "false") + ",\"dataMatches\":" + (r.dataMatches ? "true" : "false");
    if (r.linear && !r.linear->lines.empty()) {
        const ScanLineGrade& l = worstLine(*r.linear);
        j += ",\"meanGrade\":" + num(r.linear->meanGrade, 2) + ",\"worstScanLine\":{" + jsonItem("rmin", l.rmin.value, l.rmin.grade) +
             "," + jsonItem("symbolContrast", l.symbolContrast.value, l.symbolContrast.grade) + "," +
             jsonItem("minEdgeContrast", l.minEdgeContrast.value, l.minEdgeContrast.grade) + "," +
             jsonItem("modulation", l.modulation.value, l.modulation.grade) + "," +
             jsonItem("defects", l.defects.value, l.defects.grade) + "," +
             jsonItem("decodability", l.decodability.value, l.decodability.grade) + "," +
             jsonItem("decode", l.decode.value, l.decode.grade) + "," +
             jsonItem("quietZone", l.quietZone.value, l.quietZone.grade) + "}";
    }
    if (r.matrix) {
        const MatrixGrade& m = *r.matrix;
        j += ",\"matrix\":{" + jsonItem("symbolContrast", m.symbolContrast.value, m.symbolContrast.grade) + "," +
             jsonItem("modulation", m.modulation.value, m.modulation.grade) + "," +
             jsonItem("quietZone", m.quietZone.value, m.quietZone.grade) + ",\"moduleDotsX\":" + num(m.moduleDotsX, 3) +
             ",\"moduleDotsY\":" + num(m.moduleDotsY, 3) + "," +
             jsonItem("axialNonUniformity", m.axialNonUniformity.value, m.axialNonUniformity.grade) + "," +
             jsonItem("gridNonUniformity", m.gridNonUniformity.value, m.gridNonUniformity.grade) + "}";
    }
    return j + "}";
}

}  // namespace quillet
