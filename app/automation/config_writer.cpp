// Writing a configuration: the settings as a record, and the record as the
// file's 87 lines, line by line of the table.
#include <charconv>
#include <cmath>

#include "app/automation/config_lines.h"
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
    r.expanded = ConfigRecord::DataBarExpanded{s.symbology, s.dataBarSegments};
    r.textModes = ConfigRecord::TextModes{s.utf8Text, s.gs1Mode};
    return r;
}

std::string configurationText(const ConfigRecord& r) {
    std::string out;
    std::string raw;  // the texts line 63 carries, in the order of their lengths
    for (const ConfigLine& l : configLines()) {
        switch (l.kind) {
        case LineKind::Header: out += kConfigHeader; break;
        case LineKind::Text: out += singleLine(r.*l.text); break;
        case LineKind::Integer: out += integerText(static_cast<long long>(l.number.get(r))); break;
        case LineKind::Flag: out += flagText(l.number.get(r) != 0); break;
        case LineKind::Single: out += numberText(float(l.number.get(r))); break;
        case LineKind::Double: out += numberText(l.number.get(r)); break;
        case LineKind::Length:
            out += integerText(static_cast<long long>((r.*l.text).size()));
            raw += r.*l.text;
            break;
        case LineKind::Raw: out += raw + singleLine(r.comment.value_or(std::string())); break;
        case LineKind::Reserved: out += " 0"; break;
        }
        out += kLineEnd;
    }
    return out;
}

}  // namespace quillet
