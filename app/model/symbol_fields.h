#pragma once
// The main window's view of the current symbology: which option menus and
// fields apply, their labels, the dimension fields in the current unit,
// and the ratio, magnification and character-insert lists.
#include <string>
#include <vector>

#include "app/model/main_window.h"

namespace quillet {

struct AppState;

OptionMenus optionMenusFor(int code);
bool insertListShownFor(int code);
// The character-insert list for a symbology: codes 0-127, plus the FNC
// entries of Code 128 / GS1-128 or the codes 128-255 of the 2-D symbologies.
std::vector<InsertEntry> insertListFor(int code);
// "2.0" ... "3.0" and "80" ... "200".
std::vector<std::string> ratioListEntries();
std::vector<std::string> magnificationListEntries();

// The message field shows character 0 as character 255.
std::string messageDisplayForm(const std::string& message);

// The Symbology menu command: a new code clears the symbol-built flag and
// marks the settings changed; menus, lists and fields follow the code.
// Stores a symbology code 1..25 and shows its fields, lists and menus;
// other codes are ignored. The command that selects a symbology is
// `selectSymbology`, which first makes sure PDF417 can be drawn.
void setSymbologyFields(AppState& app, int code);
// Relabels the window for the symbology, orientation and unit, and rewrites
// the width, height and total-size fields from the record.
void refreshSymbolFields(AppState& app);
// Labels only (the check display follows the optional check digit).
void refreshFieldLabels(AppState& app);

// Field edits. Each stores what the text reads as through the current unit,
// exactly as typing into the field does.
void setNBWidthText(AppState& app, const std::string& text);
void setBCHeightText(AppState& app, const std::string& text);
// A change of the `Magnify` text: the magnification (the PDF417 aspect ratio
// while PDF417 is current). Typed or commanded changes also rewrite the
// narrow width as 13 mils x magnification / 100.
void setMagnifyText(AppState& app, const std::string& text, bool typedOrCommanded);
// Selects `RatioList` entry 0..10.
void selectRatio(AppState& app, int index);

// The message, comment and supplement fields. A new message clears the
// symbol-built flag; so does a new supplement except while PDF417 shows its
// codewords there.
void setMessage(AppState& app, const std::string& message);
void setSupplement(AppState& app, const std::string& supplement);

}  // namespace quillet
