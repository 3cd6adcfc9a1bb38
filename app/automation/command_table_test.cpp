// The command table: keywords, values and their refusals, run through
// LinkExecute as a client's execute strings are.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/automation/automation_session.h"

namespace quillet {
namespace {

using test::Session;

TEST(Commands, EverySymbologyKeywordSelectsItsMenuIndex) {
    struct Case {
        const char* keyword;
        int code;
    } cases[] = {
        {"[CODE39]", 1}, {"[CODE39FULLASCII]", 2}, {"[UPCA]", 3}, {"[UPCE]", 4}, {"[UPCE1]", 5}, {"[EAN8]", 6},
        {"[EAN13]", 7}, {"[BOOKLAN]", 8}, {"[BOOKLAND]", 8}, {"[I2OF5]", 9}, {"[D2OF5]", 10}, {"[CODABAR]", 11},
        {"[CODE93]", 12}, {"[CODE128]", 13}, {"[GS1-128]", 14}, {"[GS1128]", 14}, {"[EAN/UCC128]", 14},
        {"[PDF417]", 15}, {"[AZTEC]", 16}, {"[DATAMATRIX]", 17}, {"[QR]", 18}, {"[QRCODE]", 18}, {"[MSI]", 19},
        {"[PLESSEY]", 19}, {"[MSIPLESSEY]", 19}, {"[GS1-DATABAR]", 20}, {"[GS1DATABAR]", 20}, {"[RSS]", 20},
        {"[RSS14]", 20}, {"[GS1DATABARSTACKED]", 21}, {"[GS1-DATABAR-STACKED]", 21}, {"[RSS14STACKED]", 21},
        {"[RSS14S]", 21}, {"[GS1DATABARSTACKEDOMNI]", 22}, {"[GS1-DATABAR-STACKED-OMNI]", 22},
        {"[RSS14STACKEDOMNI]", 22}, {"[RSS14SO]", 22}, {"[GS1LIMITED]", 23}, {"[GS1-LIMITED]", 23},
        {"[RSSLIMITED]", 23}, {"[RSSLIM]", 23}, {"[ZIP]", 24}, {"[POSTNET]", 24}, {"[BPO]", 25}, {"[BPO4SC]", 25},
        {"[code128]", 13}, {"[Rss14So]", 22},
    };
    for (const auto& c : cases) {
        Session t;
        t.s().symbology = c.code == 1 ? 2 : 1;
        EXPECT_TRUE(t.run(c.keyword)) << c.keyword;
        EXPECT_EQ(t.s().symbology, c.code) << c.keyword;
        EXPECT_TRUE(t.s().changed) << c.keyword;
    }
}

TEST(Commands, KeysIgnoreCaseAndValuesKeepIt) {
    Session t;
    EXPECT_TRUE(t.run("[code39][message='abc'][Comment=Hello World][fontname=Courier New][composite=Ab|c]"));
    EXPECT_EQ(t.s().symbology, 1);
    EXPECT_EQ(t.s().message, "abc");
    EXPECT_EQ(t.s().comment, "Hello World");
    EXPECT_EQ(t.s().fontName, "Courier New");
    EXPECT_EQ(t.s().supplement, "Ab|c");
}

TEST(Commands, MessageValuesAreDecodedAndLiteralOnesAreNot) {
    struct Case {
        const char* command;
        std::string message;
    } cases[] = {
        {"[MESSAGE=123]", "{"},
        {"[MESSAGE=]", ""},
        {"[MESSAGE='ABC' 13 10 'DEF']", "ABC\r\nDEF"},
        {"[MESSAGE='O' 39 'NEIL']", "O'NEIL"},
        {"[MESSAGE=0 'A']", std::string("\0A", 2)},
        {"[MSGTEXT=123]", "123"},
        {"[MSGTEXT='x' 13]", "'x' 13"},
    };
    for (const auto& c : cases) {
        Session t;
        t.s().message = "old";
        EXPECT_TRUE(t.run(c.command)) << c.command;
        EXPECT_EQ(t.s().message, c.message) << c.command;
    }
    Session t;
    t.run("[MESSAGE=0 'A']");
    EXPECT_EQ(t.app.window.messageField, "\xFF" "A");  // character 0 shows as 255
}

// One command after an optional set-up: accepted or refused, and what it stored.
struct ValueCase {
    std::string setup;
    std::string command;
    bool accepted;
    std::function<bool(const SymbolSettings&)> check;
};

void runValueCases(const std::vector<ValueCase>& cases) {
    for (const auto& c : cases) {
        Session t;
        ASSERT_TRUE(t.run(c.setup)) << c.setup;
        const SymbolSettings before = t.s();
        EXPECT_EQ(t.run(c.command), c.accepted) << c.setup << c.command;
        if (c.check) {
            EXPECT_TRUE(c.check(t.s())) << c.setup << c.command;
        }
        if (!c.accepted) {
            // A refused value changes nothing it would have set.
            EXPECT_EQ(t.s().ratio, before.ratio) << c.command;
            EXPECT_EQ(t.s().aztec.aztecSizeSpec, before.aztec.aztecSizeSpec) << c.command;
            EXPECT_EQ(t.s().dm.dmEccCode, before.dm.dmEccCode) << c.command;
            EXPECT_EQ(t.s().pdf.pdfMaxRows, before.pdf.pdfMaxRows) << c.command;
            EXPECT_EQ(t.s().barWidthAdjust, before.barWidthAdjust) << c.command;
            EXPECT_EQ(t.s().printerDpiX, before.printerDpiX) << c.command;
            EXPECT_EQ(t.s().raster.rasterResolution, before.raster.rasterResolution) << c.command;
            EXPECT_EQ(t.s().supplement, before.supplement) << c.command;
            EXPECT_EQ(t.s().changed, before.changed) << c.command;
        }
    }
}

TEST(Commands, RatioMustBeAListEntry) {
    runValueCases({
        {"", "[RATIO=2.0]", true, [](auto& s) { return s.ratio == 2.0f; }},
        {"", "[RATIO=3.0]", true, [](auto& s) { return s.ratio == 3.0f; }},
        {"", "[RATIO=2.04]", true, [](auto& s) { return s.ratio == 2.0f; }},
        {"", "[RATIO=2.7]", true, [](auto& s) { return s.ratio == 2.7f; }},
        {"", "[RATIO=1.9]", false, nullptr},
        {"", "[RATIO=3.1]", false, nullptr},
        {"", "[RATIO=1.5]", false, nullptr},
        {"", "[RATIO=wide]", false, nullptr},
    });
    Session t;
    t.run("[RATIO=2.5]");
    EXPECT_EQ(t.app.window.ratioIndex, 5);
    t.run("[RATIO=3]");
    EXPECT_EQ(t.app.window.ratioIndex, 10);
}

TEST(Commands, AztecSizeSelectorRanges) {
    std::vector<ValueCase> cases;
    for (int v : {0, 1, 99, 101, 104, 201, 232})
        cases.push_back({"", "[AZTECECP=" + std::to_string(v) + "]", true,
                         [v](auto& s) { return s.aztec.aztecSizeSpec == v; }});
    for (int v : {-1, 100, 105, 150, 200, 233, 1000})
        cases.push_back({"", "[AZTECECP=" + std::to_string(v) + "]", false, nullptr});
    runValueCases(cases);
}

// Expanded Stacked rows hold pairs of segments: an even number from 2 to 22.
TEST(Commands, DataBarSegmentsPerRow) {
    std::vector<ValueCase> cases;
    for (int v : {2, 4, 6, 10, 22})
        for (const char* key : {"[DATABARSEGMENTS=", "[RSSSEGMENTS="})
            cases.push_back({"", key + std::to_string(v) + "]", true, [v](auto& s) { return s.dataBarSegments == v; }});
    for (const char* bad : {"0", "1", "3", "21", "23", "24", "-2", "four"})
        cases.push_back({"", std::string("[DATABARSEGMENTS=") + bad + "]", false,
                         [](auto& s) { return s.dataBarSegments == 4; }});
    runValueCases(cases);
}

TEST(Commands, DataMatrixErrorCorrectionAndFormat) {
    runValueCases({
        {"", "[DMECC=0]", true, [](auto& s) { return s.dm.dmEccCode == 0; }},
        {"", "[DMECC=50]", true, [](auto& s) { return s.dm.dmEccCode == 3; }},
        {"", "[DMECC=80]", true, [](auto& s) { return s.dm.dmEccCode == 6; }},
        {"", "[DMECC=100]", true, [](auto& s) { return s.dm.dmEccCode == 8; }},
        {"", "[DMECC=140]", true, [](auto& s) { return s.dm.dmEccCode == 12; }},
        {"[DMECC=0]", "[DMECC=200]", true, [](auto& s) { return s.dm.dmEccCode == 26; }},
        {"", "[DMECC=90]", false, nullptr},
        {"", "[DMECC=26]", false, nullptr},
        {"", "[DMFORMAT=1]", true, [](auto& s) { return s.dm.dmDataFormat == 1; }},
        {"", "[DMFORMAT=6]", true, [](auto& s) { return s.dm.dmDataFormat == 6; }},
        {"", "[DMFORMAT=0]", false, [](auto& s) { return s.dm.dmDataFormat == 5; }},
        {"", "[DMFORMAT=7]", false, [](auto& s) { return s.dm.dmDataFormat == 5; }},
        {"", "[DMSTANDARD=ON]", true, [](auto& s) { return s.dm.dmTranslateTildes; }},
        {"", "[AZTECMENU=ON]", true, [](auto& s) { return s.aztec.aztecMenuSymbol; }},
    });
}

TEST(Commands, Pdf417Limits) {
    runValueCases({
        {"", "[PDFMAXROWS=2]", false, nullptr},
        {"", "[PDFMAXROWS=3]", true, [](auto& s) { return s.pdf.pdfMaxRows == 3; }},
        {"", "[PDFMAXROWS=90]", true, [](auto& s) { return s.pdf.pdfMaxRows == 90; }},
        {"", "[PDFMAXROWS=91]", false, nullptr},
        {"", "[PDFMAXCOLS=0]", false, [](auto& s) { return s.pdf.pdfMaxColumns == 30; }},
        {"", "[PDFMAXCOLS=1]", true, [](auto& s) { return s.pdf.pdfMaxColumns == 1; }},
        {"", "[PDFMAXCOLS=31]", false, [](auto& s) { return s.pdf.pdfMaxColumns == 30; }},
        {"", "[PDFSECURITY=-1]", false, [](auto& s) { return s.pdf.pdfSecurityLevel == 9; }},
        {"", "[PDFSECURITY=0]", true, [](auto& s) { return s.pdf.pdfSecurityLevel == 0; }},
        {"", "[PDFSECURITY=8]", true, [](auto& s) { return s.pdf.pdfSecurityLevel == 8; }},
        {"", "[PDFSECURITY=9]", false, [](auto& s) { return s.pdf.pdfSecurityLevel == 9; }},
        {"[PDFSECURITY=3]", "[PDFSECURITY=AUTO]", true, [](auto& s) { return s.pdf.pdfSecurityLevel == 9; }},
        {"", "[PDFOVERHEAD=-1]", false, [](auto& s) { return s.pdf.pdfOverheadPercent == 11; }},
        {"", "[PDFOVERHEAD=0]", true, [](auto& s) { return s.pdf.pdfOverheadPercent == 0; }},
        {"", "[PDFOVERHEAD=99]", true, [](auto& s) { return s.pdf.pdfOverheadPercent == 99; }},
        {"", "[PDFOVERHEAD=100]", false, [](auto& s) { return s.pdf.pdfOverheadPercent == 11; }},
        {"", "[PDFASPECT=0.25]", true, [](auto& s) { return s.pdf.pdfAspectRatio == 0.25; }},
        {"", "[PDFMODE=NUM]", true, [](auto& s) { return s.pdf.pdfCompaction == 4; }},
        {"", "[PDFMODE=AUTOEB]", true, [](auto& s) { return s.pdf.pdfCompaction == 1; }},
        {"", "[PDFSET=ANSI]", true, [](auto& s) { return s.pdf.pdfCharacterSet == 2; }},
        {"", "[TRUNCATEDPDF=ON]", true, [](auto& s) { return s.pdf.pdfTruncated; }},
        {"[PDF417]", "[BARHEIGHT=1]", false, [](auto& s) { return s.barHeight == 2.54f; }},
        {"[PDF417]", "[SUPPLEMENT='12']", false, nullptr},
    });
}

TEST(Commands, BarReductionStepsOfFivePercent) {
    runValueCases({
        {"", "[BARREDUCTION=-75]", true, [](auto& s) { return reductionStep(s) == 15 && gainOn(s); }},
        {"", "[BARREDUCTION=75]", true, [](auto& s) { return reductionStep(s) == 15 && !gainOn(s); }},
        {"", "[BARREDUCTION=79]", true, [](auto& s) { return reductionStep(s) == 15; }},
        {"", "[BARREDUCTION=10]", true, [](auto& s) { return s.barWidthAdjust == 2; }},
        {"", "[BARREDUCTION=-4]", true, [](auto& s) { return reductionStep(s) == 0 && gainOn(s); }},
        {"[BARREDUCTION=-20]", "[BARREDUCTION=20]", true, [](auto& s) { return s.barWidthAdjust == 4; }},
        {"", "[BARREDUCTION=80]", false, nullptr},
        {"", "[BARREDUCTION=-80]", false, nullptr},
        {"", "[BARREDUCTION=lots]", false, nullptr},
    });
}

TEST(Commands, PrinterResolutionAndRasterLimits) {
    runValueCases({
        {"", "[HORIZONTALDPI=0]", false, nullptr},
        {"", "[HORIZONTALDPI=100000]", false, nullptr},
        {"", "[HORIZONTALDPI=99999]", true, [](auto& s) { return s.printerDpiX == 99999 && s.effectiveDpiX == 99999; }},
        {"", "[VERTICALDPI=-5]", false, [](auto& s) { return s.printerDpiY == 300; }},
        // Vertical symbols swap the axes.
        {"[VERTDOWN]", "[VERTICALDPI=600]", true, [](auto& s) { return s.effectiveDpiX == 600 && s.effectiveDpiY == 300; }},
        {"", "[RASTERIMAGERESOLUTION=19]", false, nullptr},
        {"", "[RASTERIMAGERESOLUTION=20]", true, [](auto& s) { return s.raster.rasterResolution == 20; }},
        {"", "[RASTERIMAGERESOLUTION=1440]", true, [](auto& s) { return s.raster.rasterResolution == 1440; }},
        {"", "[RASTERIMAGERESOLUTION=1441]", false, nullptr},
        {"", "[RASTERIMAGERESOLUTION=5]", false, nullptr},  // shorter than the least command length
        {"", "[JPEGQUALITY=-1]", false, [](auto& s) { return s.raster.jpegQuality == 100; }},
        {"", "[JPEGQUALITY=0]", true, [](auto& s) { return s.raster.jpegQuality == 0; }},
        {"", "[JPEGQUALITY=101]", false, [](auto& s) { return s.raster.jpegQuality == 100; }},
        {"", "[LEFTPRINTMARGIN=1.5]", true, [](auto& s) { return s.raster.leftPrintMargin == 1.5f; }},
        {"", "[TOPPRINTMARGIN=x]", false, [](auto& s) { return s.raster.topPrintMargin == 0; }},
    });
}

TEST(Commands, SupplementMagnificationAndFont) {
    runValueCases({
        {"[UPCA]", "[SUPPLEMENT='12']", true, [](auto& s) { return s.supplement == "12"; }},
        {"[UPCA]", "[SUPPLEMENT=49 50]", true, [](auto& s) { return s.supplement == "12"; }},
        {"[UPCA]", "[SUPPLEMENT=12]", false, nullptr},  // code 12 is no digit
        {"[UPCA]", "[SUPPLEMENT='1A']", false, nullptr},
        {"[UPCA]", "[SUPPLEMENT=]", true, [](auto& s) { return s.supplement.empty(); }},
        {"[UPCA]", "[MAGNIFY=150]", true,
         [](auto& s) { return s.magnification == 150.0f && std::abs(s.narrowWidth - 19.5f * 2.54f) < 1e-3f; }},
        {"[UPCA]", "[MAGNIFY=]", false, [](auto& s) { return s.magnification == 100.0f; }},
        {"[CODE39]", "[MAGNIFY=150]", false, [](auto& s) { return s.magnification == 100.0f; }},
        {"[UPCA][METRIC]", "[MAGNIFY=200]", true, [](auto& s) { return std::abs(s.narrowWidth - 66.04f) < 1e-3f; }},
        {"", "[FONTSIZE=0]", false, [](auto& s) { return s.fontSize == 10; }},
        {"", "[FONTSIZE=12]", true, [](auto& s) { return s.fontSize == 12; }},
        {"", "[FONTITALIC]", true, [](auto& s) { return s.italic && !s.bold; }},
        {"[FONTBOLDITALIC]", "[FONTREGULAR]", true, [](auto& s) { return !s.italic && !s.bold; }},
        {"", "[INCWIDTH=-1]", false, [](auto& s) { return s.numbering.incWidth == 0; }},
        {"", "[INCWIDTH=4]", true, [](auto& s) { return s.numbering.incWidth == 4; }},
        {"", "[INCSTART=12.5]", true, [](auto& s) { return s.numbering.incStart == 12.5; }},
        {"", "[INCPREAMBLE='A' 9]", true, [](auto& s) { return s.numbering.incPreamble == "A\t"; }},
        {"", "[INCSUPPLEMENT]", true, [](auto& s) { return s.numbering.incTarget == IncTargetSupplement; }},
    });
}

TEST(Commands, DimensionsAreReadInTheCurrentUnit) {
    struct Case {
        const char* execute;
        float SymbolSettings::*field;
        float expected;
        std::string fieldText;  // `NBWidth` afterwards, when checked
    } cases[] = {
        {"[BARWIDTH=13]", &SymbolSettings::narrowWidth, 33.02f, "13.0"},
        {"[BARWIDTH=13.333]", &SymbolSettings::narrowWidth, 13.33f * 2.54f, "13.33"},
        {"[METRIC][BARWIDTH=40]", &SymbolSettings::narrowWidth, 40.0f, "40.0"},
        {"[DOTS][BARWIDTH=4]", &SymbolSettings::narrowWidth, 4 * 2540.0f / 300, "4.0"},
        {"[BARHEIGHT=0.5]", &SymbolSettings::barHeight, 1.27f, ""},
        {"[PDFMODULEWIDTH=10]", &SymbolSettings::pdfModuleWidth, 25.4f, ""},
        {"[PDF417][PDFMODULEWIDTH=12]", &SymbolSettings::pdfModuleWidth, 12 * 2.54f, "12.0"},
        {"[PDFMODULEHEIGHT=30]", &SymbolSettings::pdfModuleHeight, 76.2f, ""},
        // Printer dots convert across the bars for every module dimension.
        {"[HORIZONTALDPI=600][DOTS][PDFMODULEHEIGHT=6]", &SymbolSettings::pdfModuleHeight, 25.4f, ""},
        {"[AZTECMODULESIZE=20]", &SymbolSettings::matrixModuleSize, 50.8f, ""},
        {"[AZTEC][AZTECMODULESIZE=15]", &SymbolSettings::matrixModuleSize, 38.1f, "15.0"},
        {"[DATAMATRIX][METRIC][DMMODULESIZE=50]", &SymbolSettings::matrixModuleSize, 50.0f, "50.0"},
        // Aztec is not current: the field keeps the narrow width.
        {"[DMMODULESIZE=30]", &SymbolSettings::matrixModuleSize, 76.2f, "13.00"},
    };
    for (const auto& c : cases) {
        Session t;
        EXPECT_TRUE(t.run(c.execute)) << c.execute;
        EXPECT_NEAR(t.s().*c.field, c.expected, 1e-3) << c.execute;
        if (!c.fieldText.empty()) {
            EXPECT_EQ(t.app.window.nbWidthText, c.fieldText) << c.execute;
        }
    }
    Session t;
    EXPECT_FALSE(t.run("[BARWIDTH=100000]"));
    EXPECT_FALSE(t.run("[BARWIDTH=wide]"));
    EXPECT_FLOAT_EQ(t.s().narrowWidth, 33.02f);
}

TEST(Commands, SwitchesSetTheirSettings) {
    struct Case {
        const char* execute;
        std::function<bool(const SymbolSettings&)> check;
    } cases[] = {
        {"[TEXT=OFF]", [](auto& s) { return !s.includeText; }},
        {"[TEXT=OFF][TEXT=ON]", [](auto& s) { return s.includeText; }},
        {"[TEXTABOVE=ON]", [](auto& s) { return s.textAbove; }},
        {"[COMMENTABOVE=OFF]", [](auto& s) { return !s.commentAbove; }},
        {"[COMMENTALIGNCENTER]", [](auto& s) { return s.commentAlign == AlignCentre; }},
        {"[COMMENTALIGNRIGHT]", [](auto& s) { return s.commentAlign == AlignRight; }},
        {"[DISPLAYANSI]", [](auto& s) { return s.characterSet == CharsetAnsi; }},
        {"[BEARERBARS=ON]", [](auto& s) { return s.bearerBars; }},
        {"[QUIETZONES=ON]", [](auto& s) { return s.quietZones; }},
        {"[I2OF5CHECK=ON]", [](auto& s) { return s.optionalCheckDigit; }},
        {"[CODE39CHECK=ON][I2OF5CHECK=OFF]", [](auto& s) { return !s.optionalCheckDigit; }},
        {"[FIXDRIVER=ON]", [](auto& s) { return s.fixDriverIncompatibility; }},
        {"[MESSAGEWARNINGS=OFF]", [](auto& s) { return !s.messageWarnings; }},
        {"[PRINTWARNINGS=OFF]", [](auto& s) { return !s.printerWarnings; }},
        {"[VERTUP]", [](auto& s) { return s.orientation == Vertical270; }},
        {"[VERTDOWN][HORIZONTAL]", [](auto& s) { return s.orientation == Horizontal; }},
        {"[METRIC]", [](auto& s) { return s.unitMode == UnitMetric; }},
        {"[DOTS]", [](auto& s) { return s.unitMode == UnitPrinterDots; }},
        {"[UNDERLINE=ON][STRIKEOUT=ON]", [](auto& s) { return s.underline && s.strikeout; }},
        {"[FONTSCALING=ON]", [](auto& s) { return s.autoFontScaling; }},
        {"[BITSPERPIXEL=24]", [](auto& s) { return s.raster.rasterBitsPerPixel == 24; }},
        {"[PNGINTERLACE=ON][BMPCOMPRESSION=ON]", [](auto& s) { return s.raster.pngInterlace == 1 && s.raster.bmpCompression == 1; }},
        {"[GIFCOMPRESSION=ON][TGACOMPRESSION=ON]", [](auto& s) { return s.raster.gifCompression == 1 && s.raster.tgaCompression == 1; }},
        {"[TIFFCOMPRESSION=GROUP4]", [](auto& s) { return s.raster.tiffCompression == 4; }},
        {"[TIFFCOMPRESSION=PACKBITS]", [](auto& s) { return s.raster.tiffCompression == 2; }},
        {"[PNGPAETHFILTER]", [](auto& s) { return s.raster.pngFilter == 10; }},
        {"[PNGUPFILTER]", [](auto& s) { return s.raster.pngFilter == 6; }},
        {"[SAVEMODEBMP]", [](auto& s) { return s.raster.saveMode == SaveModeBitmap; }},
        {"[FORECOLORRGB=0 0 255]", [](auto& s) { return s.foreColour == 0xFF0000; }},
        {"[FONTCOLOR=red]", [](auto& s) { return s.fontColour == 0x0000FF; }},
        {"[FORECOLORRGB='a']", [](auto& s) { return s.foreColour == 'A'; }},  // codes come upper-cased
        {"[TRANSPARENT]", [](auto& s) { return s.transparent; }},
        {"[TRANSPARENT][BACKCOLOR=YELLOW]", [](auto& s) { return !s.transparent && s.backColour == 0x00FFFF; }},
        {"[BACKCOLORRGB=255 255 0]", [](auto& s) { return s.backColour == 0x00FFFF; }},
    };
    for (const auto& c : cases) {
        Session t;
        EXPECT_TRUE(t.run(c.execute)) << c.execute;
        EXPECT_TRUE(c.check(t.s())) << c.execute;
        EXPECT_TRUE(t.s().changed) << c.execute;
    }
}

TEST(Commands, UnknownCommandsAreRefusedButTheRestStillRuns) {
    struct Case {
        const char* execute;
        bool accepted;
        int symbology;
    } cases[] = {
        {"[FOO][CODE128]", false, 13},
        {"[CODE128][FOO]", false, 13},
        {"junk[CODE128]", false, 1},
        {"[TEXT=MAYBE][CODE93]", false, 12},
        {"[CODE 128][UPCA]", false, 3},
        {"[CODE128", true, 1},  // no ']': nothing happens
        {"[CODE93] [CODE128", true, 12},
        {"[UPCA]   trailing", true, 3},
        {"", true, 1},
        {"[SAVEBARCODE(x.wmf][CODE93]", false, 12},  // no ")]"
        {"[RATIO=9][CODE93]", false, 12},
    };
    for (const auto& c : cases) {
        Session t;
        EXPECT_EQ(t.run(c.execute), c.accepted) << c.execute;
        EXPECT_EQ(t.s().symbology, c.symbology) << c.execute;
    }
}

TEST(Commands, BuildCopyLeavesASymbolOrRefuses) {
    Session t;
    EXPECT_TRUE(t.run("[CODE39][MESSAGE='ABC'][BUILD/COPY]"));
    EXPECT_TRUE(t.s().symbolBuilt);
    EXPECT_TRUE(t.clipboard.metafilePict().has_value());
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_FALSE(t.app.output.totalLength.empty());

    Session empty;
    EXPECT_FALSE(empty.run("[BUILD/COPY]"));
    ASSERT_EQ(empty.ui.messages.size(), 1u);
    EXPECT_NE(empty.ui.messages[0].text.find("bar code message"), std::string::npos);

    Session invalid;
    EXPECT_FALSE(invalid.run("[UPCA][BARCODE=12]"));
    EXPECT_FALSE(invalid.clipboard.metafilePict().has_value());

    Session literal;
    EXPECT_TRUE(literal.run("[BARCODE=12345]"));
    EXPECT_EQ(literal.s().message, "12345");
    EXPECT_TRUE(literal.s().symbolBuilt);
}

TEST(Commands, OptionChangesRebuildABuiltSymbol) {
    Session t;
    ASSERT_TRUE(t.run("[CODE39][BARCODE=ABC]"));
    const int width = t.app.output.symbolWidth;
    ASSERT_GT(width, 0);
    EXPECT_TRUE(t.run("[QUIETZONES=ON]"));
    EXPECT_GT(t.app.output.symbolWidth, width);  // 10 modules on each side
    EXPECT_TRUE(t.run("[BARWIDTH=26]"));
    EXPECT_GT(t.app.output.symbolWidth, 2 * width - 10);

    // A new message clears the built flag: later options do not build.
    Session u;
    ASSERT_TRUE(u.run("[CODE39][BARCODE=ABC][MESSAGE='ABCDEF']"));
    const int before = u.app.output.symbolWidth;
    EXPECT_TRUE(u.run("[QUIETZONES=ON]"));
    EXPECT_EQ(u.app.output.symbolWidth, before);
}

TEST(Commands, ClipboardTextCommands) {
    Session t;
    EXPECT_FALSE(t.run("[PASTE]"));
    EXPECT_FALSE(t.run("[PASTECOMMENT]"));
    EXPECT_FALSE(t.run("[PASTEDATA]"));
    t.clipboard.setText("HELLO");
    EXPECT_TRUE(t.run("[PASTE][PASTECOMMENT]"));
    EXPECT_EQ(t.s().message, "HELLO");
    EXPECT_EQ(t.s().comment, "HELLO");
    EXPECT_TRUE(t.run("[MESSAGE='XY'][COPYMESSAGE]"));
    EXPECT_EQ(t.clipboard.text(), "XY");
    EXPECT_TRUE(t.run("[COMMENT=note][COPYCOMMENT]"));
    EXPECT_EQ(t.clipboard.text(), "note");
    t.clipboard.setText("CODE");
    EXPECT_TRUE(t.run("[CODE39][PASTE/BUILD/COPY]"));
    EXPECT_EQ(t.s().message, "CODE");
    EXPECT_TRUE(t.clipboard.metafilePict().has_value());
}

TEST(Commands, ActionsThatCannotBeCarriedOutAreRefused) {
    struct Case {
        const char* execute;
    } cases[] = {
        {"[SAVEBARCODE]"},           // nothing built yet
        {"[PRINT]"}, {"[PRINTNOEJECT]"},
        {"[CLOSEMSGFILE]"},          // no message file open
        {"[NEXT]"}, {"[PREVIOUS]"}, {"[PREV]"},  // buttons hidden
        {"[INCDISABLE]"},
        {"[SAVECONFIG]"},            // no path known, and no dialog here
    };
    for (const auto& c : cases) {
        Session t;
        EXPECT_FALSE(t.run(c.execute)) << c.execute;
    }
    Session t;
    t.s().numbering.incEnabled = true;
    t.app.window.nextPrevVisible = true;
    EXPECT_FALSE(t.run("[INCDISABLE]"));
    EXPECT_FALSE(t.s().numbering.incEnabled);
    EXPECT_FALSE(t.app.window.nextPrevVisible);
}

TEST(Commands, SaveBarCodeKeepsThePathsCase) {
    Session t;
    const auto path = std::filesystem::path(t.app.scratchMetafilePath).replace_extension(".Saved.wmf");
    EXPECT_TRUE(t.run("[CODE39][BARCODE=AB][SAVEBARCODE( " + path.string() + " )]"));
    EXPECT_EQ(t.app.barCodeFilePath, path.string());
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_GT(std::filesystem::file_size(path), 22u);
    std::filesystem::remove(path);
}

TEST(Commands, ApplicationCommands) {
    Session t;
    EXPECT_TRUE(t.run("[BEEP][APPMINIMIZE]"));
    EXPECT_EQ(t.ui.beeps, 1);
    EXPECT_TRUE(t.app.window.minimised);
    EXPECT_FALSE(t.s().changed);  // neither is a setting
    EXPECT_TRUE(t.run("[APPNORMAL]"));
    EXPECT_FALSE(t.app.window.minimised);

    EXPECT_TRUE(t.run("[CODE128][QUIETZONES=ON][MESSAGE='X'][NEW]"));
    EXPECT_EQ(t.s().symbology, 1);
    EXPECT_FALSE(t.s().quietZones);
    EXPECT_TRUE(t.s().message.empty());
    EXPECT_FALSE(t.s().changed);
}

TEST(Commands, ConversationCloseEndsTheProgramOnlyAfterAppExit) {
    Session t;
    t.run("[QUIETZONES=ON]");
    EXPECT_FALSE(LinkClose(t.app));
    EXPECT_TRUE(t.s().changed);
    EXPECT_TRUE(t.run("[APPEXIT]"));
    EXPECT_TRUE(LinkClose(t.app));
    EXPECT_FALSE(t.s().changed);  // no save prompt
}

TEST(Commands, ExecutesMarkTheConversationSoNoHintAppears) {
    Session t;
    EXPECT_FALSE(t.app.pasteHintShown);
    t.run("");
    EXPECT_TRUE(t.app.pasteHintShown);
    t.app.settings.printerWarnings = false;
    ASSERT_TRUE(t.run("[CODE39][MESSAGE='HINT'][BUILD/COPY]"));
    for (const auto& m : t.ui.messages) EXPECT_NE(m.title, "Important information about your bar code.");
}

TEST(Commands, CodewordDisplayOffEmptiesItForPdf417) {
    Session t;
    t.run("[PDF417][PDFCODEWORDS=ON]");
    t.s().supplement = "1,2,3,";
    EXPECT_TRUE(t.run("[PDFCODEWORDS=OFF]"));
    EXPECT_TRUE(t.s().supplement.empty());
    Session u;
    u.run("[UPCA][SUPPLEMENT='12'][PDFCODEWORDS=OFF]");
    EXPECT_EQ(u.s().supplement, "12");
}

}  // namespace
}  // namespace quillet
