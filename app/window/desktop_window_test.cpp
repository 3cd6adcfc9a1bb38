// The main window on the offscreen platform: what a person types, chooses
// and presses reaches the command routines, and the window shows the
// model they leave, down to the preview a reader decodes.
#include "app/window/desktop_window.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <filesystem>

#include "app/automation/config_file.h"
#include "app/model/messages.h"
#include "app/model/symbology.h"
#include "app/window/option_menu_table.h"
#include "app/window/test_support/window_fixture.h"
#include "tests/support/app_harness.h"

namespace quillet {
namespace {

using test::WindowFixture;

QString caption(int code) {
    const auto c = symbologyInfo(code).caption;
    return QString::fromUtf8(c.data(), qsizetype(c.size()));
}

TEST(DesktopWindow, TypedMessageBuildsToAPreviewThatDecodes) {
    struct Case {
        int code;
        QString message;
        QString width;  // typed into NBWidth first, when given
        std::string decoded;
        std::string format;
    } cases[] = {
        {1, "QUILLET 123", "", "QUILLET 123", "Code39"},
        // At a screen's resolution a 13 mil module is little more than a pixel.
        {13, "Hello 128", "26", "Hello 128", "Code128"},
        {7, "590123412345", "", "5901234123457", "EAN-13"},
        {18, "https://example.com/q", "", "https://example.com/q", "QRCode"},
        {17, "DATA MATRIX 17", "", "DATA MATRIX 17", "DataMatrix"},
        {15, "PDF417 window", "20", "PDF417 window", "PDF417"},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        f.choose(caption(c.code));
        ASSERT_EQ(f.app().settings.symbology, c.code) << c.format;
        f.typeInto("Message", c.message);
        if (!c.width.isEmpty()) f.replaceText("NBWidth", c.width);
        EXPECT_TRUE(f.find<QLabel>("BarCode")->isHidden());
        f.pressBuildCopy();
        EXPECT_TRUE(f.app().settings.symbolBuilt) << c.format;
        EXPECT_TRUE(f.boxes.empty()) << c.format << ": " << f.boxes.front().text.toStdString();
        const test::Decoded d = test::decode(f.preview(), c.format);
        EXPECT_TRUE(d.ok) << c.format;
        EXPECT_EQ(d.text, c.decoded) << c.format;
        EXPECT_TRUE(f.find<QLabel>("Label10")->isHidden());
    }
}

// True size: the preview is as many pixels as the symbol's inches at the
// screen's resolution.
TEST(DesktopWindow, PreviewIsAtTrueSize) {
    WindowFixture f;
    f.typeInto("Message", "TRUE SIZE");
    f.pressBuildCopy();
    ASSERT_TRUE(f.app().output.lastSymbol);
    const RecordedMetafile& p = f.app().output.lastSymbol->metafile;
    const QSize size = f.find<QLabel>("BarCode")->size();
    EXPECT_NEAR(size.width(), p.xExt / 2540.0 * f.window->previewDpiX(), 1.0);
    EXPECT_NEAR(size.height(), p.yExt / 2540.0 * f.window->previewDpiY(), 1.0);
}

TEST(DesktopWindow, BuildCopyFromTheMenuAndItsShortcut) {
    WindowFixture f;
    f.typeInto("Message", "MENU");
    QAction* copy = f.find<QAction>("MCopy");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->text(), "&Build/Copy");
    EXPECT_EQ(copy->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_B));
    copy->trigger();
    EXPECT_TRUE(f.app().settings.symbolBuilt);
    EXPECT_EQ(test::decode(f.preview(), "Code39").text, "MENU");
}

TEST(DesktopWindow, RefusedMessageShowsItsMessageBox) {
    WindowFixture f;
    f.choose(caption(3));
    f.typeInto("Message", "12");
    f.pressBuildCopy();
    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].title, "Quillet");
    EXPECT_EQ(f.boxes[0].text, ansiText(messageText(2)));
    EXPECT_EQ(f.boxes[0].buttons, QMessageBox::Ok);
    EXPECT_FALSE(f.app().settings.symbolBuilt);
    EXPECT_TRUE(f.find<QLabel>("BarCode")->isHidden());
    // An empty message is refused before anything else.
    WindowFixture empty;
    empty.pressBuildCopy();
    ASSERT_EQ(empty.boxes.size(), 1u);
    EXPECT_EQ(empty.boxes[0].text, ansiText(messageText(-1)));
}

