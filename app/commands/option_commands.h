#pragma once
// The window's option commands. Each stores its setting, marks the
// configuration changed where the menu command does, and rebuilds the
// symbol while one is built (with the exceptions each names).
#include <string>

#include "app/model/settings.h"

namespace quillet {

struct AppState;

// Runs Build/Copy when the symbol-built flag is set.
void rebuildIfBuilt(AppState& app);

void setIncludeText(AppState& app, bool on);
void setTextAbove(AppState& app, bool on);     // no rebuild for PDF417
void setCommentAbove(AppState& app, bool on);  // no rebuild for PDF417
void setCommentAlign(AppState& app, int align);  // no rebuild
void setCharacterSet(AppState& app, int characterSet);  // field fonts and list heading
void setBearerBars(AppState& app, bool on);
void setQuietZones(AppState& app, bool on);
// An even number of segments, 2 to 22, in each row of DataBar Expanded Stacked.
void setDataBarSegments(AppState& app, int segments);
void setOptionalCheckDigit(AppState& app, bool on);  // also shows the check display
void setFixDriver(AppState& app, bool on);           // no rebuild
void setGs1Mode(AppState& app, bool on);             // Data Matrix
void setMessageWarnings(AppState& app, bool on);     // no rebuild
void setPrinterWarnings(AppState& app, bool on);     // no rebuild
void setOrientation(AppState& app, int orientation);
void setUnits(AppState& app, int unitMode);
void setFontScaling(AppState& app, bool on);         // rebuild only with text on
// Font face, size and styles: rebuild only for linear codes with text on.
void setFontStyle(AppState& app, bool bold, bool italic);
void setUnderline(AppState& app, bool on);
void setStrikeout(AppState& app, bool on);
void setFontName(AppState& app, const std::string& name);
void setFontSize(AppState& app, int points);
// The font dialog's OK: face, size and every style at once, one rebuild.
struct FontChoice {
    std::string name;
    int size = 10;
    bool bold = false, italic = false, underline = false, strikeout = false;
};
void setFont(AppState& app, const FontChoice& font);
void setForeColour(AppState& app, Colour colour);  // the menu does not mark it changed
void setBackColour(AppState& app, Colour colour);  // also turns transparent off
void setFontColour(AppState& app, Colour colour);
void setTransparent(AppState& app);
// Reduction/gain step 0..15 and the gain flag; no rebuild, not marked changed.
void setBarWidthAdjust(AppState& app, int step, bool gain);

}  // namespace quillet
