#include "app/commands/option_commands.h"

#include "app/model/app_state.h"
#include "app/model/symbol_fields.h"
#include "app/model/symbology.h"
#include "app/render/build_copy.h"

namespace quillet {

namespace {

void changed(AppState& app) { app.settings.changed = true; }

// A font change rebuilds only the symbologies listed before PDF417 in the
// Symbology menu, and only with text on.
void fontChanged(AppState& app) {
    changed(app);
    if (app.settings.symbology < int(Symbology::Pdf417) && app.settings.includeText) rebuildIfBuilt(app);
}

}  // namespace

void rebuildIfBuilt(AppState& app) {
    if (app.settings.symbolBuilt) BuildCopy(app);
}

void setIncludeText(AppState& app, bool on) {
    app.settings.includeText = on;
    changed(app);
    rebuildIfBuilt(app);
}

void setTextAbove(AppState& app, bool on) {
    app.settings.textAbove = on;
    changed(app);
    if (Symbology(app.settings.symbology) != Symbology::Pdf417) rebuildIfBuilt(app);
}

void setCommentAbove(AppState& app, bool on) {
    app.settings.commentAbove = on;
    changed(app);
    if (Symbology(app.settings.symbology) != Symbology::Pdf417) rebuildIfBuilt(app);
}

void setCommentAlign(AppState& app, int align) {
    app.settings.commentAlign = align;
    changed(app);
}

void setCharacterSet(AppState& app, int characterSet) {
    app.settings.characterSet = characterSet;
    MainWindow& w = app.window;
    const bool ansi = characterSet != CharsetAscii;
    w.insertHeading = ansi ? "ANSI      Char         Control" : "ASCII     Char         Control";
    w.fieldFontName = ansi ? "System" : "Terminal";
    w.fieldFontBold = ansi;
    changed(app);
}

void setGs1Mode(AppState& app, bool on) {
    app.settings.gs1Mode = on;
    changed(app);
    rebuildIfBuilt(app);
}

void setBearerBars(AppState& app, bool on) {
    app.settings.bearerBars = on;
    changed(app);
    rebuildIfBuilt(app);
}

void setQuietZones(AppState& app, bool on) {
    app.settings.quietZones = on;
    changed(app);
    rebuildIfBuilt(app);
}

void setDataBarSegments(AppState& app, int segments) {
    app.settings.dataBarSegments = segments;
    changed(app);
    rebuildIfBuilt(app);
}

void setOptionalCheckDigit(AppState& app, bool on) {
    app.settings.optionalCheckDigit = on;
    refreshFieldLabels(app);
    changed(app);
    rebuildIfBuilt(app);
}

void setFixDriver(AppState& app, bool on) {
    app.settings.fixDriverIncompatibility = on;
    changed(app);
}

void setMessageWarnings(AppState& app, bool on) {
    app.settings.messageWarnings = on;
    changed(app);
}

void setPrinterWarnings(AppState& app, bool on) {
    app.settings.printerWarnings = on;
    changed(app);
}

void setOrientation(AppState& app, int orientation) {
    app.settings.orientation = orientation;
    refreshSymbolFields(app);
    changed(app);
    rebuildIfBuilt(app);
}

void setUnits(AppState& app, int unitMode) {
    app.settings.unitMode = unitMode;
    refreshSymbolFields(app);
    changed(app);
    rebuildIfBuilt(app);
}

void setFontScaling(AppState& app, bool on) {
    app.settings.autoFontScaling = on;
    changed(app);
    if (app.settings.includeText) rebuildIfBuilt(app);
}

void setFontStyle(AppState& app, bool bold, bool italic) {
    app.settings.bold = bold;
    app.settings.italic = italic;
    fontChanged(app);
}

void setUnderline(AppState& app, bool on) {
    app.settings.underline = on;
    fontChanged(app);
}

void setStrikeout(AppState& app, bool on) {
    app.settings.strikeout = on;
    fontChanged(app);
}

void setFontName(AppState& app, const std::string& name) {
    app.settings.fontName = name;
    fontChanged(app);
}

void setFontSize(AppState& app, int points) {
    app.settings.fontSize = points;
    fontChanged(app);
}

void setFont(AppState& app, const FontChoice& font) {
    SymbolSettings& s = app.settings;
    s.fontName = font.name;
    s.fontSize = font.size;
    s.bold = font.bold;
    s.italic = font.italic;
    s.underline = font.underline;
    s.strikeout = font.strikeout;
    fontChanged(app);
}

void setForeColour(AppState& app, Colour colour) {
    app.settings.foreColour = colour;
    rebuildIfBuilt(app);
}

void setBackColour(AppState& app, Colour colour) {
    app.settings.backColour = colour;
    app.settings.transparent = false;
    changed(app);
    rebuildIfBuilt(app);
}

void setFontColour(AppState& app, Colour colour) {
    app.settings.fontColour = colour;
    changed(app);
    rebuildIfBuilt(app);
}

void setTransparent(AppState& app) {
    app.settings.transparent = true;
    changed(app);
    rebuildIfBuilt(app);
}

void setBarWidthAdjust(AppState& app, int step, bool gain) {
    app.settings.barWidthAdjust = (step & 0x0F) | (gain ? kGainBit : 0);
}

}  // namespace quillet
