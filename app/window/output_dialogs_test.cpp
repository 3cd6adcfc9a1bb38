// The raster, numbering and printing dialogs at the window: each opens
// from its menu entry with the current settings; OK stores what the dialog
// holds (corrected as the command language corrects it) and Cancel nothing.
#include <gtest/gtest.h>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <unistd.h>

#include "app/automation/numbering.h"
#include "app/window/test_support/dialog_run.h"

namespace quillet {
namespace {

using namespace test;

TEST(OutputDialogs, RasterImageProperties) {
    struct Case {
        DialogRun run;
        RasterOptions after;
    };
    auto opens = [](int bits, QString dpi, int filter, QString quality, int tiff, bool interlace, bool gif) {
        return [=](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Raster Image Properties");
            EXPECT_EQ(control<QComboBox>(d, "cboBPP")->itemText(2), "24");
            EXPECT_EQ(control<QComboBox>(d, "cboPNGFilter")->itemText(5), "Paeth Filter");
            EXPECT_EQ(control<QComboBox>(d, "cboTIFFCompression")->itemText(4), "Group4");
            EXPECT_EQ(listIndex(d, "cboBPP"), bits);
            EXPECT_EQ(control<QLineEdit>(d, "txtDPI")->text(), dpi);
            EXPECT_EQ(listIndex(d, "cboPNGFilter"), filter);
            EXPECT_EQ(control<QLineEdit>(d, "txtJPEGQuality")->text(), quality);
            EXPECT_EQ(listIndex(d, "cboTIFFCompression"), tiff);
            EXPECT_EQ(ticked(d, "chkPNGInterlace"), interlace);
            EXPECT_EQ(ticked(d, "chkGIFCompress"), gif);
            EXPECT_FALSE(ticked(d, "chkBMPCompress"));
            EXPECT_FALSE(ticked(d, "chkTGACompress"));
        };
    };
    auto editAll = [](QString dpi, QString quality) {
        return [=](QDialog& d) {
            control<QComboBox>(d, "cboBPP")->setCurrentIndex(2);
            typeOver(d, "txtDPI", dpi);
            typeOver(d, "txtJPEGQuality", quality);
            control<QComboBox>(d, "cboPNGFilter")->setCurrentIndex(5);
            control<QComboBox>(d, "cboTIFFCompression")->setCurrentIndex(4);
            for (const char* box : {"chkPNGInterlace", "chkBMPCompress", "chkTGACompress", "chkGIFCompress"})
                control<QCheckBox>(d, box)->setChecked(true);
        };
    };
    const RasterOptions defaults;
    auto edited = [&](int dpi, int quality) {
        RasterOptions r = defaults;
        r.rasterBitsPerPixel = 24;
        r.rasterResolution = dpi;
        r.jpegQuality = quality;
        r.pngFilter = 10;
        r.tiffCompression = TiffGroup4;
        r.pngInterlace = r.bmpCompression = r.tgaCompression = r.gifCompression = 1;
        return r;
    };
    RasterOptions fromCommands = defaults;
    fromCommands.rasterBitsPerPixel = 8;
    fromCommands.rasterResolution = 600;
    fromCommands.jpegQuality = 75;
    fromCommands.pngFilter = 6;
    fromCommands.tiffCompression = TiffLzw;
    fromCommands.pngInterlace = 1;
    fromCommands.gifCompression = 1;
    const std::string commands =
        "[BITSPERPIXEL=8][RASTERIMAGERESOLUTION=600][JPEGQUALITY=75][PNGUPFILTER][TIFFCOMPRESSION=LZW]"
        "[PNGINTERLACE=ON][GIFCOMPRESSION=ON]";
    const Case cases[] = {
        {{"", nullptr, "mnuRaster", opens(0, "300", 0, "100", 0, false, false), editAll("720", "50"), "Command1"},
         edited(720, 50)},
        {{"", nullptr, "mnuRaster", opens(0, "300", 0, "100", 0, false, false), editAll("720", "50"), "Command2"},
         defaults},
        // Out of range values are corrected; letters never reach the boxes.
        {{"", nullptr, "mnuRaster", opens(0, "300", 0, "100", 0, false, false), editAll("1x0", "0"), "Command1"},
         edited(300, 100)},
        {{"", nullptr, "mnuRaster", opens(0, "300", 0, "100", 0, false, false), editAll("2a000", "101"), "Command1"},
         edited(1440, 100)},
        {{commands, nullptr, "mnuRaster", opens(1, "600", 3, "75", 1, true, true), nullptr, "Command1"},
         fromCommands},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        runDialogCase(f, c.run);
        EXPECT_EQ(f.app().settings.raster, c.after) << c.run.setup << " " << c.run.button;
    }
}

TEST(OutputDialogs, IncrementalNumbering) {
    struct Case {
        DialogRun run;
        std::string message;  // after the dialog
        bool nextPrevShown;
        std::vector<QString> warnings;
    };
    auto opens = [](QString start, QString step, QString digits, QString pre, bool supplement, bool enabled) {
        return [=](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Incremental Numbering");
            EXPECT_EQ(control<QLineEdit>(d, "StartNumber")->text(), start);
            EXPECT_EQ(control<QLineEdit>(d, "IncValue")->text(), step);
            EXPECT_EQ(control<QLineEdit>(d, "NumDigits")->text(), digits);
            EXPECT_EQ(control<QLineEdit>(d, "Preamble")->text(), pre);
            EXPECT_EQ(control<QRadioButton>(d, "IncTarget_0")->text(), "Bar Code Message");
            EXPECT_EQ(control<QRadioButton>(d, "IncTarget_1")->isChecked(), supplement);
            EXPECT_EQ(ticked(d, "IncEnable"), enabled);
        };
    };
    auto fill = [](QString start, QString step, QString digits, QString pre, QString post, bool enable) {
        return [=](QDialog& d) {
            typeOver(d, "StartNumber", start);
            typeOver(d, "IncValue", step);
            typeOver(d, "NumDigits", digits);
            typeOver(d, "Preamble", pre);
            typeOver(d, "Postamble", post);
            control<QCheckBox>(d, "IncEnable")->setChecked(enable);
        };
    };
    const QString tooFewDigits =
        "Warning! - Number of Digits specified is less than the number of digits in the Starting Number";
    const QString supplementDigits =
        "Warning! - The total number of digits (including Pre/Postambles) for UPC/EAN Supplements must add up to "
        "either 2 or 5.";
    const Case cases[] = {
        {{"[MESSAGE='X']", nullptr, "IncNumbering", opens("1", "1", "", "", false, false),
          fill("1", "1", "4", "A", "", true), "Command1"},
         "A0001",
         true,
         {}},
        {{"[MESSAGE='X']", nullptr, "IncNumbering", opens("1", "1", "", "", false, false),
          fill("1", "1", "4", "A", "", true), "Command2"},
         "X",
         false,
         {}},
        {{"[MESSAGE='X']", nullptr, "IncNumbering", opens("1", "1", "", "", false, false),
          fill("7", "2", "", "", "-Z", true), "Command1"},
         "7-Z",
         true,
         {}},
        // A refused value keeps the dialog open; Cancel then applies nothing.
        {{"[MESSAGE='X']", nullptr, "IncNumbering", opens("1", "1", "", "", false, false),
          [&](QDialog& d) {
              fill("123456", "1", "4", "", "", true)(d);
              press(d, "Command1");
              EXPECT_TRUE(d.isVisible());
          },
          "Command2"},
         "X",
         false,
         {tooFewDigits}},
        {{"[UPCA][MESSAGE='01234567890'][INCSUPPLEMENT]", nullptr, "IncNumbering",
          opens("1", "1", "", "", true, false),
          [&](QDialog& d) {
              fill("1", "1", "3", "", "", true)(d);
              press(d, "Command1");
              EXPECT_TRUE(d.isVisible());
          },
          "Command2"},
         "01234567890",
         false,
         {supplementDigits}},
        // Values from the command language show when the dialog opens.
        {{"[MESSAGE='X'][INCSTART=42][INCVALUE=5][INCWIDTH=6][INCPREAMBLE='SN'][INCENABLE]", nullptr, "IncNumbering",
          opens("42", "5", "6", "SN", false, true), nullptr, "Command1"},
         "SN000042",
         true,
         {}},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        runDialogCase(f, c.run);
        EXPECT_EQ(f.app().settings.message, c.message) << c.run.setup << " " << c.run.button;
        EXPECT_EQ(f.app().window.nextPrevVisible, c.nextPrevShown) << c.run.setup;
        ASSERT_EQ(f.boxes.size(), c.warnings.size()) << c.run.setup;
        for (size_t i = 0; i < c.warnings.size(); ++i) EXPECT_EQ(f.boxes[i].text, c.warnings[i]);
    }
}

// A control character in the preamble is kept through an edit elsewhere,
// as in the message box.
TEST(OutputDialogs, NumberingPreambleKeepsControlCharacters) {
    WindowFixture f;
    DialogRun run{"[MESSAGE='X'][INCPREAMBLE='A'9'B']", nullptr, "IncNumbering", [](QDialog&) {},
                  [](QDialog& d) {
                      auto* pre = control<QLineEdit>(d, "Preamble");
                      pre->setFocus();
                      pre->end(false);
                      QTest::keyClicks(pre, "C");
                      control<QCheckBox>(d, "IncEnable")->setChecked(true);
                  },
                  "Command1"};
    runDialogCase(f, run);
    EXPECT_EQ(f.app().settings.numbering.incPreamble, std::string("A\tBC"));
    EXPECT_EQ(f.app().settings.message, std::string("A\tBC1"));
}

// The message field's character-insert list puts its character into the
// box last in focus, at the cursor.
TEST(OutputDialogs, NumberingInsertListAddsControlCharacters) {
    for (const char* box : {"Preamble", "Postamble"}) {
        WindowFixture f;
        ASSERT_TRUE(f.session.run("[CODE128][MESSAGE='X'][INCPREAMBLE='AB'][INCPOSTAMBLE='YZ']"));
        ASSERT_FALSE(f.app().window.insertList.empty());
        const int index = int(f.app().window.insertList.size()) - 1;
        const char code = char(f.app().window.insertList.back().code);
        DialogRun run{"", nullptr, "IncNumbering", [](QDialog&) {},
                      [&](QDialog& d) {
                          auto* edit = control<QLineEdit>(d, box);
                          edit->setFocus();
                          edit->setCursorPosition(1);
                          auto* list = control<QComboBox>(d, "InsertList");
                          list->setCurrentIndex(index);
                          emit list->activated(index);
                          EXPECT_EQ(edit->cursorPosition(), 2);
                      },
                      "Command1"};
        runDialogCase(f, run);
        const NumberingOptions& n = f.app().settings.numbering;
        const bool pre = std::string(box) == "Preamble";
        EXPECT_EQ(n.incPreamble, pre ? std::string("A") + code + "B" : "AB") << box;
        EXPECT_EQ(n.incPostamble, pre ? std::string("YZ") : std::string("Y") + code + "Z") << box;
    }
}

TEST(OutputDialogs, TargetPrinterOptions) {
    struct Case {
        DialogRun run;
        bool warnings;
        int dpiX, dpiY;
        bool changed;
        QString widthShown;  // the width box afterwards, in printer dots
    };
    auto opens = [](bool warnings, QString h, QString v) {
        return [=](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Target Printer Options");
            EXPECT_EQ(control<QCheckBox>(d, "PrintWarningCheckBox")->isChecked(), warnings);
            EXPECT_EQ(control<QComboBox>(d, "HDPI")->currentText(), h);
            EXPECT_EQ(control<QComboBox>(d, "VDPI")->currentText(), v);
            EXPECT_EQ(control<QComboBox>(d, "HDPI")->itemText(0), "  72");
            EXPECT_EQ(control<QComboBox>(d, "VDPI")->itemText(10), "2400");
            EXPECT_EQ(control<QPushButton>(d, "Command3")->text(), "Select Printer...");
        };
    };
    auto choose = [](bool warnings, QString h, QString v) {
        return [=](QDialog& d) {
            control<QCheckBox>(d, "PrintWarningCheckBox")->setChecked(warnings);
            control<QComboBox>(d, "HDPI")->setEditText(h);
            control<QComboBox>(d, "VDPI")->setEditText(v);
        };
    };
    const std::string at300 = "[HORIZONTALDPI=300][VERTICALDPI=300]";
    const Case cases[] = {
        {{at300, nullptr, "MPrinter", opens(true, "300", "300"), choose(false, "600", "203.4"), "Command1"},
         false, 600, 203, true, ""},
        {{at300, nullptr, "MPrinter", opens(true, "300", "300"), choose(false, "600", "200"), "Command2"},
         true, 300, 300, false, ""},
        // Typed 0 becomes 1; OK with nothing changed leaves the file unchanged.
        {{at300, nullptr, "MPrinter", opens(true, "300", "300"), choose(true, "0", "300"), "Command1"},
         true, 1, 300, true, ""},
        {{at300 + "[PRINTWARNINGS=OFF]", nullptr, "MPrinter", opens(false, "300", "300"), nullptr, "Command1"},
         false, 300, 300, false, ""},
        // In printer dots the width box shows the same width at the new
        // resolution: 6 dots at 300 dpi are 12 at 600.
        {{at300 + "[DOTS][BARWIDTH=6]", nullptr, "MPrinter", opens(true, "300", "300"),
          choose(true, " 600", "600"), "Command1"},
         true, 600, 600, true, "12"},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        runDialogCase(f, c.run);
        const SymbolSettings& s = f.app().settings;
        EXPECT_EQ(s.printerWarnings, c.warnings) << c.run.setup;
        EXPECT_EQ(s.printerDpiX, c.dpiX) << c.run.setup;
        EXPECT_EQ(s.printerDpiY, c.dpiY) << c.run.setup;
        EXPECT_EQ(s.changed, c.changed) << c.run.setup;
        if (!c.widthShown.isEmpty()) {
            EXPECT_EQ(f.find<QLineEdit>("NBWidth")->text(), c.widthShown);
        }
    }
}

// Cancel in the print setup dialog changes nothing, also from inside the
// target printer dialog.
TEST(OutputDialogs, PrintSetupCancelledChangesNothing) {
    for (const char* entry : {"PSetup", "MPrinter"}) {
        WindowFixture f;
        ASSERT_TRUE(f.session.run("[HORIZONTALDPI=123][VERTICALDPI=321]"));
        std::vector<QString> titles;
        f.dialog = [&](QDialog& d) {
            titles.push_back(d.windowTitle());
            if (d.objectName() == "WarnForm") {
                press(d, "Command3");
                press(d, "Command1");
            } else {
                EXPECT_NE(d.findChild<QListWidget*>("Printers"), nullptr);
                press(d, "Command2");
            }
        };
        f.find<QAction>(entry)->trigger();
        const std::vector<QString> expected =
            std::string(entry) == "PSetup" ? std::vector<QString>{"Print Setup"}
                                           : std::vector<QString>{"Target Printer Options", "Print Setup"};
        EXPECT_EQ(titles, expected) << entry;
        EXPECT_EQ(f.app().settings.printerDpiX, 123) << entry;
        EXPECT_EQ(f.app().settings.printerDpiY, 321) << entry;
    }
}

TEST(OutputDialogs, PrintMargins) {
    struct Case {
        DialogRun run;
        float left, top;
        bool printed;
    };
    const std::string job = (std::filesystem::temp_directory_path() /
                             ("quillet-window-print-" + std::to_string(::getpid()) + ".pdf")).string();
    ::setenv("QUILLET_PRINT_TO_FILE", job.c_str(), 1);
    auto opens = [](QString left, QString top) {
        return [=](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Print Margins");
            EXPECT_EQ(control<QPushButton>(d, "Command1")->text(), "Print");
            EXPECT_EQ(control<QLineEdit>(d, "Text1")->text(), left);
            EXPECT_EQ(control<QLineEdit>(d, "Text3")->text(), top);
        };
    };
    auto margins = [](QString left, QString top) {
        return [=](QDialog& d) {
            typeOver(d, "Text1", left);
            typeOver(d, "Text3", top);
        };
    };
    const std::string built = "[CODE128][MESSAGE='PRINT ME'][BUILD/COPY]";
    const Case cases[] = {
        {{built, nullptr, "PPrint", opens("0", "0"), margins("1.0", "0.5"), "Command1"}, 1.0f, 0.5f, true},
        {{built, nullptr, "PPrint", opens("0", "0"), margins("1.0", "0.5"), "Command2"}, 0.0f, 0.0f, false},
        {{built + "[LEFTPRINTMARGIN=0.25][TOPPRINTMARGIN=2]", nullptr, "PPrint", opens("0.25", "2"), nullptr,
          "Command1"},
         0.25f, 2.0f, true},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(job);
        WindowFixture f;
        runDialogCase(f, c.run);
        EXPECT_FLOAT_EQ(f.app().settings.raster.leftPrintMargin, c.left) << c.run.setup;
        EXPECT_FLOAT_EQ(f.app().settings.raster.topPrintMargin, c.top) << c.run.setup;
        EXPECT_EQ(std::filesystem::exists(job) && std::filesystem::file_size(job) > 0, c.printed) << c.run.button;
    }
    std::filesystem::remove(job);
    ::unsetenv("QUILLET_PRINT_TO_FILE");
}

// Ctrl+P is the print entry's shortcut.
TEST(OutputDialogs, PrintEntryAndShortcut) {
    WindowFixture f;
    QAction* print = f.find<QAction>("PPrint");
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(print->text(), "&Print...");
    EXPECT_EQ(print->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    for (const char* name : {"mnuRaster", "MPrinter", "PSetup", "IncNumbering"})
        EXPECT_NE(f.find<QAction>(name), nullptr) << name;
}

}  // namespace
}  // namespace quillet
