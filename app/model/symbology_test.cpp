// The symbology table against the code ranges the program has always
// tested (3-8 UPC/EAN, 15-18 2-D, 20-23 DataBar, 24-25 postal) and the two
// DataBar Expanded codes after them (26, 27), so that a wrong row shows up
// here rather than in a drawing.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/model/app_state.h"
#include "app/model/symbol_fields.h"
#include "app/model/symbology.h"

namespace quillet {
namespace {

bool between(int code, int low, int high) { return code >= low && code <= high; }
bool dataBar(int code) { return between(code, 20, 23) || between(code, 26, 27); }

TEST(SymbologyTable, EveryCodeRoundTrips) {
    ASSERT_EQ(symbologyTable().size(), size_t(kSymbologyCount));
    std::set<std::string_view> captions;
    for (int code = 1; code <= kSymbologyCount; ++code) {
        const SymbologyInfo* row = findSymbology(code);
        ASSERT_NE(row, nullptr) << code;
        EXPECT_EQ(row->code, code);
        EXPECT_EQ(int(row->symbology), code);
        EXPECT_EQ(&symbologyInfo(code), row);
        EXPECT_FALSE(row->keywords[0].empty()) << code;
        for (std::string_view k : row->keywords)
            if (!k.empty()) {
                EXPECT_EQ(symbologyCodeByKeyword(k), code) << k;
            }
        EXPECT_TRUE(captions.insert(row->caption).second) << row->caption;
    }
    ASSERT_EQ(kSymbologyCount, 27);
    for (int code : {-1, 0, kSymbologyCount + 1, 1000}) {
        EXPECT_EQ(findSymbology(code), nullptr) << code;
        EXPECT_EQ(symbologyInfo(code).code, 1) << code;
    }
}

TEST(SymbologyTable, KeywordsAreBracketedUpperCaseAndUnique) {
    std::set<std::string_view> seen;
    for (const SymbologyInfo& row : symbologyTable())
        for (std::string_view k : row.keywords) {
            if (k.empty()) continue;
            EXPECT_TRUE(seen.insert(k).second) << k;
            ASSERT_GE(k.size(), 3u) << k;
            EXPECT_EQ(k.front(), '[') << k;
            EXPECT_EQ(k.back(), ']') << k;
            for (char c : k) EXPECT_FALSE(c >= 'a' && c <= 'z') << k;
        }
    for (std::string_view notOne : {"", "[code39]", "CODE39", "[CODE39", "[FIMA]", "[BUILD/COPY]"})
        EXPECT_EQ(symbologyCodeByKeyword(notOne), 0) << notOne;
}

TEST(SymbologyTable, FamiliesAgreeWithTheCodeRanges) {
    for (int code = -1; code <= kSymbologyCount + 2; ++code) {
        EXPECT_EQ(isUpcEan(code), between(code, 3, 8)) << code;
        EXPECT_EQ(is2D(code), between(code, 15, 18)) << code;
        EXPECT_EQ(isDataBar(code), dataBar(code)) << code;
        EXPECT_EQ(isPostal(code), code == 24 || code == 25) << code;
    }
    for (const SymbologyInfo& row : symbologyTable()) {
        const int c = row.code;
        const bool widthModulated = c == 1 || c == 2 || between(c, 9, 11) || c == 19;
        EXPECT_EQ(row.family == Family::WidthModulated, widthModulated) << c;
        EXPECT_EQ(row.family == Family::ModuleBased, between(c, 12, 14)) << c;
        EXPECT_EQ(row.family == Family::Stacked2D, c == 15) << c;
        EXPECT_EQ(row.family == Family::PostalHeight, c == 24) << c;
    }
}

// The builder Build/Copy used to pick with its switch on the code.
TEST(SymbologyTable, BuilderKinds) {
    for (const SymbologyInfo& row : symbologyTable()) {
        BuilderKind expected = BuilderKind::Linear;
        switch (row.code) {
        case 15: expected = BuilderKind::Pdf417; break;
        case 16: expected = BuilderKind::Aztec; break;
        case 17: expected = BuilderKind::DataMatrix; break;
        case 18: expected = BuilderKind::QrCode; break;
        case 20: expected = BuilderKind::DataBar; break;
        case 21: expected = BuilderKind::DataBarStacked; break;
        case 22: expected = BuilderKind::DataBarStackedOmni; break;
        case 23: expected = BuilderKind::DataBarLimited; break;
        case 26: expected = BuilderKind::DataBarExpanded; break;
        case 27: expected = BuilderKind::DataBarExpandedStacked; break;
        default: break;
        }
        EXPECT_EQ(row.builder, expected) << row.code;
    }
}

// The window fields of every code, after selecting it, as the range tests
// gave them.
TEST(SymbologyTable, FieldsAgreeWithTheCodeRanges) {
    for (int code = 1; code <= kSymbologyCount; ++code) {
        AppState app;
        app.settings.symbology = code;
        refreshFieldLabels(app);
        const MainWindow& w = app.window;
        const bool postal = code == 24 || code == 25, matrix = between(code, 16, 18);
        EXPECT_EQ(w.widthVisible, !postal) << code;
        EXPECT_EQ(w.heightVisible, !postal && !matrix) << code;
        EXPECT_EQ(w.commentVisible, !postal && code != 18) << code;
        EXPECT_EQ(w.ratioListVisible, code == 1 || code == 2 || code == 19 || between(code, 9, 11)) << code;
        EXPECT_EQ(w.magnifyVisible, between(code, 3, 8) || code == 15) << code;
        EXPECT_EQ(w.supplementVisible, between(code, 3, 8) || dataBar(code) || code == 15) << code;
        EXPECT_EQ(w.checkVisible, code == 19 || between(code, 3, 8) || between(code, 12, 14) || dataBar(code))
            << code;

        // Which record fields the width and height edits reach.
        SymbolSettings s;
        s.symbology = code;
        float* expectedWidth = code == 15 ? &s.pdfModuleWidth : matrix ? &s.matrixModuleSize : &s.narrowWidth;
        EXPECT_EQ(&widthFieldFor(s), expectedWidth) << code;
        setHeightFromUnit(s, 2.0);
        const bool pdfHeight = code == 15 || code == 16;
        EXPECT_EQ(s.pdfModuleHeight != SymbolSettings{}.pdfModuleHeight, pdfHeight) << code;
        EXPECT_EQ(s.barHeight != SymbolSettings{}.barHeight, !pdfHeight) << code;
    }
}

// The codes after 25: their keywords, captions and the FNC1 the GS1 data
// of DataBar Expanded needs in the character-insert list.
TEST(SymbologyTable, DataBarExpandedRows) {
    struct Case { int code; std::string_view keyword; std::string_view caption; };
    for (const Case& c : {Case{26, "[RSSEXP]", "&GS1 Databar Expanded (RSS Expanded)"},
                          Case{26, "[GS1-DATABAR-EXPANDED]", "&GS1 Databar Expanded (RSS Expanded)"},
                          Case{27, "[RSSEXPS]", "GS1 Databar Expanded Stac&ked (RSS Expanded Stacked)"},
                          Case{27, "[GS1DATABAREXPANDEDSTACKED]", "GS1 Databar Expanded Stac&ked (RSS Expanded Stacked)"}}) {
        EXPECT_EQ(symbologyCodeByKeyword(c.keyword), c.code) << c.keyword;
        EXPECT_EQ(symbologyInfo(c.code).caption, c.caption);
        EXPECT_EQ(symbologyInfo(c.code).fields.insertList, InsertList::Fnc1) << c.code;
        OptionMenus menus = symbologyInfo(20).menus;
        menus.dataBarSegments = c.code == 27;
        EXPECT_EQ(symbologyInfo(c.code).menus, menus) << c.code;
    }
}

}  // namespace
}  // namespace quillet
