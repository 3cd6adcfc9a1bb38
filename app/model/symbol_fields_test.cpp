// The window's view of the symbology: option menus, labels, unit fields
// and the three lists.
#include <gtest/gtest.h>

#include "app/commands/select_symbology.h"
#include "app/model/app_state.h"
#include "app/model/field_input.h"
#include "app/model/number_format.h"
#include "app/model/symbol_fields.h"
#include "app/model/symbology.h"

namespace quillet {
namespace {

// A window as it starts: ratio list filled, code 1 selected.
struct Window {
    AppState app;
    Window() {
        app.window.ratioList = ratioListEntries();
        app.settings.symbology = 0;
        selectSymbology(app, 1);
        app.settings.changed = false;
    }
};

TEST(NumberFormat, Patterns) {
    struct Case {
        double value;
        const char* pattern;
        const char* text;
    } cases[] = {
        {13, "#0.00#", "13.00"},     {13.0004, "#0.00#", "13.00"}, {13.1234, "#0.00#", "13.123"},
        {0.5, "#0.00#", "0.50"},     {3.9, "##0", "4"},            {2.5, "##0", "3"},
        {0.4, "##0", "0"},           {13, "##0.0#", "13.0"},       {13.333, "##0.0#", "13.33"},
        {13.335, "#0.0#", "13.34"},  {2.5, "0.0", "2.5"},          {2.04, "0.0", "2.0"},
        {150, "###", "150"},         {0, "###", ""},               {0.5, "#0.0##", "0.5"},
        {0.12345, "#0.0##", "0.123"}, {-1.25, "#0.00", "-1.25"},   {-0.001, "#0.00", "0.00"},
        {1234567, "##0", "1234567"}, {1.5, "#0.000", "1.500"},
    };
    for (const auto& c : cases) EXPECT_EQ(formatNumber(c.value, c.pattern), c.text) << c.value << " " << c.pattern;
}

TEST(OptionMenus, VisibleMenusFollowTheSymbologyGroup) {
    // Letters: a align, t text, b text above, c comment above, s font scaling,
    // f font, q quiet zones, e bearer bars, k check digit, r reduction,
    // p PDF options, x PDF character set, u units, z Aztec, d Data Matrix, Q QR.
    auto letters = [](const OptionMenus& m) {
        std::string s;
        if (m.commentAlign) s += 'a';
        if (m.includeText) s += 't';
        if (m.textAbove) s += 'b';
        if (m.commentAbove) s += 'c';
        if (m.autoFontScaling) s += 's';
        if (m.font) s += 'f';
        if (m.quietZones) s += 'q';
        if (m.bearerBars) s += 'e';
        if (m.optionalCheckDigit) s += 'k';
        if (m.disableAutoCheckDigit) s += '!';
        if (m.barWidthReduction) s += 'r';
        if (m.pdfOptions) s += 'p';
        if (m.pdfCharacterSet) s += 'x';
        if (m.units) s += 'u';
        if (m.aztecOptions) s += 'z';
        if (m.dmOptions) s += 'd';
        if (m.qrOptions) s += 'Q';
        return s;
    };
    const std::string linear = "atbcsfqekru", upc = "atbcsfqru";
    const std::string expected[28] = {"",
        linear, linear, upc, upc, upc, upc, upc, upc, linear, "atbcsfqeru", linear,
        "atbcsfqeru", "atbcsfqeru", linear, "acfqrpxu", "acfruz", "acfrud", "acfruQ",
        "atbcsfqkru", upc, upc, upc, upc, "", "", upc, upc};
    for (int code = 1; code <= kSymbologyCount; ++code) EXPECT_EQ(letters(optionMenusFor(code)), expected[code]) << code;
}

TEST(InsertList, EntriesBySymbology) {
    struct Case {
        int code;
        size_t size;
        std::vector<InsertEntry> tail;
    } cases[] = {
        {1, 0, {}},
        {11, 0, {}},
        {2, 128, {{127, ""}}},
        {12, 128, {{127, ""}}},
        {13, 132, {{128, "FNC1"}, {129, "FNC2"}, {130, "FNC3"}, {131, "FNC4"}}},
        {14, 129, {{128, "FNC1"}}},
        {15, 256, {{254, ""}, {255, ""}}},
        {18, 256, {{255, ""}}},
        {24, 0, {}},
    };
    for (const auto& c : cases) {
        auto list = insertListFor(c.code);
        ASSERT_EQ(list.size(), c.size) << c.code;
        EXPECT_EQ(insertListShownFor(c.code), c.size > 0) << c.code;
        std::vector<InsertEntry> tail(list.end() - std::ptrdiff_t(c.tail.size()), list.end());
        EXPECT_EQ(tail, c.tail) << c.code;
    }
    const auto list = insertListFor(2);
    const std::pair<int, const char*> names[] = {{0, "NUL"}, {1, "SOH"}, {8, "BS"}, {9, "TAB"}, {10, "LF"},
                                                 {13, "CR"}, {27, "ESC"}, {28, "FS"}, {31, "US"}, {32, ""}, {65, ""}};
    for (auto [code, name] : names) {
        EXPECT_EQ(list[size_t(code)].code, code);
        EXPECT_EQ(list[size_t(code)].name, name) << code;
    }
}

TEST(SelectSymbology, InsertListFollowsTheCode) {
    Window w;
    selectSymbology(w.app, 13);
    EXPECT_TRUE(w.app.window.insertListVisible);
    EXPECT_EQ(w.app.window.insertList.size(), 132u);
    selectSymbology(w.app, 14);
    EXPECT_EQ(w.app.window.insertList.size(), 129u);
    EXPECT_EQ(w.app.window.insertList.back().name, "FNC1");
    selectSymbology(w.app, 3);
    EXPECT_FALSE(w.app.window.insertListVisible);
    EXPECT_TRUE(w.app.window.insertList.empty());
}

TEST(SelectSymbology, ANewCodeClearsTheBuiltFlagAndMarksTheChange) {
    Window w;
    w.app.settings.symbolBuilt = true;
    selectSymbology(w.app, 1);  // same code: only the menus
    EXPECT_TRUE(w.app.settings.symbolBuilt);
    EXPECT_FALSE(w.app.settings.changed);
    selectSymbology(w.app, 13);
    EXPECT_FALSE(w.app.settings.symbolBuilt);
    EXPECT_TRUE(w.app.settings.changed);
    selectSymbology(w.app, kSymbologyCount + 1);  // not a symbology
    EXPECT_EQ(w.app.settings.symbology, 13);
}

TEST(SelectSymbology, TwoDCodesDisableTheBarPatternFile) {
    Window w;
    w.app.output.dbpSaveEnabled = true;
    selectSymbology(w.app, 13);
    EXPECT_TRUE(w.app.output.dbpSaveEnabled);
    selectSymbology(w.app, 17);
    EXPECT_FALSE(w.app.output.dbpSaveEnabled);
}

TEST(MagnificationList, RefilledOnlyWhenEnteringTheFamily) {
    Window w;
    EXPECT_TRUE(w.app.window.magnifyList.empty());
    selectSymbology(w.app, 7);  // EAN-13 after Code 39
    ASSERT_EQ(w.app.window.magnifyList.size(), 25u);
    EXPECT_EQ(w.app.window.magnifyList.front(), "80");
    EXPECT_EQ(w.app.window.magnifyList.back(), "200");
    EXPECT_EQ(w.app.window.magnifyText, "100");

    w.app.window.magnifyList.push_back("999");  // marks this list
    setMagnifyText(w.app, "150", false);
    selectSymbology(w.app, 3);  // UPC-A after EAN-13: kept
    EXPECT_EQ(w.app.window.magnifyList.back(), "999");
    EXPECT_EQ(w.app.window.magnifyText, "150");

    selectSymbology(w.app, 1);
    selectSymbology(w.app, 3);  // after Code 39: refilled, showing the stored value
    EXPECT_EQ(w.app.window.magnifyList.back(), "200");
    EXPECT_EQ(w.app.window.magnifyText, "150");
    EXPECT_EQ(w.app.settings.magnification, 150.0f);
}

TEST(MagnificationList, TypedMagnificationSetsTheNarrowWidth) {
    struct Case {
        int unitMode;
        const char* typed;
        const char* widthText;
        float narrowWidth;
    } cases[] = {
        {UnitInches, "150", "19.5", 19.5f * 2.54f},
        {UnitInches, "80", "10.4", 10.4f * 2.54f},
        {UnitMetric, "100", "33.02", 33.02f},
        {UnitPrinterDots, "100", "4", 4 * 2540.0f / 300},  // 3.9 dots shown as 4
    };
    for (const auto& c : cases) {
        Window w;
        w.app.settings.unitMode = c.unitMode;
        selectSymbology(w.app, 3);
        setMagnifyText(w.app, c.typed, true);
        EXPECT_EQ(w.app.window.nbWidthText, c.widthText) << c.typed;
        EXPECT_NEAR(w.app.settings.narrowWidth, c.narrowWidth, 1e-3) << c.typed;
    }
    // For PDF417 the field holds the aspect ratio.
    Window w;
    selectSymbology(w.app, 15);
    EXPECT_EQ(w.app.window.magnifyText, "0.5");
    setMagnifyText(w.app, "0.75", true);
    EXPECT_EQ(w.app.settings.pdf.pdfAspectRatio, 0.75);
    EXPECT_EQ(w.app.settings.magnification, 100.0f);
}

TEST(RatioList, ElevenEntriesStartingAtTheSixth) {
    const auto list = ratioListEntries();
    ASSERT_EQ(list.size(), 11u);
    EXPECT_EQ(list[0], "2.0");
    EXPECT_EQ(list[5], "2.5");
    EXPECT_EQ(list[10], "3.0");
    Window w;
    selectRatio(w.app, 10);
    EXPECT_EQ(w.app.settings.ratio, 3.0f);
    selectRatio(w.app, 11);  // no such entry
    EXPECT_EQ(w.app.window.ratioIndex, 10);
}

TEST(SymbolFields, LabelsBySymbology) {
    struct Case {
        int code;
        const char* message;
        const char* supplement;  // "" hidden
        const char* ratio;       // "" hidden
        const char* check;       // "" hidden
    } cases[] = {
        {1, "Bar Code Message:", "", "Narrow To Wide Ratio", ""},
        {19, "Bar Code Message:", "", "Narrow To Wide Ratio", "Check Digit Value ="},
        {9, "Bar Code Message:", "", "Narrow To Wide Ratio", ""},
        {3, "Bar Code Message:", "UPC Supplemental:", "Magnification (percent)", "Bar To Bar Width ="},
        {7, "Bar Code Message:", "EAN Supplemental:", "Magnification (percent)", "Bar To Bar Width ="},
        {8, "ISBN Number:", "Price/Supplemental:", "Magnification (percent)", "Bar To Bar Width ="},
        {12, "Bar Code Message:", "", "", "Check Digit Values ="},
        {14, "Bar Code Message:", "", "", "Check Digit Value ="},
        {21, "Bar Code Message:", "Composite Message:", "", "Total Symbol Height ="},
        {24, "Bar Code Message:", "", "", ""},
    };
    for (const auto& c : cases) {
        Window w;
        selectSymbology(w.app, c.code);
        const MainWindow& m = w.app.window;
        EXPECT_EQ(m.messageLabel, c.message) << c.code;
        EXPECT_EQ(m.supplementVisible ? m.supplementLabel : "", c.supplement) << c.code;
        EXPECT_EQ(m.ratioListVisible || m.magnifyVisible ? m.ratioLabel : "", c.ratio) << c.code;
        EXPECT_EQ(m.checkVisible ? m.checkLabel : "", c.check) << c.code;
    }
}

TEST(SymbolFields, VerticalAndCheckDigitLabels) {
    Window w;
    w.app.settings.optionalCheckDigit = true;
    refreshFieldLabels(w.app);
    EXPECT_EQ(w.app.window.checkLabel, "Check Digit Value =");
    w.app.settings.orientation = Vertical90;
    selectSymbology(w.app, 4);
    EXPECT_EQ(w.app.window.checkLabel, "Bar To Bar Height =");
    EXPECT_EQ(w.app.window.totalLabel, "Total Symbol Height =");
    selectSymbology(w.app, 20);
    EXPECT_EQ(w.app.window.checkLabel, "Total Symbol Width =");
}

TEST(SymbolFields, UnitFieldsAndLabels) {
    struct Case {
        int unitMode;
        const char* widthLabel;
        const char* heightLabel;
        const char* width;
        const char* height;
    } cases[] = {
        {UnitInches, "Narrow Bar Width (mils)", "Bar Height (inches)", "13.00", "1.00"},
        {UnitMetric, "Narrow Bar Width (.001cm)", "Bar Height (cm)", "33.02", "2.54"},
        {UnitPrinterDots, "Narrow Bar Width (dots)", "Bar Height (printer dots)", "4", "300"},
    };
    for (const auto& c : cases) {
        Window w;
        w.app.settings.unitMode = c.unitMode;
        refreshSymbolFields(w.app);
        EXPECT_EQ(w.app.window.widthLabel, c.widthLabel);
        EXPECT_EQ(w.app.window.heightLabel, c.heightLabel);
        EXPECT_EQ(w.app.window.nbWidthText, c.width);
        EXPECT_EQ(w.app.window.bcHeightText, c.height);
    }
    // Printer dots store whole dots: 4 dots at 300 dpi.
    Window w;
    w.app.settings.unitMode = UnitPrinterDots;
    refreshSymbolFields(w.app);
    EXPECT_NEAR(w.app.settings.narrowWidth, 4 * 2540.0f / 300, 1e-3);
}

TEST(SymbolFields, TwoDFieldsShowTheirOwnDimensions) {
    Window w;
    selectSymbology(w.app, 15);
    EXPECT_EQ(w.app.window.widthLabel, "Module Width (mils)");
    EXPECT_EQ(w.app.window.nbWidthText, "10.00");
    EXPECT_EQ(w.app.window.bcHeightText, "30.00");
    selectSymbology(w.app, 17);
    EXPECT_EQ(w.app.window.widthLabel, "Module Size (mils)");
    EXPECT_EQ(w.app.window.nbWidthText, "20.00");
    EXPECT_FALSE(w.app.window.heightVisible);
    setNBWidthText(w.app, "25");
    EXPECT_NEAR(w.app.settings.matrixModuleSize, 63.5f, 1e-3);
    EXPECT_NEAR(w.app.settings.narrowWidth, 33.02f, 1e-3);  // untouched
    setNBWidthText(w.app, "abc");
    EXPECT_EQ(w.app.settings.matrixModuleSize, 0.0f);  // not a number counts as 0
}

TEST(SymbolFields, PostalHidesDimensionsButKeepsTheComment) {
    Window w;
    w.app.settings.comment = "typed before";
    selectSymbology(w.app, 24);
    EXPECT_FALSE(w.app.window.widthVisible);
    EXPECT_FALSE(w.app.window.heightVisible);
    EXPECT_FALSE(w.app.window.commentVisible);
    EXPECT_EQ(w.app.settings.comment, "typed before");
    selectSymbology(w.app, 18);
    EXPECT_FALSE(w.app.window.commentVisible);
    EXPECT_TRUE(w.app.window.widthVisible);
}

TEST(SymbolFields, MessageAndSupplementClearTheBuiltFlag) {
    Window w;
    w.app.settings.symbolBuilt = true;
    setMessage(w.app, std::string("A\0B", 3));
    EXPECT_FALSE(w.app.settings.symbolBuilt);
    EXPECT_EQ(w.app.window.messageField, "A\xFF" "B");
    selectSymbology(w.app, 15);
    w.app.settings.symbolBuilt = true;
    setSupplement(w.app, "1,2,");  // codeword display
    EXPECT_TRUE(w.app.settings.symbolBuilt);
    selectSymbology(w.app, 3);
    w.app.settings.symbolBuilt = true;
    setSupplement(w.app, "12");
    EXPECT_FALSE(w.app.settings.symbolBuilt);
}

TEST(FieldInput, KeysTheFieldsAccept) {
    using V = KeyVerdict;
    struct Case {
        int field;  // 0 dimension, else the symbology of the magnification field
        const char* text;
        char key;
        KeyVerdict verdict;
    } cases[] = {
        {0, "13", '5', V::Accept},       {0, "13", '.', V::Accept},      {0, "13.00", '1', V::RefuseWithBeep},
        {0, "13", 'a', V::RefuseWithBeep}, {0, "13", '-', V::RefuseWithBeep}, {0, "13.00", '\b', V::Accept},
        {3, "100", '5', V::Accept},      {3, "1000", '5', V::Drop},      {3, "10", '.', V::Drop},
        {15, "0.5", '5', V::Accept},     {15, "0", '.', V::Accept},      {3, "10", 'x', V::Drop},
        {3, "1000", '\b', V::Accept},
    };
    for (const auto& c : cases) {
        const KeyVerdict v = c.field == 0 ? dimensionFieldKey(c.text, c.key) : magnifyFieldKey(c.field, c.text, c.key);
        EXPECT_EQ(v, c.verdict) << c.field << " " << c.text << " " << c.key;
    }
}

TEST(FieldInput, TypedCharactersFollowTheCharacterSet) {
    char stored = 0;
    EXPECT_TRUE(typedMessageCharacter(CharsetAscii, 'A', stored));
    EXPECT_EQ(stored, 'A');
    EXPECT_TRUE(typedMessageCharacter(CharsetAscii, '\xE9', stored));  // e acute: 0xE9 ANSI, 0x82 OEM
    EXPECT_EQ(static_cast<unsigned char>(stored), 0x82);
    EXPECT_TRUE(typedMessageCharacter(CharsetAnsi, '\xE9', stored));
    EXPECT_EQ(static_cast<unsigned char>(stored), 0xE9);
    EXPECT_FALSE(typedMessageCharacter(CharsetAnsi, '\t', stored));
}

}  // namespace
}  // namespace quillet
