// The option dialogs at the window: each opens from its menu entry with the
// current settings, OK stores what the dialog holds and Cancel nothing.
#include "app/window/option_dialogs.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>

#include "app/window/test_support/dialog_run.h"

namespace quillet {
namespace {

using namespace test;

TEST(OptionDialogs, Pdf417AdvancedOptions) {
    struct Case {
        DialogRun run;
        Pdf417Options after;
        bool changed;
    };
    auto opensWithDefaults = [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "PDF417 Advanced Options");
        EXPECT_EQ(control<QComboBox>(d, "CompressionCombo")->count(), 5);
        EXPECT_EQ(control<QComboBox>(d, "SLevelCombo")->itemText(9), "Auto %");
        EXPECT_EQ(control<QComboBox>(d, "PctOverheadCombo")->itemText(99), "99%");
        EXPECT_EQ(listIndex(d, "SLevelCombo"), 9);
        EXPECT_EQ(listIndex(d, "PctOverheadCombo"), 11);
        EXPECT_EQ(control<QComboBox>(d, "MaxRows")->currentText(), "90");
        EXPECT_EQ(control<QComboBox>(d, "MaxCols")->currentText(), "30");
        EXPECT_TRUE(control<QComboBox>(d, "PctOverheadCombo")->isVisible());
    };
    auto editAll = [](QDialog& d) {
        control<QComboBox>(d, "CompressionCombo")->setCurrentIndex(3);
        control<QComboBox>(d, "SLevelCombo")->setCurrentIndex(4);
        // A fixed level hides the overhead list.
        EXPECT_FALSE(control<QComboBox>(d, "PctOverheadCombo")->isVisible());
        control<QComboBox>(d, "MaxRows")->setCurrentIndex(7);
        control<QComboBox>(d, "MaxCols")->setCurrentIndex(4);
        control<QCheckBox>(d, "CodeWordsCheckBox")->setChecked(true);
        control<QCheckBox>(d, "TruncPDF")->setChecked(true);
    };
    Pdf417Options defaults;
    Pdf417Options edited = defaults;
    edited.pdfCompaction = 3;
    edited.pdfSecurityLevel = 4;
    edited.pdfMaxRows = 10;
    edited.pdfMaxColumns = 5;
    edited.pdfShowCodewords = true;
    edited.pdfTruncated = true;
    Pdf417Options fromCommands = defaults;
    fromCommands.pdfCompaction = 4;
    fromCommands.pdfSecurityLevel = 2;
    fromCommands.pdfMaxRows = 12;
    fromCommands.pdfShowCodewords = true;
    const Case cases[] = {
        {{"[PDF417]", nullptr, "PDFOps", opensWithDefaults, editAll, "Command1"}, edited, true},
        {{"[PDF417]", nullptr, "PDFOps", opensWithDefaults, editAll, "Command2"}, defaults, false},
        // OK without a change stores the same values and changes nothing.
        {{"[PDF417]", nullptr, "PDFOps", opensWithDefaults, nullptr, "Command1"}, defaults, false},
        {{"[PDF417][PDFMODE=NUM][PDFSECURITY=2][PDFMAXROWS=12][PDFCODEWORDS=ON]", nullptr, "PDFOps",
          [](QDialog& d) {
              EXPECT_EQ(listIndex(d, "CompressionCombo"), 4);
              EXPECT_EQ(control<QComboBox>(d, "SLevelCombo")->currentText(), " 2");
              EXPECT_FALSE(control<QComboBox>(d, "PctOverheadCombo")->isVisible());
              EXPECT_EQ(control<QComboBox>(d, "MaxRows")->currentText(), "12");
              EXPECT_TRUE(ticked(d, "CodeWordsCheckBox"));
              EXPECT_FALSE(ticked(d, "TruncPDF"));
          },
          [](QDialog& d) { control<QComboBox>(d, "SLevelCombo")->setCurrentIndex(9); }, "Command1"},
         [&] {
             Pdf417Options o = fromCommands;
             o.pdfSecurityLevel = 9;
             return o;
         }(),
         true},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        runDialogCase(f, c.run);
        const Pdf417Options& o = f.app().settings.pdf;
        EXPECT_EQ(o, c.after) << c.run.setup << " " << c.run.button;
        EXPECT_EQ(f.app().settings.changed, c.changed) << c.run.setup << " " << c.run.button;
    }
}

TEST(OptionDialogs, QrCodeAdvancedOptions) {
    struct Case {
        DialogRun run;
        QrOptions after;
    };
    auto opens = [](int model, int level, int quiet) {
        return [=](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "QR Code Advanced Options");
            EXPECT_EQ(control<QComboBox>(d, "cboModel")->itemText(2), "MicroQR");
            EXPECT_EQ(control<QComboBox>(d, "cboECCLevel")->itemText(3), "H");
            EXPECT_EQ(control<QComboBox>(d, "cboQRQZSize")->count(), 10);
            EXPECT_EQ(listIndex(d, "cboModel"), model);
            EXPECT_EQ(listIndex(d, "cboECCLevel"), level);
            EXPECT_EQ(listIndex(d, "cboQRQZSize"), quiet);
            EXPECT_EQ(control<QPushButton>(d, "Command1")->text(), "&OK");
        };
    };
    auto choose = [](int model, int level, int quiet) {
        return [=](QDialog& d) {
            control<QComboBox>(d, "cboModel")->setCurrentIndex(model);
            control<QComboBox>(d, "cboECCLevel")->setCurrentIndex(level);
            control<QComboBox>(d, "cboQRQZSize")->setCurrentIndex(quiet);
        };
    };
    auto settings = [](int model, int level, int quiet) {
        return [=](SymbolSettings& s) { s.qr = {model, level, quiet}; };
    };
    const Case cases[] = {
        {{"[QR]", nullptr, "QROpts", opens(1, 1, 3), choose(0, 3, 9), "Command1"}, {1, 3, 10}},
        {{"[QR]", nullptr, "QROpts", opens(1, 1, 3), choose(0, 3, 9), "Command2"}, {2, 1, 4}},
        {{"[QR]", settings(3, 2, 1), "QROpts", opens(2, 2, 0), choose(1, 0, 4), "Command1"}, {2, 0, 5}},
        {{"[QR]", settings(3, 2, 1), "QROpts", opens(2, 2, 0), nullptr, "Command2"}, {3, 2, 1}},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        runDialogCase(f, c.run);
        EXPECT_EQ(f.app().settings.qr, c.after) << c.run.button;
    }
}

