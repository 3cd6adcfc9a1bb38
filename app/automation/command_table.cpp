#include "app/automation/command_table.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "app/automation/command_values.h"
#include "app/automation/config_file.h"
#include "app/automation/execute_string.h"
#include "app/automation/message_file.h"
#include "app/automation/numbering.h"
#include "app/automation/verify_commands.h"
#include "app/commands/option_commands.h"
#include "app/commands/select_symbology.h"
#include "app/commands/utf8_character_set.h"
#include "app/commands/window_startup.h"
#include "app/model/app_state.h"
#include "app/model/number_format.h"
#include "app/model/symbol_fields.h"
#include "app/model/symbology.h"
#include "app/render/build_copy.h"
#include "app/render/builders.h"
#include "app/render/paste.h"
#include "app/render/print_symbol.h"
#include "app/render/save_symbol.h"

namespace quillet {

namespace {

// ---------------------------------------------------------------- actions

void emptyClipboard(AppState& app) {
    if (app.clipboard) app.clipboard->empty();
}

bool pictureOnClipboard(AppState& app) { return app.clipboard && app.clipboard->metafilePict().has_value(); }

// Build/Copy on an emptied clipboard; it succeeded when a picture is there.
bool buildOnEmptyClipboard(AppState& app) {
    emptyClipboard(app);
    BuildCopy(app);
    return pictureOnClipboard(app);
}

bool selected(const AppState& app, Symbology s) { return Symbology(app.settings.symbology) == s; }

std::optional<std::string> clipboardText(AppState& app) {
    if (!app.clipboard) return std::nullopt;
    return app.clipboard->text();
}

bool pasteMessage(AppState& app) {
    auto text = clipboardText(app);
    if (!text) return false;
    setMessage(app, *text);
    return true;
}

bool buildCopy(AppState& app, int) { return buildOnEmptyClipboard(app); }

// A FIM pattern is drawn like its menu item does, leaving the symbology as
// it is.
bool buildFim(AppState& app, int index) {
    emptyClipboard(app);
    BuildFimPattern(app, index);
    return pictureOnClipboard(app);
}

bool paste(AppState& app, int) { return pasteMessage(app); }
bool pasteData(AppState& app, int) { return MPaste_Click(app); }
bool pasteBuildCopy(AppState& app, int) { return pasteMessage(app) && buildOnEmptyClipboard(app); }

bool copyMessage(AppState& app, int) {
    if (!app.clipboard) return false;
    const std::string& m = app.settings.message;
    app.clipboard->setText(m.empty() ? app.window.messageField : m);
    return true;
}

bool copyComment(AppState& app, int) {
    if (!app.clipboard) return false;
    app.clipboard->setText(app.settings.comment);
    return true;
}

bool pasteComment(AppState& app, int) {
    auto text = clipboardText(app);
    if (!text) return false;
    app.settings.comment = *text;
    return true;
}

// Printing needs a built symbol; asking without one cannot be carried out.
bool print(AppState& app, int eject) { return app.settings.symbolBuilt && PrintSymbol(app, eject != 0); }
bool ejectPage(AppState& app, int) { return EjectPage(app); }

bool saveBarCode(AppState& app, int) {
    return app.output.saveEnabled && SaveSymbolImage(app, app.barCodeFilePath);
}

bool newSettings(AppState& app, int) {
    startMainWindow(app);
    return true;
}

bool saveConfig(AppState& app, int) { return SaveConfigurationCommand(app); }

bool closeMessageFile(AppState& app, int) {
    if (!app.settings.numbering.messageFileOpen) return false;
    CloseMessageFile(app);
    return true;
}

bool stepMessage(AppState& app, int delta) {
    if (!app.window.nextPrevVisible) return false;
    const bool stepped = StepMessage(app, delta);
    BuildCopy(app);
    return stepped;
}

bool incEnable(AppState& app, int) {
    app.settings.numbering.incEnabled = true;
    app.window.nextPrevVisible = true;
    const bool stepped = StepMessage(app, 0);
    return buildOnEmptyClipboard(app) && stepped;
}

bool incDisable(AppState& app, int) {
    app.settings.numbering.incEnabled = false;
    if (!app.settings.numbering.messageFileOpen) {
        app.window.nextPrevVisible = false;
        return false;
    }
    const bool stepped = StepMessage(app, 0);
    return buildOnEmptyClipboard(app) && stepped;
}

bool incTarget(AppState& app, int target) {
    app.settings.numbering.incTarget = target;
    return true;
}

bool beep(AppState& app, int) {
    if (app.ui) app.ui->beep();
    return true;
}

bool minimise(AppState& app, int on) {
    app.window.minimised = on != 0;
    return true;
}

bool appExit(AppState& app, int) {
    app.exitOnClose = true;
    return true;
}

// --------------------------------------------------------------- switches

bool includeText(AppState& app, int on) {
    if (app.settings.includeText != bool(on)) setIncludeText(app, on);
    return true;
}
bool textAbove(AppState& app, int on) {
    if (app.settings.textAbove != bool(on)) setTextAbove(app, on);
    return true;
}
bool commentAbove(AppState& app, int on) {
    if (app.settings.commentAbove != bool(on)) setCommentAbove(app, on);
    return true;
}
bool commentAlign(AppState& app, int align) {
    setCommentAlign(app, align);
    return true;
}
bool characterSet(AppState& app, int set) {
    setCharacterSet(app, set);
    return true;
}
bool bearerBars(AppState& app, int on) {
    if (app.settings.bearerBars != bool(on)) setBearerBars(app, on);
    return true;
}
bool quietZones(AppState& app, int on) {
    if (app.settings.quietZones != bool(on)) setQuietZones(app, on);
    return true;
}
bool checkDigit(AppState& app, int on) {
    if (app.settings.optionalCheckDigit != bool(on)) setOptionalCheckDigit(app, on);
    return true;
}
bool fixDriver(AppState& app, int on) {
    setFixDriver(app, on);
    return true;
}
bool utf8Text(AppState& app, int on) { return setUtf8Text(app, on != 0); }
bool gs1Mode(AppState& app, int on) {
    setGs1Mode(app, on != 0);
    return true;
}
bool messageWarnings(AppState& app, int on) {
    setMessageWarnings(app, on);
    return true;
}
bool printWarnings(AppState& app, int on) {
    setPrinterWarnings(app, on);
    return true;
}
bool orientation(AppState& app, int o) {
    setOrientation(app, o);
    return true;
}
bool units(AppState& app, int mode) {
    setUnits(app, mode);
    return true;
}
bool fontStyle(AppState& app, int bits) {
    setFontStyle(app, bits & 1, bits & 2);
    return true;
}
bool underline(AppState& app, int on) {
    setUnderline(app, on);
    return true;
}
bool strikeout(AppState& app, int on) {
    setStrikeout(app, on);
    return true;
}
bool fontScaling(AppState& app, int on) {
    setFontScaling(app, on);
    return true;
}
bool transparent(AppState& app, int) {
    setTransparent(app);
    return true;
}

// Settings of the 2-D options: store and rebuild.
bool aztecMenu(AppState& app, int on) {
    app.settings.aztec.aztecMenuSymbol = on;
    rebuildIfBuilt(app);
    return true;
}
bool dmStandard(AppState& app, int on) {
    app.settings.dm.dmTranslateTildes = on;
    rebuildIfBuilt(app);
    return true;
}
bool pdfCharacterSet(AppState& app, int set) {
    app.settings.pdf.pdfCharacterSet = set;
    rebuildIfBuilt(app);
    return true;
}
bool pdfSecurityAuto(AppState& app, int) {
    app.settings.pdf.pdfSecurityLevel = 9;
    rebuildIfBuilt(app);
    return true;
}
bool pdfMode(AppState& app, int mode) {
    app.settings.pdf.pdfCompaction = mode;
    rebuildIfBuilt(app);
    return true;
}
bool pdfCodewords(AppState& app, int on) {
    app.settings.pdf.pdfShowCodewords = on;
    // The display holds the codewords of the last build; without them it is empty.
    if (!on && selected(app, Symbology::Pdf417)) setSupplement(app, "");
    rebuildIfBuilt(app);
    return true;
}
bool truncatedPdf(AppState& app, int on) {
    app.settings.pdf.pdfTruncated = on;
    rebuildIfBuilt(app);
    return true;
}

// Raster export and save mode: no effect on the symbol itself.
bool bitsPerPixel(AppState& app, int bits) {
    app.settings.raster.rasterBitsPerPixel = bits;
    return true;
}
bool pngInterlace(AppState& app, int on) {
    app.settings.raster.pngInterlace = on;
    return true;
}
bool bmpCompression(AppState& app, int on) {
    app.settings.raster.bmpCompression = on;
    return true;
}
bool gifCompression(AppState& app, int on) {
    app.settings.raster.gifCompression = on;
    return true;
}
bool tgaCompression(AppState& app, int on) {
    app.settings.raster.tgaCompression = on;
    return true;
}
bool tiffCompression(AppState& app, int code) {
    app.settings.raster.tiffCompression = code;
    return true;
}
bool pngFilter(AppState& app, int code) {
    app.settings.raster.pngFilter = code;
    return true;
}
bool saveMode(AppState& app, int mode) {
    app.settings.raster.saveMode = mode;
    return true;
}

using Action = bool (*)(AppState&, int);

struct Keyword {
    std::string_view key;
    Action action;
    int arg;
    bool setting;  // a successful command marks the configuration changed
};

constexpr Keyword kKeywords[] = {
    // Building, clipboard, printing, saving.
    {"[BUILD/COPY]", buildCopy, 0, false},
    {"[BUILDCOPY]", buildCopy, 0, false},
    {"[FIMA]", buildFim, 1, false},
    {"[FIMB]", buildFim, 2, false},
    {"[FIMC]", buildFim, 3, false},
    {"[PASTE]", paste, 0, true},
    {"[PASTEMESSAGE]", paste, 0, true},
    {"[PASTE/BUILD/COPY]", pasteBuildCopy, 0, true},
    {"[PASTEDATA]", pasteData, 0, true},
    {"[COPYMESSAGE]", copyMessage, 0, false},
    {"[COPYCOMMENT]", copyComment, 0, false},
    {"[PASTECOMMENT]", pasteComment, 0, true},
    {"[PRINT]", print, 1, false},
    {"[PRINTNOEJECT]", print, 0, false},
    {"[EJECTPAGE]", ejectPage, 0, false},
    {"[VERIFY]", verifyCommand, 0, false},
    {"[SAVEBARCODE]", saveBarCode, 0, false},
    {"[SAVEMODEMETA]", saveMode, SaveModeMetafile, true},
    {"[SAVEMODEBMP]", saveMode, SaveModeBitmap, true},
    {"[TRANSPARENT]", transparent, 0, true},

    // Files, incrementing, the application.
    {"[NEW]", newSettings, 0, false},
    {"[SAVECONFIG]", saveConfig, 0, false},
    {"[CLOSEMSGFILE]", closeMessageFile, 0, true},
    {"[NEXT]", stepMessage, 1, false},
    {"[PREVIOUS]", stepMessage, -1, false},
    {"[PREV]", stepMessage, -1, false},
    {"[INCENABLE]", incEnable, 0, true},
    {"[INCDISABLE]", incDisable, 0, true},
    {"[INCMESSAGE]", incTarget, IncTargetMessage, true},
    {"[INCSUPPLEMENT]", incTarget, IncTargetSupplement, true},
    {"[BEEP]", beep, 0, false},
    {"[APPNORMAL]", minimise, 0, false},
    {"[APPMINIMIZE]", minimise, 1, false},
    {"[APPEXIT]", appExit, 0, false},

    // Display and option switches.
    {"[TEXT=ON]", includeText, 1, true},
    {"[TEXT=OFF]", includeText, 0, true},
    {"[TEXTABOVE=ON]", textAbove, 1, true},
    {"[TEXTABOVE=OFF]", textAbove, 0, true},
    {"[COMMENTABOVE=ON]", commentAbove, 1, true},
    {"[COMMENTABOVE=OFF]", commentAbove, 0, true},
    {"[COMMENTALIGNLEFT]", commentAlign, AlignLeft, true},
    {"[COMMENTALIGNCENTER]", commentAlign, AlignCentre, true},
    {"[COMMENTALIGNRIGHT]", commentAlign, AlignRight, true},
    {"[DISPLAYASCII]", characterSet, CharsetAscii, true},
    {"[DISPLAYANSI]", characterSet, CharsetAnsi, true},
    {"[UTF8=ON]", utf8Text, 1, true},
    {"[UTF8=OFF]", utf8Text, 0, true},
    {"[GS1MODE=ON]", gs1Mode, 1, true},
    {"[GS1MODE=OFF]", gs1Mode, 0, true},
    {"[PDFSET=DISPLAYSET]", pdfCharacterSet, 0, true},
    {"[PDFSET=ASCII]", pdfCharacterSet, 1, true},
    {"[PDFSET=ANSI]", pdfCharacterSet, 2, true},
    {"[BEARERBARS=ON]", bearerBars, 1, true},
    {"[BEARERBARS=OFF]", bearerBars, 0, true},
    {"[QUIETZONES=ON]", quietZones, 1, true},
    {"[QUIETZONES=OFF]", quietZones, 0, true},
    {"[CODE39CHECK=ON]", checkDigit, 1, true},
    {"[I2OF5CHECK=ON]", checkDigit, 1, true},
    {"[CODE39CHECK=OFF]", checkDigit, 0, true},
    {"[I2OF5CHECK=OFF]", checkDigit, 0, true},
    {"[FIXDRIVER=ON]", fixDriver, 1, true},
    {"[FIXDRIVER=OFF]", fixDriver, 0, true},
    {"[MESSAGEWARNINGS=ON]", messageWarnings, 1, true},
    {"[MESSAGEWARNINGS=OFF]", messageWarnings, 0, true},
    {"[PRINTWARNINGS=ON]", printWarnings, 1, true},
    {"[PRINTWARNINGS=OFF]", printWarnings, 0, true},
    {"[HORIZONTAL]", orientation, Horizontal, true},
    {"[VERTDOWN]", orientation, Vertical90, true},
    {"[VERTUP]", orientation, Vertical270, true},
    {"[INCHES]", units, UnitInches, true},
    {"[METRIC]", units, UnitMetric, true},
    {"[DOTS]", units, UnitPrinterDots, true},
    {"[FONTREGULAR]", fontStyle, 0, true},
    {"[FONTBOLD]", fontStyle, 1, true},
    {"[FONTITALIC]", fontStyle, 2, true},
    {"[FONTBOLDITALIC]", fontStyle, 3, true},
    {"[UNDERLINE=ON]", underline, 1, true},
    {"[UNDERLINE=OFF]", underline, 0, true},
    {"[STRIKEOUT=ON]", strikeout, 1, true},
    {"[STRIKEOUT=OFF]", strikeout, 0, true},
    {"[FONTSCALING=ON]", fontScaling, 1, true},
    {"[FONTSCALING=OFF]", fontScaling, 0, true},
    {"[AZTECMENU=ON]", aztecMenu, 1, true},
    {"[AZTECMENU=OFF]", aztecMenu, 0, true},
    {"[DMSTANDARD=ON]", dmStandard, 1, true},
    {"[DMSTANDARD=OFF]", dmStandard, 0, true},
    {"[PDFSECURITY=AUTO]", pdfSecurityAuto, 0, true},
    {"[PDFMODE=AUTOEBN]", pdfMode, 0, true},
    {"[PDFMODE=AUTOEB]", pdfMode, 1, true},
    {"[PDFMODE=EXC]", pdfMode, 2, true},
    {"[PDFMODE=BIN]", pdfMode, 3, true},
    {"[PDFMODE=NUM]", pdfMode, 4, true},
    {"[PDFCODEWORDS=ON]", pdfCodewords, 1, true},
    {"[PDFCODEWORDS=OFF]", pdfCodewords, 0, true},
    {"[TRUNCATEDPDF=ON]", truncatedPdf, 1, true},
    {"[TRUNCATEDPDF=OFF]", truncatedPdf, 0, true},
    {"[BITSPERPIXEL=1]", bitsPerPixel, 1, true},
    {"[BITSPERPIXEL=8]", bitsPerPixel, 8, true},
    {"[BITSPERPIXEL=24]", bitsPerPixel, 24, true},
    {"[PNGINTERLACE=ON]", pngInterlace, 1, true},
    {"[PNGINTERLACE=OFF]", pngInterlace, 0, true},
    {"[BMPCOMPRESSION=ON]", bmpCompression, 1, true},
    {"[BMPCOMPRESSION=OFF]", bmpCompression, 0, true},
    {"[GIFCOMPRESSION=ON]", gifCompression, 1, true},
    {"[GIFCOMPRESSION=OFF]", gifCompression, 0, true},
    {"[TGACOMPRESSION=ON]", tgaCompression, 1, true},
    {"[TGACOMPRESSION=OFF]", tgaCompression, 0, true},
    {"[TIFFCOMPRESSION=OFF]", tiffCompression, TiffNone, true},
    {"[TIFFCOMPRESSION=LZW]", tiffCompression, TiffLzw, true},
    {"[TIFFCOMPRESSION=PACKBITS]", tiffCompression, TiffPackBits, true},
    {"[TIFFCOMPRESSION=GROUP3]", tiffCompression, TiffGroup3, true},
    {"[TIFFCOMPRESSION=GROUP4]", tiffCompression, TiffGroup4, true},
    {"[PNGALLFILTERS]", pngFilter, 0, true},
    {"[PNGNOFILTER]", pngFilter, 2, true},
    {"[PNGSUBFILTER]", pngFilter, 4, true},
    {"[PNGUPFILTER]", pngFilter, 6, true},
    {"[PNGAVGFILTER]", pngFilter, 8, true},
    {"[PNGPAETHFILTER]", pngFilter, 10, true},
};

// ----------------------------------------------------------- value commands

// A field holds at most five characters, so typed dimensions stay below
// 100000 in any unit; larger commanded values are refused rather than
// stored, as no drawing could use them.
constexpr double kDimensionLimit = 100000.0;

std::optional<double> dimension(const std::string& value) {
    auto v = parseNumber(value);
    if (!v || std::fabs(*v) >= kDimensionLimit) return std::nullopt;
    return v;
}

bool message(AppState& app, const std::string& v, int) {
    setMessage(app, decodeValue(v));
    return true;
}

bool literalMessage(AppState& app, const std::string& v, int build) {
    setMessage(app, v);
    return !build || buildOnEmptyClipboard(app);
}

bool comment(AppState& app, const std::string& v, int) {
    app.settings.comment = v;
    return true;
}

bool supplement(AppState& app, const std::string& v, int) {
    if (selected(app, Symbology::Pdf417)) return false;
    std::string digits = decodeValue(v);
    for (char c : digits)
        if (c < '0' || c > '9') return false;
    setSupplement(app, digits);
    return true;
}

bool composite(AppState& app, const std::string& v, int) {
    setSupplement(app, v);
    return true;
}

bool barWidth(AppState& app, const std::string& v, int) {
    auto n = dimension(v);
    if (!n) return false;
    setNBWidthText(app, formatNumber(*n, "##0.0#"));
    app.settings.changed = true;
    rebuildIfBuilt(app);
    return true;
}

bool barHeight(AppState& app, const std::string& v, int) {
    if (selected(app, Symbology::Pdf417)) return false;
    auto n = dimension(v);
    if (!n) return false;
    setBCHeightText(app, formatNumber(*n, "##0.0#"));
    app.settings.changed = true;
    rebuildIfBuilt(app);
    return true;
}

bool ratio(AppState& app, const std::string& v, int) {
    auto n = parseNumber(v);
    if (!n) return false;
    const std::string text = formatNumber(*n, "0.0");
    const auto entries = ratioListEntries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == text) {
            if (app.window.ratioList.empty()) app.window.ratioList = entries;
            selectRatio(app, int(i));
            rebuildIfBuilt(app);
            return true;
        }
    }
    return false;
}

