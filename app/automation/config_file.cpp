#include "app/automation/config_file.h"

#include "app/automation/config_record.h"
#include "app/automation/file_bytes.h"
#include "app/automation/message_file.h"
#include "app/commands/option_commands.h"
#include "app/commands/select_symbology.h"
#include "app/model/app_state.h"
#include "app/model/symbol_fields.h"
#include "app/render/build_copy.h"
#include "platform/file_output.h"

namespace quillet {

namespace {

// Far beyond any configuration the program writes; larger files are not
// read at all.
constexpr size_t kConfigFileLimit = size_t(1) << 20;
const char kDialogFilter[] = "Quillet Config (*.qcf)|*.qcf|All Files (*.*)|*.*";
const char kQuestionTitle[] = "Quillet Professional";

void tell(AppState& app, const std::string& text) {
    if (!app.ui) return;
    app.ui->beep();
    app.ui->messageBox(text, app.appTitle, platform::Buttons::Ok);
}

void setCaption(AppState& app, const std::string& path) {
    app.configPath = path;
    app.windowCaption = "Quillet Professional (" + configFileName(path) + ")";
}

bool hasExtension(const std::string& path) {
    const std::string name = configFileName(path);
    const size_t dot = name.rfind('.');
    return dot != std::string::npos && dot != 0;
}

}  // namespace

std::string configFileName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SaveConfiguration(AppState& app, const std::string& path) {
    const std::string text = configurationText(recordFromSettings(app));
    platform::ReplaceOptions options;
    options.durable = true;
    const platform::WriteResult saved =
        path.empty() ? platform::WriteResult{false, "no file name"}
                     : platform::replaceFile(path, [&](int fd) { return platform::writeAll(fd, text.data(), text.size()); },
                                             options);
    if (!saved) {
        tell(app, "Cannot save the configuration as \"" + path + "\": " + saved.reason + ".");
        return false;
    }
    setCaption(app, path);
    app.settings.changed = false;
    return true;
}

bool OpenConfiguration(AppState& app, const std::string& path) {
    std::string bytes, reason;
    switch (readFileBytes(path, kConfigFileLimit, bytes, reason)) {
    case FileRead::Ok: break;
    case FileRead::TooLarge:
        tell(app, "File: " + path + " is too large to be a QUILLET configuration file!");
        return false;
    case FileRead::Unreadable:
        tell(app, fileErrorText(path, reason));
        return false;
    }
    return readConfiguration(app, bytes, path);
}

bool readConfiguration(AppState& app, std::string_view bytes, const std::string& path) {
    const ConfigParse parse = parseConfiguration(bytes);
    const std::string line = std::to_string(parse.line);
    switch (parse.problem) {
    case ConfigProblem::None:
        applyConfiguration(app, parse.record, path);
        return true;
    case ConfigProblem::NotConfiguration:
        tell(app, "File: " + path + " is not a valid QUILLET configuration file!");
        return false;
    case ConfigProblem::EndsEarly:
        tell(app, "File: " + path + " ends before line " + line + " of the configuration; no setting was changed.");
        return false;
    case ConfigProblem::BadValue:
        tell(app, "File: " + path + " has an invalid value on line " + line + "; no setting was changed.");
        return false;
    }
    return false;
}

void applyConfiguration(AppState& app, const ConfigRecord& r, const std::string& path) {
    SymbolSettings& s = app.settings;
    NumberingOptions& n = s.numbering;
    const float matrixBefore = s.matrixModuleSize;

    // The message is replaced below, which drops any symbol built before;
    // nothing is rebuilt from half-applied settings meanwhile.
    app.resetting = true;
    s.symbolBuilt = false;

    // A message file open before is let go; the file's own is reopened last.
    n.messageLines = {};
    n.messageLineCount = 0;
    n.currentLine = 0;
    n.messageFileOpen = false;
    n.incSuspended = false;
    app.window.closeMsgFileEnabled = false;

    n.messageFilePath = r.messageFilePath;
    app.barCodeFilePath = r.barCodeFilePath;
    s.pdf.pdfCharacterSet = r.pdfCharacterSet;
    s.transparent = r.transparent;
    s.fixDriverIncompatibility = r.fixDriver;
    // Settings with a menu command go through it, so the check marks follow.
    if (s.includeText != r.includeText) setIncludeText(app, r.includeText);
    s.textAbove = r.textAbove;
    s.commentAbove = r.commentAbove;
    if (s.unitMode != r.unitMode) setUnits(app, r.unitMode);
    if (s.bearerBars != r.bearerBars) setBearerBars(app, r.bearerBars);
    s.fontName = r.fontName;
    s.fontSize = r.fontSize;
    s.bold = r.bold;
    s.italic = r.italic;
    s.underline = r.underline;
    s.strikeout = r.strikeout;
    s.autoFontScaling = r.autoFontScaling;
    if (s.quietZones != r.quietZones) setQuietZones(app, r.quietZones);
    s.raster.saveMode = r.saveMode;
    s.optionalCheckDigit = r.optionalCheckDigit;
    selectRatio(app, r.ratioIndex);
    setMagnifyText(app, r.magnifyText, false);
    setNBWidthText(app, r.nbWidthText);
    setBCHeightText(app, r.bcHeightText);
    setSupplement(app, r.supplementText);
    s.pdf.pdfSecurityLevel = r.pdfSecurityLevel;
    s.pdf.pdfSizeConstraint = r.pdfSizeConstraint;
    s.pdf.pdfCompaction = r.pdfCompaction;
    s.pdf.pdfOverheadPercent = r.pdfOverheadPercent;
    s.pdf.pdfShowCodewords = r.pdfShowCodewords;
    // The file holds the resolution along the symbol's own axes, which a
    // vertical symbol has swapped from the printer's.
    const bool vertical = r.orientation == Vertical90 || r.orientation == Vertical270;
    s.printerDpiX = vertical ? r.dpiY : r.dpiX;
    s.printerDpiY = vertical ? r.dpiX : r.dpiY;
    updateEffectiveDpi(s);
    s.printerWarnings = r.printerWarnings;
    s.messageWarnings = r.messageWarnings;
    s.fontColour = r.fontColour;
    s.foreColour = r.foreColour;
    s.backColour = r.backColour;
    s.pdf.pdfMaxRows = r.pdfMaxRows;
    s.pdf.pdfMaxColumns = r.pdfMaxColumns;
    s.pdf.pdfTruncated = r.pdfTruncated;
    app.startupRatioPosition = r.startupRatioPosition;
    s.barWidthAdjust = r.barWidthAdjust;
    n.incEnabled = r.incEnabled;
    const auto takeNumbers = [&] {
        s.pdfModuleWidth = r.pdfModuleWidth;
        s.pdfModuleHeight = r.pdfModuleHeight;
        s.magnification = r.magnification;
        s.narrowWidth = r.narrowWidth;
        s.barHeight = r.barHeight;
        s.pdf.pdfAspectRatio = r.pdfAspectRatio;
        s.matrixModuleSize = r.alignAztec ? r.alignAztec->matrixModuleSize : matrixBefore;
    };
    takeNumbers();
    n.incStart = r.incStart;
    n.incValue = r.incValue;
    n.incWidth = r.incWidth;
    n.incPreamble = r.incPreamble;
    n.incPostamble = r.incPostamble;
    setMessage(app, r.message);
    if (r.comment) s.comment = *r.comment;
    if (r.alignAztec) {
        s.commentAlign = r.alignAztec->commentAlign;
        s.matrixModuleSize = r.alignAztec->matrixModuleSize;
        s.aztec.aztecSizeSpec = r.alignAztec->aztecSizeSpec;
        s.aztec.aztecMenuSymbol = r.alignAztec->aztecMenuSymbol;
    }
    if (r.dm) s.dm = *r.dm;
    if (r.raster) {
        const int saveMode = s.raster.saveMode;
        const float left = s.raster.leftPrintMargin, top = s.raster.topPrintMargin;
        s.raster = *r.raster;
        s.raster.saveMode = saveMode;
        s.raster.leftPrintMargin = left;
        s.raster.topPrintMargin = top;
    }
    if (r.qr) s.qr = *r.qr;
    if (r.expanded) s.dataBarSegments = r.expanded->segments;
    if (r.textModes) {
        s.utf8Text = r.textModes->utf8Text;
        s.gs1Mode = r.textModes->gs1Mode;
    }

    setCharacterSet(app, r.characterSet);
    setOrientation(app, r.orientation);
    // A file written with the codes after 25 names its symbology again on line 84.
    selectSymbology(app, r.expanded ? r.expanded->symbology : r.symbology);
    // Selecting the symbology rewrites the dimension fields from the record
    // and reads them back at the fields' precision; the file's numbers are
    // the exact values.
    takeNumbers();
    app.resetting = false;

    setCaption(app, path);
    app.window.nextPrevVisible = false;
    if (n.incEnabled) {
        StepMessage(app, 0);
        app.window.nextPrevVisible = true;
        BuildCopy(app);
    }
    if (r.messageFileOpen) OpenMessageFile(app, n.messageFilePath);
    s.changed = false;
}

bool SaveConfigurationCommand(AppState& app) {
    if (app.configPath.empty()) return SaveConfigurationAs(app);
    return SaveConfiguration(app, app.configPath);
}

bool SaveConfigurationAs(AppState& app) {
    if (!app.ui) return false;
    auto chosen = app.ui->fileDialog(true, "Save Quillet Configuration As", kDialogFilter, app.configPath);
    if (!chosen || chosen->empty()) return false;
    std::string path = *chosen;
    if (!hasExtension(path)) path += ".qcf";
    return SaveConfiguration(app, path);
}

bool OpenConfigurationCommand(AppState& app) {
    if (AskToSaveChanges(app) == platform::Answer::Cancel || !app.ui) return false;
    auto chosen = app.ui->fileDialog(false, "Open Quillet Configuration File", kDialogFilter, app.configPath);
    if (!chosen || chosen->empty()) return false;
    return OpenConfiguration(app, *chosen);
}

platform::Answer AskToSaveChanges(AppState& app) {
    if (!app.settings.changed || !app.ui) return platform::Answer::No;
    const std::string question = app.configPath.empty()
                                     ? "Save current configuration?"
                                     : "Configuration file: " + configFileName(app.configPath) + " has changed. Save changes?";
    const platform::Answer answer = app.ui->messageBox(question, kQuestionTitle, platform::Buttons::YesNoCancel);
    if (answer == platform::Answer::Yes) return SaveConfigurationCommand(app) ? platform::Answer::Yes : platform::Answer::Cancel;
    return answer == platform::Answer::Cancel ? platform::Answer::Cancel : platform::Answer::No;
}

}  // namespace quillet