TEST(DesktopWindow, DimensionWarningCancelledKeepsThePreview) {
    WindowFixture f;
    f.typeInto("Message", "KEEP");
    f.pressBuildCopy();
    const test::GreyImage before = f.preview();
    ASSERT_TRUE(test::decode(before, "Code39").ok);
    f.replaceText("NBWidth", "5");
    f.answer = [](const test::ShownBox&) { return QMessageBox::Cancel; };
    f.pressBuildCopy();
    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].title, "Invalid Dimension Warning");
    EXPECT_EQ(f.boxes[0].icon, QMessageBox::Warning);
    EXPECT_EQ(f.boxes[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(f.preview().pixels, before.pixels);
}

TEST(DesktopWindow, PasteHintOnceForThePersonAtTheWindow) {
    WindowFixture f(/*pasteHint=*/true);
    f.typeInto("Message", "HINT");
    f.pressBuildCopy();
    f.pressBuildCopy();
    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].title, "Important information about your bar code.");
    EXPECT_TRUE(f.boxes[0].text.startsWith("The bar code that you just created"));
}

TEST(DesktopWindow, SymbologyMenuHoldsEveryCaptionAndTicksOne) {
    WindowFixture f;
    for (int code = 1; code <= kSymbologyCount; ++code) {
        QAction* a = f.find<QAction>(("MCode" + std::to_string(code)).c_str());
        ASSERT_NE(a, nullptr) << code;
        EXPECT_EQ(a->text(), caption(code));
    }
    for (const char* fim : {"Postal &FIM-A Pattern", "Postal FIM-&B Pattern", "Postal FIM-&C Pattern"})
        EXPECT_NE(f.menuEntry(fim), nullptr) << fim;
    // Whatever selects the symbology, one entry is ticked: the current one.
    for (const std::string execute : {"[QR]", "[EAN13]", "[RSS14]"}) {
        f.session.run(execute);
        f.window->refresh();
        for (int code = 1; code <= kSymbologyCount; ++code)
            EXPECT_EQ(f.find<QAction>(("MCode" + std::to_string(code)).c_str())->isChecked(),
                      code == f.app().settings.symbology)
                << execute << " " << code;
    }
}

TEST(DesktopWindow, FimPatternFromTheMenu) {
    WindowFixture f;
    f.choose("Postal FIM-&B Pattern");
    EXPECT_FALSE(f.find<QLabel>("BarCode")->isHidden());
    ASSERT_TRUE(f.app().output.lastSymbol);
    const RecordedMetafile& p = f.app().output.lastSymbol->metafile;
    EXPECT_EQ(p.xExt, 1350);
    EXPECT_EQ(p.yExt, 1588);
}

TEST(DesktopWindow, FieldsAndMenusFollowTheSymbology) {
    struct Case {
        int code;
        bool supplement;
        QString supplementLabel;
        bool ratio, magnify, width, height, comment, insertList;
        QString ratioLabel;
        std::vector<QString> shownOptions, hiddenOptions;
    } cases[] = {
        {1, false, "", true, false, true, true, true, false, "Narrow To Wide Ratio",
         {"Include B&earer Bars", "Include Optional Check Digit", "Include &Text"}, {}},
        {3, true, "UPC Supplemental:", false, true, true, true, true, false, "Magnification (percent)",
         {"Include &Quiet Zones"}, {"Include B&earer Bars", "Include Optional Check Digit"}},
        {13, false, "", false, false, true, true, true, true, "", {"Include B&earer Bars"},
         {"Include Optional Check Digit"}},
        {18, false, "", false, false, true, false, false, true, "", {"C&omment Above Bar Code"},
         {"Include &Text", "Include &Quiet Zones"}},
        {24, false, "", false, false, false, false, false, false, "", {"&Transparent", "Vertical &90 degrees"},
         {"Include &Text", "Include &Quiet Zones", "Left", "0%", "&Inches (mils)"}},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        f.choose(caption(c.code));
        auto visible = [&](const char* name) { return f.find<QWidget>(name)->isVisible(); };
        EXPECT_EQ(visible("Supplement"), c.supplement) << c.code;
        if (c.supplement) {
            EXPECT_EQ(f.find<QLabel>("SupplementLabel")->text(), c.supplementLabel);
        }
        EXPECT_EQ(visible("RatioList"), c.ratio) << c.code;
        EXPECT_EQ(visible("Magnify"), c.magnify) << c.code;
        if (c.ratio || c.magnify) {
            EXPECT_EQ(f.find<QLabel>("RatioLabel")->text(), c.ratioLabel);
        }
        EXPECT_EQ(visible("NBWidth"), c.width) << c.code;
        EXPECT_EQ(visible("BCHeight"), c.height) << c.code;
        EXPECT_EQ(visible("Comment"), c.comment) << c.code;
        EXPECT_EQ(visible("AsciiMenu"), c.insertList) << c.code;
        EXPECT_EQ(f.find<QLabel>("Label8")->text(), "Total Symbol Width =");
        for (const QString& o : c.shownOptions) EXPECT_TRUE(f.menuEntry(o)->isVisible()) << c.code << " " << o.toStdString();
        for (const QString& o : c.hiddenOptions) EXPECT_FALSE(f.menuEntry(o)->isVisible()) << c.code << " " << o.toStdString();
    }
}