bool magnify(AppState& app, const std::string& v, int) {
    if (!isUpcEan(app.settings.symbology)) return false;
    auto n = dimension(v);
    if (!n) return false;
    setMagnifyText(app, formatNumber(*n, "###"), true);
    rebuildIfBuilt(app);
    return true;
}

bool barReduction(AppState& app, const std::string& v, int) {
    auto n = parseNumber(v);
    if (!n) return false;
    const double q = std::trunc(*n / 5.0);
    if (std::fabs(q) >= 16) return false;
    setBarWidthAdjust(app, int(std::fabs(q)), *n < 0);
    return true;
}

// Module dimensions: formatted like the field, then converted from the
// current unit (printer dots across the bars for all of them).
enum ModuleField { PdfWidth, PdfHeight, AztecSize, DmSize };

bool moduleDimension(AppState& app, const std::string& v, int field) {
    auto n = dimension(v);
    if (!n) return false;
    SymbolSettings& s = app.settings;
    const std::string text = formatNumber(*n, field == PdfHeight ? "#0.0#" : "##0.0#");
    const float units = widthFromUnit(s, numericFieldValue(text));
    switch (field) {
    case PdfWidth:
        s.pdfModuleWidth = units;
        if (selected(app, Symbology::Pdf417)) setNBWidthText(app, text);
        break;
    case PdfHeight:
        s.pdfModuleHeight = units;
        if (selected(app, Symbology::Pdf417)) setBCHeightText(app, text);
        break;
    case AztecSize:
        s.matrixModuleSize = units;
        if (selected(app, Symbology::Aztec)) setNBWidthText(app, text);
        break;
    default:
        s.matrixModuleSize = units;
        if (selected(app, Symbology::DataMatrix)) setNBWidthText(app, text);
        break;
    }
    rebuildIfBuilt(app);
    return true;
}

