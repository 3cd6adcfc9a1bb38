#include "app/pdf417/pdf417_options_dialog.h"

#include <algorithm>

#include "app/model/settings.h"

namespace quillet {

PdfOptionsDialog OpenPdfOptionsDialog(const Pdf417Options& o) {
    PdfOptionsDialog d;
    d.compressionItems = {"Auto (EXC/Binary/Numeric)", "Auto (EXC/Binary)", "EXC Mode", "Binary Mode",
                          "Numeric Mode"};
    for (int i = 0; i <= 8; ++i) d.levelItems.push_back(" " + std::to_string(i));
    d.levelItems.push_back("Auto %");
    for (int i = 0; i <= 99; ++i) d.overheadItems.push_back(std::to_string(i) + "%");
    for (int i = 3; i <= 90; ++i) d.maxRowsItems.push_back(std::to_string(i));
    for (int i = 1; i <= 30; ++i) d.maxColumnsItems.push_back(std::to_string(i));
    d.compression = std::clamp(o.pdfCompaction, 0, 4);
    d.overhead = std::clamp(o.pdfOverheadPercent, 0, 99);
    d.maxRows = std::clamp(o.pdfMaxRows, 3, 90) - 3;
    d.maxColumns = std::clamp(o.pdfMaxColumns, 1, 30) - 1;
    d.showCodewords = o.pdfShowCodewords;
    d.truncated = o.pdfTruncated;
    ChoosePdfSecurityLevel(d, std::clamp(o.pdfSecurityLevel, 0, 9));
    return d;
}

void ChoosePdfSecurityLevel(PdfOptionsDialog& d, int index) {
    d.level = index;
    d.overheadVisible = index == 9;
}

void AcceptPdfOptionsDialog(const PdfOptionsDialog& d, SymbolSettings& s) {
    Pdf417Options& o = s.pdf;
    const Pdf417Options before = o;
    o.pdfCompaction = d.compression;
    o.pdfShowCodewords = d.showCodewords;
    o.pdfOverheadPercent = d.overhead;
    o.pdfSecurityLevel = d.level;
    o.pdfMaxRows = d.maxRows + 3;
    o.pdfMaxColumns = d.maxColumns + 1;
    o.pdfTruncated = d.truncated;
    if (o.pdfCompaction != before.pdfCompaction || o.pdfShowCodewords != before.pdfShowCodewords ||
        o.pdfOverheadPercent != before.pdfOverheadPercent || o.pdfSecurityLevel != before.pdfSecurityLevel ||
        o.pdfMaxRows != before.pdfMaxRows || o.pdfMaxColumns != before.pdfMaxColumns ||
        o.pdfTruncated != before.pdfTruncated)
        s.changed = true;
}

}  // namespace quillet
