// Effective dimensions of built symbols, worked out by hand: a dot at 203
// dpi is 2540 / 203 = 12.512 drawing units (4.926 mils), at 254 dpi exactly
// 10 units.
#include <gtest/gtest.h>

#include "app/automation/automation_session.h"
#include "app/render/build_report.h"
#include "app/render/effective_dimensions.h"

namespace quillet {
namespace {

struct DimensionCase {
    const char* name;
    const char* execute;     // settings and the build
    double widthDots;        // mean narrow bar or module width as printed
    int minDots, maxDots;
    double widthInUnit;      // printed width in the user's unit (mils unless dots)
    double deviation;        // percent
    double heightDots;
    bool dotExact;
};

const DimensionCase kDimensions[] = {
    // 3 dots at 203 dpi = 3 / 203 in = 14.78 mils, whatever the drawing units round it to.
    {"Code128ThreeDotsAt203", "[HORIZONTALDPI=203][VERTICALDPI=203][DOTS][CODE128][BARWIDTH=3][BARHEIGHT=203]"
                              "[MESSAGE='QUILLET-128'][BUILD/COPY]",
     3, 3, 3, 3, 0, 203, true},
    // 10 mils = 25.4 units draws 25 units = 1.998 dots: every bar 2 dots = 9.852 mils, -1.48 %.
    {"Code128TenMilsAt203", "[HORIZONTALDPI=203][VERTICALDPI=203][INCHES][CODE128][BARWIDTH=10][BARHEIGHT=1]"
                            "[MESSAGE='QUILLET-128'][BUILD/COPY]",
     2, 2, 2, 9.852, -1.478, 203, false},
    // 13 mils = 33.02 units draws 33 units; at 2540 dpi each is one dot: 12.99 mils, -0.06 %.
    {"Code128ThirteenMilsAt2540", "[HORIZONTALDPI=2540][VERTICALDPI=2540][INCHES][CODE128][BARWIDTH=13]"
                                  "[BARHEIGHT=0.5][MESSAGE='QUILLET-128'][BUILD/COPY]",
     33, 33, 33, 12.992, -0.061, 1270, false},
    // 9.84 mils = 24.9936 units, drawn as 25 = 2.5 dots at 254 dpi (+0.0256 %): edges at 0, 2.5,
    // 5, 7.5 ... round to modules of 2 and 3 dots.
    {"DataMatrixTwoAndAHalfDots", "[HORIZONTALDPI=254][VERTICALDPI=254][INCHES][DATAMATRIX][DMMODULESIZE=9.84]"
                                  "[MESSAGE='12345678'][BUILD/COPY]",
     2.5, 2, 3, 9.843, 100.0 * (25 - 24.9936) / 24.9936, 2.5, false},
    // Vertical on 600 x 300 dpi: the bars' widths run along the 300 dpi axis; 3 dots = 10 mils.
    {"VerticalAcrossTheSlowAxis", "[HORIZONTALDPI=600][VERTICALDPI=300][VERTUP][DOTS][CODE128][BARWIDTH=3]"
                                  "[BARHEIGHT=300][MESSAGE='QUILLET-128'][BUILD/COPY]",
     3, 3, 3, 3, 0, 300, true},
};

class EffectiveDimensionsTest : public ::testing::TestWithParam<DimensionCase> {};

TEST_P(EffectiveDimensionsTest, PrintsAsWorkedOut) {
    const DimensionCase& c = GetParam();
    test::Session session;
    ASSERT_TRUE(session.run(c.execute));
    ASSERT_TRUE(session.app.output.lastSymbol);
    const SymbolSettings& s = session.s();
    const EffectiveDimensions e = effectiveDimensions(s, *session.app.output.lastSymbol);
    EXPECT_NEAR(e.width.dots, c.widthDots, 1e-9);
    EXPECT_EQ(e.width.minDots, c.minDots);
    EXPECT_EQ(e.width.maxDots, c.maxDots);
    EXPECT_NEAR(widthInUnit(s.unitMode, e.width.printed, e.dpiAcross).value, c.widthInUnit, 0.0015);
    EXPECT_NEAR(e.width.deviation, c.deviation, 0.0015);
    EXPECT_NEAR(e.height.dots, c.heightDots, 1e-9);
    EXPECT_EQ(e.dotExact, c.dotExact);
}

INSTANTIATE_TEST_SUITE_P(Symbols, EffectiveDimensionsTest, ::testing::ValuesIn(kDimensions),
                         [](const auto& info) { return std::string(info.param.name); });

struct TwoWidthCase {
    const char* name;
    const char* execute;
    double ratio;          // as printed
    double magnification;  // UPC/EAN as printed, 0 when not reported
};

const TwoWidthCase kTwoWidth[] = {
    // 2 dots at 254 dpi = 20 units, wide round(2.5 x 20) = 50 units = 5 dots: the ratio holds.
    {"Code39RatioHolds", "[HORIZONTALDPI=254][VERTICALDPI=254][DOTS][CODE39][BARWIDTH=2][RATIO=2.5]"
                         "[MESSAGE='ABC'][BUILD/COPY]", 2.5, 0},
    // 3 dots at 203 dpi draw 38 units; ratio 2.0 gives 76 units, which scale to exactly 6 dots.
    {"Code39RatioTwoInDots", "[HORIZONTALDPI=203][VERTICALDPI=203][DOTS][CODE39][BARWIDTH=3][RATIO=2.0]"
                             "[MESSAGE='ABC'][BUILD/COPY]", 2.0, 0},
    // 4 dots at 300 dpi = 13.33 mils, 102.56 % of the nominal 13 mils.
    {"UpcAMagnification", "[HORIZONTALDPI=300][VERTICALDPI=300][DOTS][UPCA][BARWIDTH=4][MESSAGE='01234567890']"
                          "[BUILD/COPY]", 0, 102.564},
};

class TwoWidthTest : public ::testing::TestWithParam<TwoWidthCase> {};

TEST_P(TwoWidthTest, RatioAndMagnificationAsPrinted) {
    const TwoWidthCase& c = GetParam();
    test::Session session;
    ASSERT_TRUE(session.run(c.execute));
    ASSERT_TRUE(session.app.output.lastSymbol);
    const EffectiveDimensions e = effectiveDimensions(session.s(), *session.app.output.lastSymbol);
    EXPECT_EQ(e.ratioPrinted.has_value(), c.ratio > 0);
    if (c.ratio > 0) {
        EXPECT_NEAR(*e.ratioPrinted, c.ratio, 1e-9);
    }
    EXPECT_EQ(e.magnification.has_value(), c.magnification > 0);
    if (c.magnification > 0) {
        EXPECT_NEAR(*e.magnification, c.magnification, 0.001);
    }
}

INSTANTIATE_TEST_SUITE_P(Symbols, TwoWidthTest, ::testing::ValuesIn(kTwoWidth),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BuildReport, TextAndJsonCarryTheSameFigures) {
    test::Session session;
    std::vector<std::string> reports;
    session.app.onBuilt = [&](const AppState& a) {
        reports.push_back(buildReport(a, ReportFormat::Text));
        reports.push_back(buildReport(a, ReportFormat::Json));
    };
    ASSERT_TRUE(session.run("[HORIZONTALDPI=203][VERTICALDPI=203][CODE128][BARWIDTH=10][MESSAGE='QUILLET-128']"
                            "[BUILD/COPY]"));
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_NE(reports[0].find("narrow bar 2 dots = 9.85 mils (asked 10.00 mils, -1.48 %)"), std::string::npos)
        << reports[0];
    EXPECT_NE(reports[1].find("\"width\":{\"dots\":2.000,\"minDots\":2,\"maxDots\":2,\"printed\":9.852,"
                              "\"asked\":10.000,\"unit\":\"mils\",\"deviation\":-1.48}"),
              std::string::npos)
        << reports[1];
    EXPECT_EQ(reports[1].front(), '{');
    EXPECT_EQ(reports[1].back(), '}');
    EXPECT_EQ(reports[1].find('\n'), std::string::npos);
}

}  // namespace
}  // namespace quillet