bool pdfAspect(AppState& app, const std::string& v, int) {
    auto n = parseNumber(v);
    if (!n) return false;
    app.settings.pdf.pdfAspectRatio = *n;
    if (selected(app, Symbology::Pdf417)) app.window.magnifyText = formatNumber(*n, "#0.0##");
    rebuildIfBuilt(app);
    return true;
}

// Integer settings with a refusal range.
enum IntSetting { PdfOverhead, PdfSecurity, PdfMaxCols, PdfMaxRows, AztecEcp, DmFormat, DmEcc, DataBarSegments };

bool intSetting(AppState& app, const std::string& v, int which) {
    auto n = parseInteger(v);
    if (!n) return false;
    const int x = *n;
    SymbolSettings& s = app.settings;
    switch (which) {
    case PdfOverhead:
        if (x < 0 || x >= 100) return false;
        s.pdf.pdfOverheadPercent = x;
        break;
    case PdfSecurity:
        if (x < 0 || x >= 9) return false;
        s.pdf.pdfSecurityLevel = x;
        break;
    case PdfMaxCols:
        if (x <= 0 || x >= 31) return false;
        s.pdf.pdfMaxColumns = x;
        break;
    case PdfMaxRows:
        if (x <= 2 || x >= 91) return false;
        s.pdf.pdfMaxRows = x;
        break;
    case AztecEcp:
        if (x < 0 || x == 100 || (x >= 105 && x <= 200) || x >= 233) return false;
        s.aztec.aztecSizeSpec = x;
        break;
    case DmFormat:
        if (x < 1 || x > 6) return false;
        s.dm.dmDataFormat = x;
        break;
    case DataBarSegments:
        // Expanded Stacked rows hold pairs of segments, at most the 22 of one row.
        if (x < 2 || x > 22 || x % 2 != 0) return false;
        s.dataBarSegments = x;
        break;
    default: {
        static constexpr std::array<std::pair<int, int>, 6> kEcc{{{0, 0}, {50, 3}, {80, 6}, {100, 8}, {140, 12}, {200, 26}}};
        bool found = false;
        for (auto [level, code] : kEcc)
            if (x == level) {
                s.dm.dmEccCode = code;
                found = true;
            }
        if (!found) return false;
        break;
    }
    }
    rebuildIfBuilt(app);
    return true;
}