TEST(OptionDialogs, DataMatrixOptions) {
    struct Case {
        DialogRun run;
        DataMatrixOptions after;
    };
    auto radio = [](QDialog& d, const char* name) { return control<QRadioButton>(d, name); };
    // The frames shown for ECC 200 and for the other codes.
    auto framesFor200 = [=](QDialog& d, bool ecc200) {
        EXPECT_EQ(control<QWidget>(d, "Frame3")->isVisible(), ecc200);
        EXPECT_EQ(control<QWidget>(d, "TranslateTildes")->isVisible(), ecc200);
        EXPECT_EQ(control<QWidget>(d, "Frame2")->isVisible(), !ecc200);
    };
    const Case cases[] = {
        // Defaults: ECC 200, square auto size; a fixed size chosen.
        {{"[DATAMATRIX]", nullptr, "DMOpts",
          [=](QDialog& d) {
              EXPECT_EQ(d.windowTitle(), "Data Matrix Symbology Options");
              EXPECT_TRUE(radio(d, "Option1_5")->isChecked());
              EXPECT_TRUE(radio(d, "Option3_0")->isChecked());
              EXPECT_EQ(radio(d, "Option3_7")->text(), "Square - Fixed Size:");
              EXPECT_EQ(control<QComboBox>(d, "Combo1")->itemText(23), "144 X 144");
              framesFor200(d, true);
          },
          [](QDialog& d) {
              QTest::mouseClick(control<QRadioButton>(d, "Option3_7"), Qt::LeftButton);
              control<QComboBox>(d, "Combo1")->setCurrentIndex(3);
              control<QCheckBox>(d, "TranslateTildes")->setChecked(true);
          },
          "Command1"},
         {26, 5, 10, true}},
        // Choosing ECC 100 swaps the frames; its data format is stored.
        {{"[DATAMATRIX]", nullptr, "DMOpts", [=](QDialog& d) { framesFor200(d, true); },
          [=](QDialog& d) {
              QTest::mouseClick(control<QRadioButton>(d, "Option1_3"), Qt::LeftButton);
              framesFor200(d, false);
              QTest::mouseClick(control<QRadioButton>(d, "Option2_2"), Qt::LeftButton);
          },
          "Command1"},
         {8, 3, 0, false}},
        {{"[DATAMATRIX]", nullptr, "DMOpts", [=](QDialog& d) { framesFor200(d, true); },
          [](QDialog& d) { QTest::mouseClick(control<QRadioButton>(d, "Option1_3"), Qt::LeftButton); }, "Command2"},
         {26, 5, 0, false}},
        // Opening shows stored settings: ECC 50, binary, a fixed square size.
        {{"[DATAMATRIX]", [](SymbolSettings& s) { s.dm = {3, 6, 12, true}; }, "DMOpts",
          [=](QDialog& d) {
              EXPECT_TRUE(radio(d, "Option1_1")->isChecked());
              EXPECT_TRUE(radio(d, "Option2_5")->isChecked());
              EXPECT_TRUE(radio(d, "Option3_7")->isChecked());
              EXPECT_EQ(listIndex(d, "Combo1"), 5);
              EXPECT_TRUE(ticked(d, "TranslateTildes"));
              framesFor200(d, false);
          },
          nullptr, "Command1"},
         {3, 6, 12, true}},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        runDialogCase(f, c.run);
        EXPECT_EQ(f.app().settings.dm, c.after) << c.run.button;
    }
}

