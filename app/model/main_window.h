#pragma once
// What the main window shows, held as data: labels and visibility of its
// fields, the texts of the dimension fields, the ratio, magnification and
// character-insert lists and which option menus apply to the symbology.
// The command routines keep it up to date; a desktop window only draws it.
#include <string>
#include <vector>

namespace quillet {

// The option menus shown or hidden by symbology.
struct OptionMenus {
    bool commentAlign = false;       // `mAlign`
    bool includeText = false;
    bool textAbove = false;
    bool commentAbove = false;
    bool autoFontScaling = false;
    bool font = false;
    bool quietZones = false;
    bool bearerBars = false;
    bool optionalCheckDigit = false;
    bool disableAutoCheckDigit = false;  // exists but is never shown
    bool barWidthReduction = false;
    bool pdfOptions = false;         // `PDFOps`
    bool pdfCharacterSet = false;    // `ConversionsT`
    bool units = false;              // `Units`
    bool aztecOptions = false;       // `mAztecOpt`
    bool dmOptions = false;          // `DMOpts`
    bool qrOptions = false;          // `QROpts`
    bool dataBarSegments = false;    // segments per row of DataBar Expanded Stacked
    bool operator==(const OptionMenus&) const = default;
};

// One entry of the character-insert list `AsciiMenu`.
struct InsertEntry {
    int code = 0;         // the character inserted
    std::string name;     // control name, "FNC1" ..., or empty
    bool operator==(const InsertEntry&) const = default;
};

struct MainWindow {
    std::string messageField;  // display form of the stored message
    // Selection in the message box (start and length, in characters) and
    // whether the comment box is the active control: what Paste works on.
    size_t messageSelStart = 0;
    size_t messageSelLength = 0;
    bool commentActive = false;

    std::string messageLabel = "Bar Code Message:";
    std::string supplementLabel;
    bool supplementVisible = false;

    // `RatioList` for the width-modulated codes, `Magnify` for UPC/EAN
    // (magnification) and PDF417 (aspect ratio); they share one label.
    std::string ratioLabel;
    bool ratioListVisible = false;
    bool magnifyVisible = false;
    std::vector<std::string> ratioList;
    int ratioIndex = 5;
    std::vector<std::string> magnifyList;
    std::string magnifyText = "100";

    std::string checkLabel;   // `CheckLabel`
    bool checkVisible = false;
    std::string totalLabel = "Total Symbol Width =";  // `Label8`

    std::string widthLabel;   // label of `NBWidth`
    std::string heightLabel;  // label of `BCHeight`
    std::string nbWidthText;  // `NBWidth`
    std::string bcHeightText; // `BCHeight`
    bool widthVisible = true;
    bool heightVisible = true;
    bool commentVisible = true;

    OptionMenus menus;

    bool insertListVisible = false;
    std::string insertHeading = "ASCII     Char         Control";
    std::vector<InsertEntry> insertList;
    std::string fieldFontName = "Terminal";  // message, comment, supplement, list
    bool fieldFontBold = false;

    bool nextPrevVisible = false;     // Next/Prev buttons and menu entries
    bool closeMsgFileEnabled = false; // "&Close Message File"
    bool minimised = false;
    bool operator==(const MainWindow&) const = default;
};

}  // namespace quillet