bool printerDpi(AppState& app, const std::string& v, int vertical) {
    auto n = parseInteger(v);
    if (!n || *n <= 0 || *n >= 100000) return false;
    SymbolSettings& s = app.settings;
    (vertical ? s.printerDpiY : s.printerDpiX) = *n;
    updateEffectiveDpi(s);
    if (s.unitMode == UnitPrinterDots) refreshSymbolFields(app);
    return true;
}

bool printMargin(AppState& app, const std::string& v, int top) {
    auto n = parseNumber(v);
    if (!n) return false;
    (top ? app.settings.raster.topPrintMargin : app.settings.raster.leftPrintMargin) = float(*n);
    return true;
}

bool incText(AppState& app, const std::string& v, int post) {
    (post ? app.settings.numbering.incPostamble : app.settings.numbering.incPreamble) = decodeValue(v);
    return true;
}

enum IncNumber { IncStart, IncValue, IncWidth };

// The counter is formatted with incWidth digits; a width beyond any message
// the symbologies take would only exhaust memory.
constexpr double kIncWidthLimit = 3072;

bool incNumber(AppState& app, const std::string& v, int which) {
    auto n = parseNumber(v);
    if (!n) return false;
    NumberingOptions& num = app.settings.numbering;
    switch (which) {
    case IncStart:
    case IncValue:
        if (!exactCounter(*n)) return false;
        (which == IncStart ? num.incStart : num.incValue) = *n;
        break;
    default:
        if (*n < 0 || *n > kIncWidthLimit) return false;
        num.incWidth = *n;
        break;
    }
    return true;
}

