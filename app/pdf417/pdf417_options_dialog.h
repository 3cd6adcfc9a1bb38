#pragma once
// The "PDF417 Advanced Options" dialog (`PDFOptions`) as data: its lists,
// the selected entries and the visibility of the overhead combo. A desktop
// window only draws it.
#include <string>
#include <vector>

#include "app/model/pdf417_options.h"

namespace quillet {

struct SymbolSettings;

struct PdfOptionsDialog {
    std::vector<std::string> compressionItems;  // `CompressionCombo`
    std::vector<std::string> levelItems;        // `SLevelCombo`: " 0" ... " 8", "Auto %"
    std::vector<std::string> overheadItems;     // `PctOverheadCombo`: "0%" ... "99%"
    std::vector<std::string> maxRowsItems;      // `MaxRows`: 3 ... 90
    std::vector<std::string> maxColumnsItems;   // `MaxCols`: 1 ... 30
    int compression = 0, level = 0, overhead = 0, maxRows = 0, maxColumns = 0;  // selected indexes
    bool showCodewords = false;  // `CodeWordsCheckBox`
    bool truncated = false;      // `TruncPDF`
    bool overheadVisible = false;  // the overhead combo and its label
};

// Fills the lists and selects the current options.
PdfOptionsDialog OpenPdfOptionsDialog(const Pdf417Options& options);
// A choice in `SLevelCombo`: "Auto %" shows the overhead combo.
void ChoosePdfSecurityLevel(PdfOptionsDialog& dialog, int index);
// OK (`Command1`): stores the dialog's values and marks the settings
// changed when any of them differs. Cancel stores nothing.
void AcceptPdfOptionsDialog(const PdfOptionsDialog& dialog, SymbolSettings& settings);

}  // namespace quillet