TEST(OptionDialogs, AztecOptions) {
    struct Case {
        DialogRun run;
        int sizeSpec;
        bool menuSymbol;
        std::vector<QString> refusals;  // message boxes shown
    };
    auto opens = [](int option, QString text1, QString text2) {
        return [=](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Aztec Symbology Options");
            EXPECT_TRUE(control<QRadioButton>(d, ("Option1_" + std::to_string(option)).c_str())->isChecked());
            EXPECT_EQ(control<QLineEdit>(d, "Text1")->text(), text1);
            EXPECT_EQ(control<QLineEdit>(d, "Text2")->text(), text2);
            EXPECT_EQ(control<QLineEdit>(d, "Text1")->isVisible(), option == 1);
            EXPECT_EQ(control<QLineEdit>(d, "Text2")->isVisible(), option >= 2);
        };
    };
    auto choose = [=](int option, const char* box, QString typed) {
        return [=](QDialog& d) {
            QTest::mouseClick(control<QRadioButton>(d, ("Option1_" + std::to_string(option)).c_str()), Qt::LeftButton);
            if (box) typeOver(d, box, typed);
        };
    };
    const QString percentRefused = "Error Correction Percent must be between 1 and 99%";
    const QString compactRefused = "Number of layers for a compact symbol must be between 1 and 4";
    const Case cases[] = {
        {{"[AZTEC]", nullptr, "mAztecOpt", opens(0, "", ""), choose(1, "Text1", "35"), "Command1"}, 35, false, {}},
        // Letters are dropped as they are typed.
        {{"[AZTEC]", nullptr, "mAztecOpt", opens(0, "", ""), choose(2, "Text2", "3x"), "Command1"}, 103, false, {}},
        {{"[AZTEC][AZTECECP=210]", nullptr, "mAztecOpt", opens(3, "", "10"), choose(0, nullptr, ""), "Command1"},
         0,
         false,
         {}},
        {{"[AZTEC][AZTECECP=40][AZTECMENU=ON]", nullptr, "mAztecOpt",
          [=](QDialog& d) {
              opens(1, "40", "")(d);
              EXPECT_TRUE(ticked(d, "Check1"));
          },
          choose(3, "Text2", "20"), "Command2"},
         40,
         true,
         {}},
        // A refused value stays in the selector and the dialog open; Cancel
        // then closes it.
        {{"[AZTEC]", nullptr, "mAztecOpt", opens(0, "", ""),
          [=](QDialog& d) {
              choose(2, "Text2", "0")(d);
              press(d, "Command1");
              EXPECT_TRUE(d.isVisible());
              choose(1, "Text1", "100")(d);
              press(d, "Command1");
              EXPECT_TRUE(d.isVisible());
          },
          "Command2"},
         100,
         false,
         {compactRefused, percentRefused}},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        runDialogCase(f, c.run);
        EXPECT_EQ(f.app().settings.aztec.aztecSizeSpec, c.sizeSpec) << c.run.setup;
        EXPECT_EQ(f.app().settings.aztec.aztecMenuSymbol, c.menuSymbol) << c.run.setup;
        ASSERT_EQ(f.boxes.size(), c.refusals.size()) << c.run.setup;
        for (size_t i = 0; i < c.refusals.size(); ++i) {
            EXPECT_EQ(f.boxes[i].text, c.refusals[i]);
            EXPECT_EQ(f.boxes[i].icon, QMessageBox::NoIcon);
        }
    }
}

// An entry is shown only for its symbology.
TEST(OptionDialogs, EntriesFollowTheSymbology) {
    struct Case {
        std::string code;
        const char* shown;  // the one dialog entry shown, or none
    } cases[] = {
        {"[CODE39]", nullptr}, {"[PDF417]", "PDFOps"}, {"[AZTEC]", "mAztecOpt"},
        {"[DATAMATRIX]", "DMOpts"}, {"[QR]", "QROpts"}, {"[EAN13]", nullptr},
    };
    WindowFixture f;
    for (const Case& c : cases) {
        ASSERT_TRUE(f.session.run(c.code));
        f.window->refresh();
        for (const char* name : {"PDFOps", "mAztecOpt", "DMOpts", "QROpts"}) {
            QAction* a = f.find<QAction>(name);
            ASSERT_NE(a, nullptr) << name;
            EXPECT_EQ(a->isVisible(), c.shown && std::string(c.shown) == name) << c.code << " " << name;
        }
    }
}

}  // namespace
}  // namespace quillet