bool fontName(AppState& app, const std::string& v, int) {
    setFontName(app, v);
    return true;
}

// Font sizes the font dialog offers.
bool fontSize(AppState& app, const std::string& v, int) {
    auto n = parseInteger(v);
    if (!n || *n < 1 || *n > 1638) return false;
    setFontSize(app, *n);
    return true;
}

enum ColourTarget { FontColour, ForeColour, BackColour };

void applyColour(AppState& app, int target, Colour c) {
    switch (target) {
    case FontColour: setFontColour(app, c); break;
    case ForeColour: setForeColour(app, c); break;
    default: setBackColour(app, c); break;
    }
}

bool namedColour(AppState& app, const std::string& v, int target) {
    applyColour(app, target, colourByName(v));
    return true;
}

bool rgbColour(AppState& app, const std::string& v, int target) {
    applyColour(app, target, colourFromCodes(v));
    return true;
}

bool rasterResolution(AppState& app, const std::string& v, int) {
    auto n = parseInteger(v);
    if (!n || *n < 20 || *n > 1440) return false;
    app.settings.raster.rasterResolution = *n;
    return true;
}

bool jpegQuality(AppState& app, const std::string& v, int) {
    auto n = parseInteger(v);
    if (!n || *n < 0 || *n > 100) return false;
    app.settings.raster.jpegQuality = *n;
    return true;
}