TEST(DesktopWindow, LabelsFollowUnitsAndOrientation) {
    WindowFixture f;
    EXPECT_EQ(f.find<QLabel>("WidthLabel")->text(), "Narrow Bar Width (mils)");
    EXPECT_EQ(f.find<QLineEdit>("NBWidth")->text(), "13.00");
    f.choose("&Metric (.001 cm)");
    EXPECT_EQ(f.find<QLabel>("WidthLabel")->text(), "Narrow Bar Width (.001cm)");
    EXPECT_EQ(f.find<QLabel>("HeightLabel")->text(), "Bar Height (cm)");
    EXPECT_EQ(f.find<QLineEdit>("NBWidth")->text(), "33.02");
    f.choose("Vertical &90 degrees");
    EXPECT_EQ(f.find<QLabel>("Label8")->text(), "Total Symbol Height =");
    f.choose("Include Optional Check Digit");
    EXPECT_EQ(f.find<QLabel>("CheckLabel")->text(), "Check Digit Value =");
    EXPECT_TRUE(f.find<QLabel>("CheckLabel")->isVisible());
}

// Each option entry runs its command, and its check mark follows the
// setting whether the menu or an execute string changed it.
TEST(DesktopWindow, OptionCheckMarksFollowTheSettings) {
    struct Case {
        QString entry;
        std::string execute;
        bool checked;
        bool (*holds)(const SymbolSettings&);
        QString unticked = {};  // the entry of the same group that loses its mark
    } cases[] = {
        {"Include &Text", "[TEXT=OFF]", false, [](const SymbolSettings& s) { return !s.includeText; }},
        {"Text &Above Bar Code", "[TEXTABOVE=ON]", true, [](const SymbolSettings& s) { return s.textAbove; }},
        {"C&omment Above Bar Code", "[COMMENTABOVE=OFF]", false,
         [](const SymbolSettings& s) { return !s.commentAbove; }},
        {"Automatic Font &Scaling", "[FONTSCALING=ON]", true, [](const SymbolSettings& s) { return s.autoFontScaling; }},
        {"Include &Quiet Zones", "[QUIETZONES=ON]", true, [](const SymbolSettings& s) { return s.quietZones; }},
        {"Include B&earer Bars", "[BEARERBARS=ON]", true, [](const SymbolSettings& s) { return s.bearerBars; }},
        {"Include Optional Check Digit", "[CODE39CHECK=ON]", true,
         [](const SymbolSettings& s) { return s.optionalCheckDigit; }},
        {"&Transparent", "[TRANSPARENT]", true, [](const SymbolSettings& s) { return s.transparent; }},
        {"Center", "[COMMENTALIGNCENTER]", true, [](const SymbolSettings& s) { return s.commentAlign == AlignCentre; },
         "Left"},
        {"Right", "[COMMENTALIGNRIGHT]", true, [](const SymbolSettings& s) { return s.commentAlign == AlignRight; },
         "Left"},
        {"Gain", "[BARREDUCTION=-10]", true, [](const SymbolSettings& s) { return gainOn(s); }, "Reduction"},
        {"25%", "[BARREDUCTION=25]", true, [](const SymbolSettings& s) { return reductionStep(s) == 5; }, "0%"},
        {"Vertical &90 degrees", "[VERTDOWN]", true,
         [](const SymbolSettings& s) { return s.orientation == Vertical90; }, "&Horizontal"},
        {"Vertical &270 degrees", "[VERTUP]", true,
         [](const SymbolSettings& s) { return s.orientation == Vertical270; }, "&Horizontal"},
        {"&Metric (.001 cm)", "[METRIC]", true, [](const SymbolSettings& s) { return s.unitMode == UnitMetric; },
         "&Inches (mils)"},
        {"Printer &Dots", "[DOTS]", true, [](const SymbolSettings& s) { return s.unitMode == UnitPrinterDots; },
         "&Inches (mils)"},
        {"A&NSI", "[DISPLAYANSI]", true, [](const SymbolSettings& s) { return s.characterSet == CharsetAnsi; },
         "&ASCII"},
        {"Enable Invalid Message &Warnings", "[MESSAGEWARNINGS=OFF]", false,
         [](const SymbolSettings& s) { return !s.messageWarnings; }},
        {"Enable Printer &Resolution Warnings", "[PRINTWARNINGS=OFF]", false,
         [](const SymbolSettings& s) { return !s.printerWarnings; }},
        {"Fix Driver &Incompatibility Problems", "[FIXDRIVER=ON]", true,
         [](const SymbolSettings& s) { return s.fixDriverIncompatibility; }},
    };
    for (const Case& c : cases) {
        const std::string what = c.entry.toStdString();
        {
            WindowFixture byMenu;
            QAction* a = byMenu.menuEntry(c.entry);
            ASSERT_NE(a, nullptr) << what;
            a->trigger();
            EXPECT_TRUE(c.holds(byMenu.app().settings)) << what;
            EXPECT_EQ(a->isChecked(), c.checked) << what;
            if (!c.unticked.isEmpty()) {
                EXPECT_FALSE(byMenu.menuEntry(c.unticked)->isChecked()) << what;
            }
        }
        WindowFixture byCommand;
        ASSERT_TRUE(byCommand.session.run(c.execute)) << c.execute;
        byCommand.window->refresh();
        EXPECT_TRUE(c.holds(byCommand.app().settings)) << c.execute;
        EXPECT_EQ(byCommand.menuEntry(c.entry)->isChecked(), c.checked) << c.execute;
        if (!c.unticked.isEmpty()) {
            EXPECT_FALSE(byCommand.menuEntry(c.unticked)->isChecked()) << c.execute;
        }
    }
}

