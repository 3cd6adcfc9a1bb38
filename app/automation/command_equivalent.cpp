#include "app/automation/command_equivalent.h"

#include <algorithm>

#include "app/commands/window_startup.h"
#include "app/model/app_state.h"
#include "app/model/number_format.h"
#include "app/model/settings.h"
#include "app/model/symbology.h"
#include "app/render/scan_grade.h"
#include "platform/codepage.h"

namespace quillet {

namespace {

std::string onOff(bool on) { return on ? "ON" : "OFF"; }

std::string rgbValue(Colour c) {
    return std::to_string(c & 0xFF) + " " + std::to_string((c >> 8) & 0xFF) + " " + std::to_string((c >> 16) & 0xFF);
}

// Appends the commands that differ from the fresh start `d`.
struct Writer {
    const SymbolSettings& s;
    const SymbolSettings& d;
    std::string out = "[NEW]";

    void add(bool differs, const std::string& command) {
        if (differs) out += command;
    }
    void flag(bool SymbolSettings::*member, const char* name) {
        add(s.*member != d.*member, std::string("[") + name + "=" + onOff(s.*member) + "]");
    }
    void number(bool differs, const char* prefix, const std::string& value) {
        add(differs, std::string(prefix) + value + "]");
    }
};

const char* unitCommand(int unit) {
    switch (unit) {
    case UnitMetric: return "[METRIC]";
    case UnitPrinterDots: return "[DOTS]";
    default: return "[INCHES]";
    }
}

const char* orientationCommand(int orientation) {
    switch (orientation) {
    case Vertical90: return "[VERTDOWN]";
    case Vertical270: return "[VERTUP]";
    default: return "[HORIZONTAL]";
    }
}

const char* pngFilterCommand(int filter) {
    static const char* const names[] = {"[PNGALLFILTERS]", "[PNGNOFILTER]", "[PNGSUBFILTER]",
                                        "[PNGUPFILTER]",   "[PNGAVGFILTER]", "[PNGPAETHFILTER]"};
    return names[std::clamp(filter / 2, 0, 5)];
}

const char* tiffCommand(int code) {
    static const char* const names[] = {"[TIFFCOMPRESSION=OFF]", "[TIFFCOMPRESSION=LZW]",
                                        "[TIFFCOMPRESSION=PACKBITS]", "[TIFFCOMPRESSION=GROUP3]",
                                        "[TIFFCOMPRESSION=GROUP4]"};
    return names[std::clamp(code, 0, 4)];
}

int dmEccLevel(int code) {
    static constexpr std::pair<int, int> levels[] = {{0, 0}, {3, 50}, {6, 80}, {8, 100}, {12, 140}, {26, 200}};
    for (auto [c, level] : levels)
        if (c == code) return level;
    return 200;
}

// Dimensions go in the current unit, as precise as the commands read them.
std::string dimensionText(double value) { return formatNumber(value, "##0.0#"); }

void writeDimensions(Writer& w, const SymbolSettings& fresh) {
    const SymbolSettings& s = w.s;
    // A fresh start has a linear symbology, whose boxes are the narrow
    // width and the bar height.
    w.number(s.narrowWidth != fresh.narrowWidth, "[BARWIDTH=", dimensionText(widthToUnit(s, s.narrowWidth)));
    w.number(s.barHeight != fresh.barHeight, "[BARHEIGHT=", dimensionText(heightToUnit(s, s.barHeight)));
    w.number(s.ratio != fresh.ratio, "[RATIO=", formatNumber(s.ratio, "0.0"));
    w.number(s.pdfModuleWidth != fresh.pdfModuleWidth, "[PDFMODULEWIDTH=",
             dimensionText(widthToUnit(s, s.pdfModuleWidth)));
    w.number(s.pdfModuleHeight != fresh.pdfModuleHeight, "[PDFMODULEHEIGHT=",
             formatNumber(widthToUnit(s, s.pdfModuleHeight), "#0.0#"));
    w.number(s.matrixModuleSize != fresh.matrixModuleSize, "[DMMODULESIZE=",
             dimensionText(widthToUnit(s, s.matrixModuleSize)));
}

void writeText(Writer& w) {
    const SymbolSettings& s = w.s;
    w.add(s.message != w.d.message, "[MESSAGE=" + encodedValue(s.message) + "]");
    w.add(s.comment != w.d.comment, "[COMMENT=" + platform::ansiToUtf8(s.comment) + "]");
    // PDF417 shows its codewords there; they are made again by the build.
    if (s.supplement != w.d.supplement && s.symbology != int(Symbology::Pdf417)) {
        const bool digits = std::all_of(s.supplement.begin(), s.supplement.end(),
                                        [](char c) { return c >= '0' && c <= '9'; });
        w.add(true, digits ? "[SUPPLEMENT=" + encodedValue(s.supplement) + "]"
                           : "[COMPOSITE=" + platform::ansiToUtf8(s.supplement) + "]");
    }
}

void writeLook(Writer& w) {
    const SymbolSettings& s = w.s;
    const SymbolSettings& d = w.d;
    w.flag(&SymbolSettings::includeText, "TEXT");
    w.flag(&SymbolSettings::textAbove, "TEXTABOVE");
    w.flag(&SymbolSettings::commentAbove, "COMMENTABOVE");
    static const char* const aligns[] = {"[COMMENTALIGNLEFT]", "[COMMENTALIGNCENTER]", "[COMMENTALIGNRIGHT]"};
    w.add(s.commentAlign != d.commentAlign, aligns[std::clamp(s.commentAlign, 0, 2)]);
    w.add(s.fontName != d.fontName, "[FONTNAME=" + platform::ansiToUtf8(s.fontName) + "]");
    w.number(s.fontSize != d.fontSize, "[FONTSIZE=", std::to_string(s.fontSize));
    static const char* const styles[] = {"[FONTREGULAR]", "[FONTBOLD]", "[FONTITALIC]", "[FONTBOLDITALIC]"};
    w.add(s.bold != d.bold || s.italic != d.italic, styles[(s.bold ? 1 : 0) | (s.italic ? 2 : 0)]);
    w.flag(&SymbolSettings::underline, "UNDERLINE");
    w.flag(&SymbolSettings::strikeout, "STRIKEOUT");
    w.flag(&SymbolSettings::autoFontScaling, "FONTSCALING");
    w.number(s.fontColour != d.fontColour, "[FONTCOLORRGB=", rgbValue(s.fontColour));
    w.number(s.foreColour != d.foreColour, "[FORECOLORRGB=", rgbValue(s.foreColour));
    w.number(s.backColour != d.backColour, "[BACKCOLORRGB=", rgbValue(s.backColour));
    w.add(s.transparent && !d.transparent, "[TRANSPARENT]");
    w.flag(&SymbolSettings::quietZones, "QUIETZONES");
    w.flag(&SymbolSettings::bearerBars, "BEARERBARS");
    w.flag(&SymbolSettings::optionalCheckDigit, "CODE39CHECK");
    const int step = reductionStep(s) * 5;
    w.number(s.barWidthAdjust != d.barWidthAdjust, "[BARREDUCTION=", std::to_string(gainOn(s) ? -step : step));
    w.add(s.fixDriverIncompatibility != d.fixDriverIncompatibility,
          "[FIXDRIVER=" + onOff(s.fixDriverIncompatibility) + "]");
    w.flag(&SymbolSettings::messageWarnings, "MESSAGEWARNINGS");
    w.flag(&SymbolSettings::printerWarnings, "PRINTWARNINGS");
    w.flag(&SymbolSettings::gs1Mode, "GS1MODE");
    w.number(s.dataBarSegments != d.dataBarSegments, "[DATABARSEGMENTS=", std::to_string(s.dataBarSegments));
}

void writeMatrixOptions(Writer& w) {
    const SymbolSettings& s = w.s;
    const SymbolSettings& d = w.d;
    static const char* const modes[] = {"[PDFMODE=AUTOEBN]", "[PDFMODE=AUTOEB]", "[PDFMODE=EXC]", "[PDFMODE=BIN]",
                                        "[PDFMODE=NUM]"};
    w.add(s.pdf.pdfCompaction != d.pdf.pdfCompaction, modes[std::clamp(s.pdf.pdfCompaction, 0, 4)]);
    static const char* const sets[] = {"[PDFSET=DISPLAYSET]", "[PDFSET=ASCII]", "[PDFSET=ANSI]"};
    w.add(s.pdf.pdfCharacterSet != d.pdf.pdfCharacterSet, sets[std::clamp(s.pdf.pdfCharacterSet, 0, 2)]);
    if (s.pdf.pdfSecurityLevel != d.pdf.pdfSecurityLevel)
        w.add(true, s.pdf.pdfSecurityLevel == 9 ? std::string("[PDFSECURITY=AUTO]")
                                                : "[PDFSECURITY=" + std::to_string(s.pdf.pdfSecurityLevel) + "]");
    w.number(s.pdf.pdfOverheadPercent != d.pdf.pdfOverheadPercent, "[PDFOVERHEAD=",
             std::to_string(s.pdf.pdfOverheadPercent));
    w.number(s.pdf.pdfMaxRows != d.pdf.pdfMaxRows, "[PDFMAXROWS=", std::to_string(s.pdf.pdfMaxRows));
    w.number(s.pdf.pdfMaxColumns != d.pdf.pdfMaxColumns, "[PDFMAXCOLS=", std::to_string(s.pdf.pdfMaxColumns));
    w.number(s.pdf.pdfAspectRatio != d.pdf.pdfAspectRatio, "[PDFASPECT=",
             formatNumber(s.pdf.pdfAspectRatio, "0.0#########"));
    w.add(s.pdf.pdfTruncated != d.pdf.pdfTruncated, "[TRUNCATEDPDF=" + onOff(s.pdf.pdfTruncated) + "]");
    w.add(s.pdf.pdfShowCodewords != d.pdf.pdfShowCodewords, "[PDFCODEWORDS=" + onOff(s.pdf.pdfShowCodewords) + "]");
    w.number(s.aztec.aztecSizeSpec != d.aztec.aztecSizeSpec, "[AZTECECP=", std::to_string(s.aztec.aztecSizeSpec));
    w.add(s.aztec.aztecMenuSymbol != d.aztec.aztecMenuSymbol, "[AZTECMENU=" + onOff(s.aztec.aztecMenuSymbol) + "]");
    w.number(s.dm.dmEccCode != d.dm.dmEccCode, "[DMECC=", std::to_string(dmEccLevel(s.dm.dmEccCode)));
    w.number(s.dm.dmDataFormat != d.dm.dmDataFormat, "[DMFORMAT=", std::to_string(s.dm.dmDataFormat));
    w.add(s.dm.dmTranslateTildes != d.dm.dmTranslateTildes, "[DMSTANDARD=" + onOff(s.dm.dmTranslateTildes) + "]");
}

void writeOutput(Writer& w) {
    const RasterOptions& r = w.s.raster;
    const RasterOptions& d = w.d.raster;
    w.number(r.rasterBitsPerPixel != d.rasterBitsPerPixel, "[BITSPERPIXEL=", std::to_string(r.rasterBitsPerPixel));
    w.number(r.rasterResolution != d.rasterResolution, "[RASTERIMAGERESOLUTION=",
             std::to_string(r.rasterResolution));
    w.number(r.jpegQuality != d.jpegQuality, "[JPEGQUALITY=", std::to_string(r.jpegQuality));
    w.add(r.pngFilter != d.pngFilter, pngFilterCommand(r.pngFilter));
    w.add(r.pngInterlace != d.pngInterlace, "[PNGINTERLACE=" + onOff(r.pngInterlace) + "]");
    w.add(r.bmpCompression != d.bmpCompression, "[BMPCOMPRESSION=" + onOff(r.bmpCompression) + "]");
    w.add(r.tgaCompression != d.tgaCompression, "[TGACOMPRESSION=" + onOff(r.tgaCompression) + "]");
    w.add(r.gifCompression != d.gifCompression, "[GIFCOMPRESSION=" + onOff(r.gifCompression) + "]");
    w.add(r.tiffCompression != d.tiffCompression, tiffCommand(r.tiffCompression));
    w.add(r.saveMode != d.saveMode, r.saveMode == SaveModeBitmap ? "[SAVEMODEBMP]" : "[SAVEMODEMETA]");
    w.number(r.leftPrintMargin != d.leftPrintMargin, "[LEFTPRINTMARGIN=",
             formatNumber(r.leftPrintMargin, "0.0######"));
    w.number(r.topPrintMargin != d.topPrintMargin, "[TOPPRINTMARGIN=", formatNumber(r.topPrintMargin, "0.0######"));
}

void writeNumbering(Writer& w) {
    const NumberingOptions& n = w.s.numbering;
    const NumberingOptions& d = w.d.numbering;
    w.add(n.incPreamble != d.incPreamble, "[INCPREAMBLE=" + encodedValue(n.incPreamble) + "]");
    w.add(n.incPostamble != d.incPostamble, "[INCPOSTAMBLE=" + encodedValue(n.incPostamble) + "]");
    w.number(n.incValue != d.incValue, "[INCVALUE=", formatNumber(n.incValue, "0.##########"));
    w.number(n.incWidth != d.incWidth, "[INCWIDTH=", formatNumber(n.incWidth, "0"));
    w.add(n.incTarget != d.incTarget, n.incTarget == IncTargetSupplement ? "[INCSUPPLEMENT]" : "[INCMESSAGE]");
    w.number(n.incStart != d.incStart, "[INCSTART=", formatNumber(n.incStart, "0.##########"));
    // Enabling steps to the current number, which makes the message.
    w.add(n.incEnabled, "[INCENABLE]");
}

}  // namespace

std::string encodedValue(const std::string& bytes) {
    std::string out;
    bool quoted = false, afterCode = false;
    for (unsigned char c : bytes) {
        const bool plain = c >= 0x20 && c < 0x7F && c != '\'' && c != ']';
        if (plain != quoted) {
            if (quoted || plain) out += '\'';
            quoted = plain;
        }
        if (plain) {
            out += char(c);
            afterCode = false;
        } else {
            if (afterCode) out += ' ';
            out += std::to_string(c);
            afterCode = true;
        }
    }
    if (quoted) out += '\'';
    // An empty value reads as empty text.
    return out;
}

CommandEquivalent commandEquivalent(const AppState& app) {
    // What [NEW] leaves, the printer's resolution aside: that is always
    // written, as another computer's default printer may differ.
    AppState started;
    startMainWindow(started);
    const SymbolSettings& fresh = started.settings;
    const SymbolSettings& s = app.settings;
    Writer w{s, fresh};
    w.number(true, "[HORIZONTALDPI=", std::to_string(s.printerDpiX));
    w.number(true, "[VERTICALDPI=", std::to_string(s.printerDpiY));
    w.add(s.unitMode != fresh.unitMode, unitCommand(s.unitMode));
    w.add(s.orientation != fresh.orientation, orientationCommand(s.orientation));
    writeDimensions(w, fresh);
    // The character set decides how the message commands read their text.
    w.add(s.characterSet != fresh.characterSet, s.characterSet == CharsetAnsi ? "[DISPLAYANSI]" : "[DISPLAYASCII]");
    w.flag(&SymbolSettings::utf8Text, "UTF8");
    w.add(s.symbology != fresh.symbology, std::string(symbologyInfo(s.symbology).keywords[0]));
    if (isUpcEan(s.symbology))
        w.number(s.magnification != fresh.magnification, "[MAGNIFY=", formatNumber(s.magnification, "###"));
    writeLook(w);
    writeMatrixOptions(w);
    writeOutput(w);
    writeText(w);
    writeNumbering(w);
    // The check before printing: always written, as [NEW] leaves it alone.
    w.number(true, "[PRINTGROWTH=", std::to_string(app.verify.printGrowth));
    w.number(true, "[VERIFYMIN=", std::string(1, gradeLetter(app.verify.minimumGrade)));

    CommandEquivalent result{w.out, {}};
    if (!(s.qr == fresh.qr)) result.left.push_back("QR Code Advanced Options");
    if (s.dm.dmShapeSize != fresh.dm.dmShapeSize) result.left.push_back("Data Matrix symbol size");
    if (s.pdf.pdfSizeConstraint != fresh.pdf.pdfSizeConstraint) result.left.push_back("PDF417 size constraint");
    if (s.numbering.messageFileOpen) result.left.push_back("the open message file");
    return result;
}

}  // namespace quillet