// Paths keep the client's letter case: file names on this system are
// case-sensitive.
bool saveBarCodeTo(AppState& app, const std::string& path, int) {
    app.barCodeFilePath = path;
    return saveBarCode(app, 0);
}

bool saveConfigTo(AppState& app, const std::string& path, int) {
    app.configPath = path;
    return SaveConfiguration(app, path);
}

bool openConfig(AppState& app, const std::string& path, int) {
    // A successful open remembers the path; a failed one keeps the old.
    return OpenConfiguration(app, path);
}

bool openMessageFile(AppState& app, const std::string& path, int) { return OpenMessageFile(app, path); }
bool readMessageFile(AppState& app, const std::string& path, int) { return ReadMessageFromFile(app, path); }

using ValueAction = bool (*)(AppState&, const std::string&, int);

struct ValueKeyword {
    std::string_view keyword;  // ends in '=' or '('
    ValueAction action;
    int arg;
    bool setting;
    bool upper = false;    // value taken from the upper-cased command
    size_t minLength = 0;  // shorter commands are not recognised
};

constexpr ValueKeyword kValueKeywords[] = {
    {"[MESSAGE=", message, 0, true},
    {"[BARCODE=", literalMessage, 1, true},
    {"[MSGTEXT=", literalMessage, 0, true},
    {"[COMMENT=", comment, 0, true},
    {"[SUPPLEMENT=", supplement, 0, true},
    {"[COMPOSITE=", composite, 0, true},
    {"[BARWIDTH=", barWidth, 0, true},
    {"[BARHEIGHT=", barHeight, 0, true},
    {"[RATIO=", ratio, 0, true},
    {"[MAGNIFY=", magnify, 0, true, false, 11},
    {"[BARREDUCTION=", barReduction, 0, true},
    {"[PDFMODULEWIDTH=", moduleDimension, PdfWidth, true},
    {"[PDFMODULEHEIGHT=", moduleDimension, PdfHeight, true},
    {"[PDFASPECT=", pdfAspect, 0, true},
    {"[PDFOVERHEAD=", intSetting, PdfOverhead, true},
    {"[PDFSECURITY=", intSetting, PdfSecurity, true},
    {"[PDFMAXCOLS=", intSetting, PdfMaxCols, true},
    {"[PDFMAXROWS=", intSetting, PdfMaxRows, true},
    {"[AZTECECP=", intSetting, AztecEcp, true},
    {"[AZTECMODULESIZE=", moduleDimension, AztecSize, true},
    {"[DMMODULESIZE=", moduleDimension, DmSize, true},
    {"[DMFORMAT=", intSetting, DmFormat, true},
    {"[DMECC=", intSetting, DmEcc, true},
    {"[DATABARSEGMENTS=", intSetting, DataBarSegments, true},
    {"[RSSSEGMENTS=", intSetting, DataBarSegments, true},
    {"[HORIZONTALDPI=", printerDpi, 0, true},
    {"[VERTICALDPI=", printerDpi, 1, true},
    {"[LEFTPRINTMARGIN=", printMargin, 0, true},
    {"[TOPPRINTMARGIN=", printMargin, 1, true},
    {"[PRINTGROWTH=", printGrowthCommand, 0, false},
    {"[VERIFYMIN=", verifyMinimumCommand, 0, false},
    {"[INCPREAMBLE=", incText, 0, true},
    {"[INCPOSTAMBLE=", incText, 1, true},
    {"[INCSTART=", incNumber, IncStart, true},
    {"[INCVALUE=", incNumber, IncValue, true},
    {"[INCWIDTH=", incNumber, IncWidth, true},
    {"[FONTNAME=", fontName, 0, true},
    {"[FONTSIZE=", fontSize, 0, true},
    {"[FONTCOLOR=", namedColour, FontColour, true, true},
    {"[FORECOLOR=", namedColour, ForeColour, true, true},
    {"[BACKCOLOR=", namedColour, BackColour, true, true},
    {"[FONTCOLORRGB=", rgbColour, FontColour, true, true},
    {"[FORECOLORRGB=", rgbColour, ForeColour, true, true},
    {"[BACKCOLORRGB=", rgbColour, BackColour, true, true},
    {"[RASTERIMAGERESOLUTION=", rasterResolution, 0, true, true, 26},
    {"[JPEGQUALITY=", jpegQuality, 0, true, true},
    {"[SAVEBARCODE(", saveBarCodeTo, 0, false},
    {"[SAVECONFIG(", saveConfigTo, 0, false},
    {"[OPENCONFIG(", openConfig, 0, false},
    {"[OPENMSGFILE(", openMessageFile, 0, false},
    {"[READMSGFILE(", readMessageFile, 0, false},
};

}  // namespace