TEST(DesktopWindow, EveryOptionEntryHasOneMenuItem) {
    WindowFixture f;
    for (const OptionEntry& e : optionMenuEntries()) {
        const QString text = QString::fromUtf8(e.caption.data(), qsizetype(e.caption.size()));
        int found = 0;
        for (QAction* a : f.window->findChildren<QAction*>()) found += a->text() == text;
        EXPECT_EQ(found, 1) << e.caption;
    }
}

// An option changed while a symbol is built rebuilds it, and the preview
// shows the rebuilt symbol.
TEST(DesktopWindow, OptionRebuildsTheBuiltSymbol) {
    WindowFixture f;
    f.typeInto("Message", "WIDER");
    f.pressBuildCopy();
    const int before = f.find<QLabel>("BarCode")->width();
    f.choose("Include &Quiet Zones");
    EXPECT_GT(f.find<QLabel>("BarCode")->width(), before);
    EXPECT_EQ(test::decode(f.preview(), "Code39").text, "WIDER");
}

TEST(DesktopWindow, MessageBoxShowsAndEditsTheStoredMessage) {
    WindowFixture f;
    ASSERT_TRUE(f.session.run("[DISPLAYANSI][MESSAGE='A' 0 'B']"));
    f.window->refresh();
    auto* box = f.find<QLineEdit>("Message");
    EXPECT_EQ(box->text(), QString::fromUtf8("A\u00FFB"));
    box->setFocus();
    box->end(false);
    QTest::keyClicks(box, "C");
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_Delete);
    EXPECT_EQ(f.app().settings.message, std::string("\0BC", 3));
    EXPECT_EQ(box->text(), QString::fromUtf8("\u00FFBC"));
}

// The tool buttons are the menu entries: pressing one runs its command,
// and a change from elsewhere moves its check mark.
TEST(DesktopWindow, ToolButtonsAreTheMenuEntries) {
    WindowFixture f;
    auto* tools = f.find<QToolBar>("ToolBar");
    ASSERT_NE(tools, nullptr);
    QStringList names;
    for (QAction* a : tools->actions())
        if (!a->isSeparator()) names << a->text();
    EXPECT_EQ(names, (QStringList{"&Build/Copy", "&Paste", "&Horizontal", "Vertical &90 degrees",
                                  "Vertical &270 degrees", "&Print...", "&Verify Before Printing"}))
        << names.join(", ").toStdString();
    auto button = [&](const QString& text) {
        for (QAction* a : tools->actions())
            if (a->text() == text) return qobject_cast<QToolButton*>(tools->widgetForAction(a));
        return static_cast<QToolButton*>(nullptr);
    };
    QToolButton* vertical = button("Vertical &90 degrees");
    ASSERT_NE(vertical, nullptr);
    QTest::mouseClick(vertical, Qt::LeftButton);
    EXPECT_EQ(f.app().settings.orientation, Vertical90);
    EXPECT_TRUE(vertical->isChecked());
    ASSERT_TRUE(f.session.run("[HORIZONTAL]"));
    f.window->refresh();
    EXPECT_FALSE(vertical->isChecked());
    EXPECT_TRUE(button("&Horizontal")->isChecked());
    // Build/Copy from its tool button builds.
    f.typeInto("Message", "TOOL");
    QTest::mouseClick(button("&Build/Copy"), Qt::LeftButton);
    EXPECT_TRUE(f.app().settings.symbolBuilt);
    EXPECT_TRUE(button("&Verify Before Printing")->isEnabled());
}

