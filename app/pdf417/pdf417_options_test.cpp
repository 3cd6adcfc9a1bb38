// The options dialog and the symbol character set conversion.
#include <gtest/gtest.h>

#include "app/model/settings.h"
#include "app/pdf417/pdf417_charset.h"
#include "app/pdf417/pdf417_options_dialog.h"

namespace quillet {
namespace {

TEST(PdfOptionsDialog, ListsSelectionAndOverheadVisibility) {
    Pdf417Options o;  // automatic level, 11 %, 90 rows, 30 columns
    PdfOptionsDialog d = OpenPdfOptionsDialog(o);
    EXPECT_EQ(d.compressionItems.size(), 5u);
    EXPECT_EQ(d.compressionItems[1], "Auto (EXC/Binary)");
    ASSERT_EQ(d.levelItems.size(), 10u);
    EXPECT_EQ(d.levelItems[0], " 0");
    EXPECT_EQ(d.levelItems[9], "Auto %");
    ASSERT_EQ(d.overheadItems.size(), 100u);
    EXPECT_EQ(d.overheadItems[99], "99%");
    EXPECT_EQ(d.maxRowsItems.front(), "3");
    EXPECT_EQ(d.maxRowsItems.back(), "90");
    EXPECT_EQ(d.maxColumnsItems.size(), 30u);
    EXPECT_EQ(d.level, 9);
    EXPECT_TRUE(d.overheadVisible);
    EXPECT_EQ(d.overheadItems[size_t(d.overhead)], "11%");
    EXPECT_EQ(d.maxRowsItems[size_t(d.maxRows)], "90");
    EXPECT_EQ(d.maxColumnsItems[size_t(d.maxColumns)], "30");
    ChoosePdfSecurityLevel(d, 4);
    EXPECT_FALSE(d.overheadVisible);
}

TEST(PdfOptionsDialog, OkStoresAndMarksChangesOnly) {
    SymbolSettings s;
    PdfOptionsDialog d = OpenPdfOptionsDialog(s.pdf);
    AcceptPdfOptionsDialog(d, s);
    EXPECT_FALSE(s.changed);  // nothing differs
    d.maxRows = 7;            // "10"
    d.maxColumns = 4;         // "5"
    d.compression = 3;
    ChoosePdfSecurityLevel(d, 2);
    d.truncated = true;
    AcceptPdfOptionsDialog(d, s);
    EXPECT_TRUE(s.changed);
    EXPECT_EQ(s.pdf.pdfMaxRows, 10);
    EXPECT_EQ(s.pdf.pdfMaxColumns, 5);
    EXPECT_EQ(s.pdf.pdfCompaction, 3);
    EXPECT_EQ(s.pdf.pdfSecurityLevel, 2);
    EXPECT_TRUE(s.pdf.pdfTruncated);
}

TEST(PdfCharacterSet, ConvertsOnlyWhenTheSetsDiffer) {
    struct Case { int pdfSet, displaySet; std::string in, out; };
    for (const Case& c : {Case{0, CharsetAnsi, "\xE9", "\xE9"}, Case{1, CharsetAnsi, "\xE9", "\x82"},
                          Case{1, CharsetAscii, "\x82", "\x82"}, Case{2, CharsetAscii, "\x82", "\xE9"},
                          Case{2, CharsetAnsi, "\xE9", "\xE9"}, Case{2, CharsetAscii, "plain", "plain"}}) {
        std::string m = c.in;
        ConvertPdfCharacterSet(m, c.pdfSet, c.displaySet);
        EXPECT_EQ(m, c.out) << c.pdfSet << " " << c.displaySet;
    }
}

}  // namespace
}  // namespace quillet
