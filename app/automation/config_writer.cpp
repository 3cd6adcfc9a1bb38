// Writing a configuration: the settings as a record, and the record as the
// file's 83 lines.
#include <charconv>
#include <cmath>

#include "app/automation/config_record.h"
#include "app/model/app_state.h"

namespace quillet {

namespace {

const char kLineEnd[] = "\r\n";

// A line end inside a text line would shift every line after it; such
// characters are written as spaces.
std::string singleLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

// Whole numbers: a leading space unless negative; flags are -1 and 0.
std::string integerText(long long v) { return v < 0 ? std::to_string(v) : " " + std::to_string(v); }
std::string flagText(bool on) { return on ? "-1" : " 0"; }

// The shortest text that reads back as the same value.
template <typename T>
std::string numberText(T v) {
    if (!std::isfinite(v) || v == 0) return " 0";
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    std::string text(buf, r.ptr);
    return v < 0 ? text : " " + text;
}

struct Writer {
    std::string out;
    void text(const std::string& s) { out += singleLine(s) + kLineEnd; }
    void integer(long long v) { out += integerText(v) + kLineEnd; }
    void flag(bool on) { out += flagText(on) + kLineEnd; }
    template <typename T>
    void number(T v) { out += numberText(v) + kLineEnd; }
};

}  // namespace

ConfigRecord recordFromSettings(const AppState& app) {
    const SymbolSettings& s = app.settings;
    const NumberingOptions& n = s.numbering;
    ConfigRecord r;
    r.messageFilePath = n.messageFilePath;
    r.barCodeFilePath = app.barCodeFilePath;
    r.pdfCharacterSet = s.pdf.pdfCharacterSet;
    r.messageFileOpen = n.messageFileOpen;
    r.symbology = s.symbology;
    r.transparent = s.transparent;
    r.fixDriver = s.fixDriverIncompatibility;
    r.unitMode = s.unitMode;
    r.includeText = s.includeText;
    r.textAbove = s.textAbove;
    r.commentAbove = s.commentAbove;
    r.bearerBars = s.bearerBars;
    r.fontName = s.fontName;
    r.fontSize = s.fontSize;
    r.bold = s.bold;
    r.italic = s.italic;
    r.underline = s.underline;
    r.strikeout = s.strikeout;
    r.autoFontScaling = s.autoFontScaling;
    r.quietZones = s.quietZones;
    r.orientation = s.orientation;
    r.saveMode = s.raster.saveMode;
    r.optionalCheckDigit = s.optionalCheckDigit;
    r.ratioIndex = app.window.ratioIndex;
    r.magnifyText = app.window.magnifyText;
    r.nbWidthText = app.window.nbWidthText;
    r.bcHeightText = app.window.bcHeightText;
    r.supplementText = s.supplement;
    r.pdfSecurityLevel = s.pdf.pdfSecurityLevel;
    r.pdfSizeConstraint = s.pdf.pdfSizeConstraint;
    r.pdfCompaction = s.pdf.pdfCompaction;
    r.pdfOverheadPercent = s.pdf.pdfOverheadPercent;
    r.pdfShowCodewords = s.pdf.pdfShowCodewords;
    r.dpiX = s.effectiveDpiX;
    r.dpiY = s.effectiveDpiY;
    r.printerWarnings = s.printerWarnings;
    r.messageWarnings = s.messageWarnings;
    r.fontColour = s.fontColour;
    r.foreColour = s.foreColour;
    r.backColour = s.backColour;
    r.pdfMaxRows = s.pdf.pdfMaxRows;
    r.pdfMaxColumns = s.pdf.pdfMaxColumns;
    r.pdfTruncated = s.pdf.pdfTruncated;
    r.startupRatioPosition = app.startupRatioPosition;
    r.characterSet = s.characterSet;
    r.barWidthAdjust = s.barWidthAdjust;
    r.incEnabled = n.incEnabled;
    r.pdfModuleWidth = s.pdfModuleWidth;
    r.pdfModuleHeight = s.pdfModuleHeight;
    r.magnification = s.magnification;
    r.narrowWidth = s.narrowWidth;
    r.barHeight = s.barHeight;
    r.pdfAspectRatio = s.pdf.pdfAspectRatio;
    r.incStart = n.incStart;
    r.incValue = n.incValue;
    r.incWidth = n.incWidth;
    r.incPreamble = n.incPreamble;
    r.incPostamble = n.incPostamble;
    r.message = s.message;
    r.comment = s.comment;
    r.alignAztec = ConfigRecord::AlignAztec{s.commentAlign, s.aztec.aztecSizeSpec, s.matrixModuleSize,
                                            s.aztec.aztecMenuSymbol};
    r.dm = s.dm;
    r.raster = s.raster;
    r.qr = s.qr;
    return r;
}

std::string configurationText(const ConfigRecord& r) {
    Writer w;
    w.text(kConfigHeader);
    w.text(r.messageFilePath);
    w.text(r.barCodeFilePath);
    w.integer(r.pdfCharacterSet);
    w.flag(r.messageFileOpen);
    w.integer(r.symbology);
    w.flag(r.transparent);
    w.flag(r.fixDriver);
    w.integer(r.unitMode);
    w.flag(r.includeText);
    w.integer((r.textAbove ? 1 : 0) | (r.commentAbove ? 2 : 0));
    w.integer(r.unitMode);
    w.flag(r.bearerBars);
    w.text(r.fontName);
    w.integer(r.fontSize);
    w.flag(r.bold);
    w.flag(r.italic);
    w.flag(r.underline);
    w.flag(r.strikeout);
    w.flag(r.autoFontScaling);
    w.flag(r.quietZones);
    w.flag(r.bearerBars);
    w.integer(r.orientation);
    w.integer(r.saveMode);
    w.flag(r.optionalCheckDigit);
    w.integer(0);  // 26, reserved
    w.integer(r.ratioIndex);
    w.text(r.magnifyText);
    w.text(r.nbWidthText);
    w.text(r.bcHeightText);
    w.text(r.supplementText);
    w.integer(r.pdfSecurityLevel);
    w.integer(r.pdfSizeConstraint);
    w.integer(r.pdfCompaction);
    w.integer(r.pdfOverheadPercent);
    w.flag(r.pdfShowCodewords);
    w.integer(r.dpiX);
    w.integer(r.dpiY);
    w.flag(r.printerWarnings);
    w.flag(r.messageWarnings);
    w.integer(r.fontColour);
    w.integer(r.foreColour);
    w.integer(r.backColour);
    w.integer(r.pdfMaxRows);
    w.integer(r.pdfMaxColumns);
    w.flag(r.pdfTruncated);
    w.integer(r.startupRatioPosition);
    w.integer(r.characterSet);
    w.integer(r.barWidthAdjust);
    w.flag(r.incEnabled);
    w.number(r.pdfModuleWidth);
    w.number(r.pdfModuleHeight);
    w.number(r.magnification);
    w.number(r.narrowWidth);
    w.number(r.barHeight);
    w.number(r.pdfAspectRatio);
    w.number(r.incStart);
    w.number(r.incValue);
    w.number(r.incWidth);
    w.integer(static_cast<long long>(r.incPreamble.size()));
    w.integer(static_cast<long long>(r.incPostamble.size()));
    w.integer(static_cast<long long>(r.message.size()));
    // 63: the three texts back to back, then the comment on the same line.
    w.out += r.incPreamble + r.incPostamble + r.message;
    w.text(r.comment.value_or(std::string()));
    const ConfigRecord::AlignAztec a = r.alignAztec.value_or(ConfigRecord::AlignAztec{});
    w.number(a.commentAlign);
    w.number(a.aztecSizeSpec);
    w.number(a.matrixModuleSize);
    w.number(a.aztecMenuSymbol ? -1 : 0);
    const DataMatrixOptions dm = r.dm.value_or(DataMatrixOptions{});
    w.number(dm.dmEccCode);
    w.number(dm.dmShapeSize * 8 + (dm.dmDataFormat & 7));
    w.number(dm.dmTranslateTildes ? -1 : 0);
    const RasterOptions raster = r.raster.value_or(RasterOptions{});
    w.number(raster.rasterBitsPerPixel);
    w.number(raster.rasterResolution);
    w.number(raster.jpegQuality);
    w.number(raster.pngFilter);
    w.number(raster.pngInterlace);
    w.number(raster.bmpCompression);
    w.number(raster.tgaCompression);
    w.number(raster.tiffCompression);
    w.number(raster.gifCompression);
    w.number(0);  // 80, reserved
    const QrOptions qr = r.qr.value_or(QrOptions{});
    w.number(qr.qrQuietZone);
    w.number(qr.qrEccLevel);
    w.number(qr.qrModel);
    return w.out;
}

}  // namespace quillet