TEST(DesktopWindow, InsertListPutsItsCharacterAtTheCursor) {
    WindowFixture f;
    f.choose(caption(13));
    f.typeInto("Message", "AB");
    auto* box = f.find<QLineEdit>("Message");
    box->setCursorPosition(1);
    auto* list = f.find<QListWidget>("AsciiMenu");
    ASSERT_EQ(list->count(), 132);
    emit list->itemActivated(list->item(128));  // FNC1
    EXPECT_EQ(f.app().settings.message, "A\x80" "B");
    EXPECT_TRUE(list->item(128)->text().contains("FNC1"));
}

TEST(DesktopWindow, DimensionBoxesFilterKeysAndStoreWhatTheyRead) {
    WindowFixture f;
    f.replaceText("NBWidth", "2x0.5");
    EXPECT_EQ(f.find<QLineEdit>("NBWidth")->text(), "20.5");
    EXPECT_FLOAT_EQ(f.app().settings.narrowWidth, float(20.5 * 2.54));
    f.replaceText("NBWidth", "123456");
    EXPECT_EQ(f.find<QLineEdit>("NBWidth")->text(), "12345");
    f.replaceText("BCHeight", "1.5");
    EXPECT_FLOAT_EQ(f.app().settings.barHeight, float(1.5 * 2.54));
    // A UPC/EAN width typed shows its magnification, 13 mils being 100 %.
    f.choose(caption(3));
    f.replaceText("NBWidth", "26");
    EXPECT_EQ(f.find<QComboBox>("Magnify")->currentText(), "200");
    // And a magnification typed rewrites the width.
    auto* magnify = f.find<QComboBox>("Magnify");
    magnify->lineEdit()->selectAll();
    QTest::keyClick(magnify->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(magnify->lineEdit(), "x150");
    EXPECT_EQ(magnify->currentText(), "150");
    EXPECT_EQ(f.find<QLineEdit>("NBWidth")->text(), "19.5");
}

TEST(DesktopWindow, RatioListSetsTheRatio) {
    WindowFixture f;
    auto* ratio = f.find<QComboBox>("RatioList");
    ASSERT_EQ(ratio->count(), 11);
    EXPECT_EQ(ratio->currentText(), "2.5");
    ratio->setCurrentIndex(8);
    emit ratio->activated(8);
    EXPECT_FLOAT_EQ(f.app().settings.ratio, 2.8f);
}

// The configuration named on the command line opens in the window.
TEST(DesktopWindow, ConfigurationOpensIntoTheWindow) {
    const std::string path = test::tempPath("window_config", ".qcf");
    {
        test::Session writer;
        ASSERT_TRUE(writer.run("[EAN13][MESSAGE='590123412345'][COMMENT=shelf][QUIETZONES=ON][METRIC]"));
        ASSERT_TRUE(SaveConfiguration(writer.app, path));
    }
    WindowFixture f;
    f.window->openConfiguration(path);
    std::filesystem::remove(path);
    EXPECT_TRUE(f.boxes.empty());
    EXPECT_EQ(f.find<QLineEdit>("Message")->text(), "590123412345");
    EXPECT_EQ(f.find<QLineEdit>("Comment")->text(), "shelf");
    EXPECT_TRUE(f.find<QAction>("MCode7")->isChecked());
    EXPECT_TRUE(f.menuEntry("Include &Quiet Zones")->isChecked());
    EXPECT_TRUE(f.menuEntry("&Metric (.001 cm)")->isChecked());
    EXPECT_EQ(f.find<QLabel>("WidthLabel")->text(), "Narrow Bar Width (.001cm)");
    EXPECT_TRUE(f.window->windowTitle().contains(QString::fromStdString(configFileName(path))));
    EXPECT_TRUE(f.find<QLineEdit>("Message")->hasFocus() || !f.window->isActiveWindow());
}

}  // namespace
}  // namespace quillet
