// The font and colour choosers: each opens with the current value; OK
// stores the choice as the menu entry's command does, Cancel nothing.
#include <gtest/gtest.h>

#include <QColorDialog>
#include <QFontDialog>

#include "app/window/test_support/window_fixture.h"

namespace quillet {
namespace {

using test::WindowFixture;

TEST(FontColourDialogs, FontDialog) {
    struct Case {
        std::string setup;
        int openedSize;
        bool openedBold, openedUnderline;
        bool accept;
        int size;  // chosen
        bool bold, italic, underline, strikeout;
        bool changed;
    } cases[] = {
        {"", 10, false, false, true, 14, true, false, true, false, true},
        {"", 10, false, false, false, 14, true, false, true, false, false},
        {"[FONTSIZE=8][FONTBOLD][UNDERLINE=ON]", 8, true, true, true, 12, false, true, false, true, true},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        ASSERT_TRUE(f.session.run(c.setup));
        f.app().settings.changed = false;
        QFont shownFont;
        f.dialog = [&](QDialog& d) {
            auto& dialog = dynamic_cast<QFontDialog&>(d);
            const QFont opened = dialog.currentFont();
            EXPECT_EQ(opened.pointSize(), c.openedSize) << c.setup;
            EXPECT_EQ(opened.underline(), c.openedUnderline) << c.setup;
            QFont chosen = opened;
            chosen.setPointSize(c.size);
            chosen.setBold(c.bold);
            chosen.setItalic(c.italic);
            chosen.setUnderline(c.underline);
            chosen.setStrikeOut(c.strikeout);
            dialog.setCurrentFont(chosen);
            // Bold and italic depend on the styles the family has here.
            shownFont = dialog.currentFont();
            EXPECT_EQ(shownFont.pointSize(), c.size);
            EXPECT_EQ(shownFont.underline(), c.underline);
            EXPECT_EQ(shownFont.strikeOut(), c.strikeout);
            d.setResult(c.accept ? QDialog::Accepted : QDialog::Rejected);
        };
        f.find<QAction>("MCustFont")->trigger();
        const SymbolSettings& s = f.app().settings;
        const SymbolSettings before;  // a fresh start's font
        if (c.accept) {
            EXPECT_EQ(s.fontName, shownFont.family().toStdString());
            EXPECT_EQ(s.fontSize, c.size);
            EXPECT_EQ(s.bold, shownFont.bold());
            EXPECT_EQ(s.italic, shownFont.italic());
            EXPECT_EQ(s.underline, c.underline);
            EXPECT_EQ(s.strikeout, c.strikeout);
        } else {
            EXPECT_EQ(s.fontName, before.fontName);
            EXPECT_EQ(s.fontSize, c.openedSize);
            EXPECT_EQ(s.bold, c.openedBold);
        }
        EXPECT_EQ(s.changed, c.changed) << c.setup;
    }
}

TEST(FontColourDialogs, ColourDialogs) {
    struct Case {
        const char* entry;
        std::string setup;
        QColor opened, chosen;
        bool accept;
        Colour fore, back, font;
        bool transparent, changed;
    } cases[] = {
        {"MFColor", "", Qt::black, QColor(200, 10, 20), true, 0x140AC8, 0xFFFFFF, 0, false, false},
        {"MFColor", "[FORECOLORRGB=1 2 3]", QColor(1, 2, 3), QColor(200, 10, 20), false, 0x030201, 0xFFFFFF, 0,
         false, false},
        // A background colour turns transparent off.
        {"SMBColor", "[TRANSPARENT]", Qt::white, QColor(0, 0, 255), true, 0, 0xFF0000, 0, false, true},
        {"SMBColor", "[TRANSPARENT]", Qt::white, QColor(0, 0, 255), false, 0, 0xFFFFFF, 0, true, false},
        {"MFontColor", "[FONTCOLORRGB=0 128 0]", QColor(0, 128, 0), QColor(10, 20, 30), true, 0, 0xFFFFFF, 0x1E140A,
         false, true},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        ASSERT_TRUE(f.session.run(c.setup));
        f.app().settings.changed = false;
        f.dialog = [&](QDialog& d) {
            auto& dialog = dynamic_cast<QColorDialog&>(d);
            EXPECT_EQ(dialog.currentColor(), c.opened) << c.entry << c.setup;
            dialog.setCurrentColor(c.chosen);
            d.setResult(c.accept ? QDialog::Accepted : QDialog::Rejected);
        };
        f.find<QAction>(c.entry)->trigger();
        const SymbolSettings& s = f.app().settings;
        EXPECT_EQ(s.foreColour, c.fore) << c.entry << c.setup;
        EXPECT_EQ(s.backColour, c.back) << c.entry << c.setup;
        EXPECT_EQ(s.fontColour, c.font) << c.entry << c.setup;
        EXPECT_EQ(s.transparent, c.transparent) << c.entry << c.setup;
        EXPECT_EQ(s.changed, c.changed) << c.entry << c.setup;
    }
}

}  // namespace
}  // namespace quillet