bool runCommand(AppState& app, const std::string& raw) {
    const std::string key = upperAscii(raw);
    // Symbology selection: the menu command marks the change itself.
    if (const int code = symbologyCodeByKeyword(key)) {
        selectSymbology(app, code);
        return true;
    }
    for (const Keyword& k : kKeywords) {
        if (key != k.key) continue;
        const bool ok = k.action(app, k.arg);
        if (ok && k.setting) app.settings.changed = true;
        return ok;
    }
    if (key.empty() || key.back() != ']') return false;
    for (const ValueKeyword& k : kValueKeywords) {
        const size_t n = k.keyword.size();
        if (key.compare(0, n, k.keyword) != 0 || key.size() < k.minLength) continue;
        const std::string& source = k.upper ? key : raw;
        std::string value;
        if (k.keyword.back() == '(') {
            if (key.size() < n + 2 || key[key.size() - 2] != ')') return false;
            value = trimSpaces(std::string_view(source).substr(n, source.size() - n - 2));
        } else {
            value = source.substr(n, source.size() - n - 1);
        }
        const bool ok = k.action(app, value, k.arg);
        if (ok && k.setting) app.settings.changed = true;
        return ok;
    }
    return false;
}

std::vector<std::string> commandForms() {
    std::vector<std::string> forms;
    for (int code = 1; code <= kSymbologyCount; ++code)
        for (std::string_view k : symbologyInfo(code).keywords)
            if (!k.empty()) forms.emplace_back(k);
    for (const Keyword& k : kKeywords) forms.emplace_back(k.key);
    for (const ValueKeyword& k : kValueKeywords)
        forms.push_back(std::string(k.keyword) + (k.keyword.back() == '(' ? "path)]" : "value]"));
    return forms;
}

}  // namespace quillet
