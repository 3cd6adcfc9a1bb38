// Data Matrix through Build/Copy: the scratch metafile decoded by zxing-cpp,
// picture sizes and module rectangles read back from it, comment placement
// and the encoder's errors as the user sees them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/model/messages.h"
#include "app/render/datamatrix_symbol.h"
#include "app/render/matrix_symbol_test_util.h"

namespace quillet {
namespace {

using test::MatrixHarness;

constexpr int kDataMatrix = 17;

TEST(DataMatrixText, EncoderTextEscapes) {
    struct Case {
        std::string message;
        int ecc;
        bool translate;
        std::string passed;
    };
    const std::string nul(1, '\0');
    for (const Case& c : {Case{"a~b", 26, true, "a~~b"}, Case{"a~b", 26, false, "a~b"},
                          Case{"x" + nul + "y", 26, false, "x~@y"}, Case{nul + "~", 26, true, "~@~~"},
                          Case{"a~b" + nul, 8, true, "a~b" + nul}, Case{"plain", 0, true, "plain"}}) {
        EXPECT_EQ(dataMatrixEncoderText(c.message, c.ecc, c.translate), c.passed) << c.message;
    }
}

TEST(DataMatrixText, RequestedSizes) {
    struct Case {
        int code, rows, cols;
    };
    for (Case c : {Case{0, 0, 0}, Case{1, 8, 18}, Case{3, 12, 26}, Case{6, 16, 48}, Case{7, 10, 10},
                   Case{16, 32, 32}, Case{30, 144, 144}, Case{31, 0, 0}, Case{-1, 0, 0}}) {
        const DmSize s = dmRequestedSize(c.code);
        EXPECT_EQ(s.rows, c.rows) << c.code;
        EXPECT_EQ(s.cols, c.cols) << c.code;
    }
}

// Every shape/size code, drawn at 50 units a module: the placeable header
// gives the requested grid and the picture reads back.
TEST(DataMatrixSymbol, EveryShapeSizeRoundTrips) {
    for (int code = 0; code <= 30; ++code) {
        MatrixHarness h(kDataMatrix);
        h.app.settings.dm.dmShapeSize = code;
        ASSERT_TRUE(h.build("Q1234")) << code << ": " << h.lastMessage();
        DmSize want = dmRequestedSize(code);
        if (code == 0) want = {10, 10};  // Q, 12, 34: three codewords
        auto pict = h.picture();
        ASSERT_TRUE(pict.placeable.has_value());
        EXPECT_EQ(pict.placeable->right, 50 * want.cols) << code;
        EXPECT_EQ(pict.placeable->bottom, 50 * want.rows) << code;
        const auto d = h.decodeScratch("DataMatrix");
        ASSERT_TRUE(d.ok) << code;
        EXPECT_EQ(d.bytes, "Q1234") << code;
    }
}

TEST(DataMatrixSymbol, MessagesRoundTrip) {
    struct Case {
        const char* name;
        std::string message;
        bool translate;
        std::string decoded;
    };
    const std::string nul(1, '\0'), all = test::allBytes();
    std::string text;
    for (int i = 0; text.size() < 900; ++i) text += "Line " + std::to_string(i) + ": Quillet ~ data, ";
    for (const Case& c : {
             Case{"tilde, translated", "a~b", true, "a~b"},
             Case{"tilde, not translated", "a~b", false, "a~b"},
             Case{"double tilde, translated", "a~~b", true, "a~~b"},
             Case{"double tilde is an escape", "a~~b", false, "a~b"},
             Case{"NUL", "x" + nul + "y", true, "x" + nul + "y"},
             Case{"NUL, not translated", nul + "z" + nul, false, nul + "z" + nul},
             Case{"~@ kept, translated", "~@", true, "~@"},
             Case{"~@ is NUL, not translated", "~@", false, nul},
             Case{"all bytes, translated", all, true, all},
             Case{"all bytes, not translated", all, false, all},
             Case{"long text", text, true, text},
             Case{"3000 digits fill 144 x 144", std::string(3000, '5'), true, std::string(3000, '5')},
         }) {
        MatrixHarness h(kDataMatrix);
        h.app.settings.dm.dmTranslateTildes = c.translate;
        ASSERT_TRUE(h.build(c.message)) << c.name << ": " << h.lastMessage();
        const auto d = h.decodeScratch("DataMatrix");
        ASSERT_TRUE(d.ok) << c.name;
        EXPECT_EQ(d.bytes, c.decoded) << c.name;
    }
}

TEST(DataMatrixSymbol, PictureSizes) {
    struct Case {
        const char* name;
        void (*options)(SymbolSettings&);
        int xExt, yExt;
        const char* length;
    };
    // "123456" is a 10 x 10 symbol.
    for (const Case& c : {
             Case{"plain", [](SymbolSettings&) {}, 500, 500, "0.20 \""},
             Case{"quiet zones: two modules a side", [](SymbolSettings& s) { s.quietZones = true; }, 700, 700,
                  "0.28 \""},
             Case{"10 % reduction", [](SymbolSettings& s) { s.barWidthAdjust = 2; }, 495, 495, "0.19 \""},
             Case{"10 % gain", [](SymbolSettings& s) { s.barWidthAdjust = 2 | kGainBit; }, 505, 505, "0.20 \""},
             Case{"comment: 10 pt adds 352", [](SymbolSettings& s) { s.comment = "c"; }, 500, 852, "0.20 \""},
             Case{"comment, vertical", [](SymbolSettings& s) { s.comment = "c"; s.orientation = Vertical270; }, 852,
                  500, "0.20 \""},
             Case{"metric, module 50.8 rounds to 51, 15 % reduction takes 8",
                  [](SymbolSettings& s) { s.matrixModuleSize = 50.8f; s.barWidthAdjust = 3; s.unitMode = UnitMetric; },
                  502, 502, "0.50 cm"},
         }) {
        MatrixHarness h(kDataMatrix);
        c.options(h.app.settings);
        ASSERT_TRUE(h.build("123456")) << c.name << ": " << h.lastMessage();
        auto pict = h.picture();
        ASSERT_TRUE(pict.placeable.has_value());
        EXPECT_EQ(pict.placeable->right, c.xExt) << c.name;
        EXPECT_EQ(pict.placeable->bottom, c.yExt) << c.name;
        EXPECT_EQ(test::windowExtent(pict), std::make_pair(c.xExt, -c.yExt)) << c.name;
        auto clip = h.clipboard.metafilePict();
        ASSERT_TRUE(clip.has_value());
        EXPECT_EQ(clip->mm, 8);
        EXPECT_EQ(clip->xExt, c.xExt) << c.name;
        EXPECT_EQ(clip->yExt, c.yExt) << c.name;
        EXPECT_EQ(h.app.output.totalLength, c.length) << c.name;
        EXPECT_TRUE(h.app.output.saveEnabled);
        const auto d = h.decodeScratch("DataMatrix");
        EXPECT_TRUE(d.ok && d.bytes == "123456") << c.name;
    }
}

bool hasRect(const std::vector<test::DrawnRect>& rects, test::DrawnRect want) {
    return std::find(rects.begin(), rects.end(), want) != rects.end();
}

// Corners of the finder pattern of a 10 x 10 symbol at 50 units a module:
// the solid left column and bottom row, the alternating top row.
TEST(DataMatrixSymbol, ModuleRectanglesAfterReductionAndGain) {
    struct Case {
        const char* name;
        int adjust;
        bool quiet;
        std::vector<test::DrawnRect> expected;
    };
    for (const Case& c : {
             Case{"plain", 0, false, {{0, 0, 50, -50}, {0, -450, 50, -500}, {450, -450, 500, -500}}},
             // Reduction by 5: the top-left module has a light right neighbour
             // (right edge in) and a dark one below (bottom kept); the
             // bottom-left one keeps its right edge (joined to the row) and
             // lifts its bottom; the bottom-right one gives way on both.
             Case{"reduction", 2, false, {{0, 0, 45, -50}, {0, -450, 50, -495}, {450, -450, 495, -495}}},
             Case{"gain", 2 | kGainBit, false, {{0, 0, 55, -55}, {0, -450, 55, -505}, {450, -450, 505, -505}}},
             Case{"reduction in quiet zones", 2, true,
                  {{100, -100, 145, -150}, {100, -550, 150, -595}, {550, -550, 595, -595}}},
         }) {
        MatrixHarness h(kDataMatrix);
        h.app.settings.barWidthAdjust = c.adjust;
        h.app.settings.quietZones = c.quiet;
        ASSERT_TRUE(h.build("123456")) << c.name;
        const auto rects = h.modules();
        for (const auto& r : c.expected)
            EXPECT_TRUE(hasRect(rects, r)) << c.name << ": " << r.left << "," << r.top << "," << r.right << ","
                                           << r.bottom;
        // The bottom row (nothing below it) stays one solid band: only its
        // last module gives way on the right.
        if (c.adjust == 2 && !c.quiet) {
            for (int col = 1; col < 10; ++col)
                EXPECT_TRUE(hasRect(rects, {col * 50, -450, col * 50 + 50 - (col == 9 ? 5 : 0), -495})) << col;
        }
    }
}

TEST(DataMatrixSymbol, CommentPlacement) {
    struct Case {
        int orientation, align;
        bool above;
        int x, y;
    };
    // Quiet zones on: W = 700, H = 700 + 352, q = 100.
    for (Case c : {Case{0, AlignLeft, true, 100, 0}, Case{0, AlignCentre, true, 350, 0},
                   Case{0, AlignRight, false, 600, -700}, Case{1, AlignLeft, true, 1052, -100},
                   Case{1, AlignCentre, false, 352, -350}, Case{1, AlignRight, true, 1052, -600},
                   Case{2, AlignLeft, false, 700, -600}, Case{2, AlignCentre, true, 0, -350},
                   Case{2, AlignRight, false, 700, -100}}) {
        MatrixHarness h(kDataMatrix);
        SymbolSettings& s = h.app.settings;
        s.quietZones = true;
        s.comment = "Lot 42";
        s.orientation = c.orientation;
        s.commentAlign = c.align;
        s.commentAbove = c.above;
        ASSERT_TRUE(h.build("123456"));
        const auto pict = h.picture();
        const auto texts = test::texts(pict);
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.back().text, "Lot 42");
        EXPECT_EQ(texts.back().x, c.x) << c.orientation << "/" << c.align << "/" << c.above;
        EXPECT_EQ(texts.back().y, c.y) << c.orientation << "/" << c.align << "/" << c.above;
        ASSERT_FALSE(test::fontHeights(pict).empty());
        EXPECT_EQ(test::fontHeights(pict).front(), 352);
        // Modules move down by the comment height when it is above.
        if (c.orientation == 0) {
            const auto rects = h.modules();
            const int top = c.above ? -100 - 352 : -100;
            EXPECT_TRUE(hasRect(rects, {100, top, 150, top - 50}));
        }
    }
}

TEST(DataMatrixSymbol, VerticalOrientationsDecode) {
    for (int orientation : {Vertical90, Vertical270}) {
        MatrixHarness h(kDataMatrix);
        h.app.settings.orientation = orientation;
        h.app.settings.dm.dmShapeSize = 3;  // 12 x 26
        h.app.settings.comment = "vertical";
        ASSERT_TRUE(h.build("ROTATED"));
        auto pict = h.picture();
        EXPECT_EQ(pict.placeable->right, 12 * 50 + 352);
        EXPECT_EQ(pict.placeable->bottom, 26 * 50);
        const auto d = h.decodeScratch("DataMatrix");
        ASSERT_TRUE(d.ok) << orientation;
        EXPECT_EQ(d.bytes, "ROTATED");
    }
}

TEST(DataMatrixSymbol, EncoderErrorsAsTheUserSeesThem) {
    struct Case {
        const char* name;
        std::string message;
        void (*options)(SymbolSettings&);
        std::string text;
    };
    const std::string tooLong = "Invalid Data Matrix message!  Data Matrix message is too long.";
    for (const Case& c : {
             Case{"1024: over the largest square", std::string(1600, '\xC8'), [](SymbolSettings&) {}, tooLong},
             Case{"3024: over any symbol", std::string(4000, '9'), [](SymbolSettings&) {}, tooLong},
             Case{"1032: over the fixed size", "123456789012", [](SymbolSettings& s) { s.dm.dmShapeSize = 7; },
                  "Invalid Data Matrix message!  Data Matrix message is too long for the selected symbol size."},
             Case{"1032: over a rectangle", "ABCDEFGHIJKLMNOP", [](SymbolSettings& s) { s.dm.dmShapeSize = 1; },
                  "Invalid Data Matrix message!  Data Matrix message is too long for the selected symbol size."},
             Case{"1025: ECC 100, numeric format", "12A", [](SymbolSettings& s) { s.dm.dmEccCode = 8; s.dm.dmDataFormat = 1; },
                  "Invalid Data Matrix message!  Data Matrix message contains invalid characters for the currently "
                  "selected Data Matrix options."},
             Case{"ECC 000-140 are not made", "123", [](SymbolSettings& s) { s.dm.dmEccCode = 12; },
                  "Data Matrix encode error # 1040"},
             Case{"module size too large for a metafile", "123456",
                  [](SymbolSettings& s) { s.matrixModuleSize = 4000; },
                  messageText(23)},
             Case{"module size not a number", "123456",
                  [](SymbolSettings& s) { s.matrixModuleSize = std::nanf(""); s.messageWarnings = true; },
                  messageText(17)},
         }) {
        MatrixHarness h(kDataMatrix);
        ASSERT_TRUE(h.build("kept"));
        const auto before = h.clipboard.metafilePict();
        c.options(h.app.settings);
        h.ui.messages.clear();
        EXPECT_FALSE(h.build(c.message)) << c.name;
        EXPECT_EQ(h.lastMessage(), c.text) << c.name;
        ASSERT_TRUE(h.clipboard.metafilePict().has_value()) << c.name;
        EXPECT_EQ(h.clipboard.metafilePict()->hMF, before->hMF) << c.name << ": the last symbol stays";
    }
}

TEST(DataMatrixSymbol, ErrorsWithWarningsOffEmptyTheClipboard) {
    MatrixHarness h(kDataMatrix);
    ASSERT_TRUE(h.build("kept"));
    h.app.settings.messageWarnings = false;
    h.app.settings.dm.dmShapeSize = 7;
    h.ui.messages.clear();
    EXPECT_FALSE(h.build("123456789012"));
    EXPECT_TRUE(h.ui.messages.empty());
    EXPECT_FALSE(h.clipboard.metafilePict().has_value());
}

}  // namespace
}  // namespace quillet
