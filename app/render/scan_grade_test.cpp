// The profile grader on synthetic scan lines whose parameters are worked
// out by hand: flat elements of whole pixels, reflectances as fractions.
#include <gtest/gtest.h>

#include "app/render/scan_grade.h"

namespace quillet {
namespace {

struct Element {
    int pixels;
    double reflectance;
};

// A scan line: light margins, then the elements (bar first), each flat.
std::vector<double> profile(const std::vector<Element>& elements, int marginPixels, double margin) {
    std::vector<double> r(size_t(marginPixels), margin);
    for (const Element& e : elements) r.insert(r.end(), size_t(e.pixels), e.reflectance);
    r.insert(r.end(), size_t(marginPixels), margin);
    return r;
}

// Seven one-module elements of 10 pixels, bars first and last, between
// 10-module margins.
std::vector<Element> sevenModules(double bar, double space) {
    return {{10, bar}, {10, space}, {10, bar}, {10, space}, {10, bar}, {10, space}, {10, bar}};
}

struct LineCase {
    const char* name;
    std::vector<double> line;
    ExpectedElements expected;
    double sc;
    int scGrade;
    double ecMin;
    int ecGrade;
    double modulation;
    int modGrade;
    double defects;
    int defectsGrade;
    double decodability;
    int decodabilityGrade;
    int rminGrade;
    int quietGrade;
    int lineGrade;
};

const ExpectedElements kSeven{{1, 1, 1, 1, 1, 1, 1}, false, 0, 10};

std::vector<double> withValley(std::vector<double> line, int at, double value) {
    line[size_t(at)] = value;
    return line;
}

// The low-contrast elements' edges sit where the profile crosses 42.5 %:
// 0.375 / 0.44 of a sample into the 80 -> 36 % step and 0.075 / 0.45 into
// the 50 -> 5 % one, so the pair of elements between them measures 19.31
// pixels where 20 (2 modules) were drawn.
const double kLowContrastDecodability = 1 - 2 * (20 - ((139.5 + 0.075 / 0.45) - (119.5 + 0.375 / 0.44))) / 10;

const LineCase kLines[] = {
    // Rmax 80 %, Rmin 5 %: SC 75 % (A), every edge 75 %, modulation 1.
    {"ContrastSeventyFive", profile(sevenModules(0.05, 0.80), 100, 0.80), kSeven, 0.75, 4, 0.75, 4, 1.0, 4, 0, 4, 1, 4, 4,
     4, 4},
    // A 36 % bar beside a 50 % space, both on their side of the 42.5 % threshold: an edge
    // contrast of 14 % fails, modulation 0.14 / 0.75.
    {"EdgeContrastFourteen",
     profile({{10, 0.05}, {10, 0.80}, {10, 0.36}, {10, 0.50}, {10, 0.05}, {10, 0.80}, {10, 0.05}}, 100, 0.80), kSeven,
     0.75, 4, 0.14,
     0, 0.14 / 0.75, 0, 0, 4, kLowContrastDecodability, 4, 4, 4, 0},
    // Spaces at 45 %: SC 40 % grades C; Rmin 5 % is below half of Rmax.
    {"ContrastForty", profile(sevenModules(0.05, 0.45), 100, 0.45), kSeven, 0.40, 2, 0.40, 4, 1.0, 4, 0, 4, 1, 4, 4, 4, 2},
    // Bars at 45 % under 80 % spaces: Rmin above half of Rmax fails, SC 35 % is D.
    {"BarsTooLight", profile(sevenModules(0.45, 0.80), 100, 0.80), kSeven, 0.35, 1, 0.35, 4, 1.0, 4, 0, 4, 1, 4, 0, 4, 0},
    // A valley of 65 % in the middle of a space: ERN 15 %, defects 0.15 / 0.75 = 0.20 (B).
    {"SpotInASpace", withValley(profile(sevenModules(0.05, 0.80), 100, 0.80), 100 + 15, 0.65), kSeven, 0.75, 4, 0.75, 4,
     1.0, 4, 0.20, 3, 1, 4, 4, 4, 3},
    // An edge 2 pixels late: pairs of 2.2 and 1.8 modules against 2, decodability 1 - 2 x 0.2 = 0.6 (B).
    {"EdgeTwoPixelsLate",
     profile({{10, 0.05}, {10, 0.80}, {12, 0.05}, {8, 0.80}, {10, 0.05}, {10, 0.80}, {10, 0.05}}, 100, 0.80), kSeven, 0.75, 4, 0.75,
     4, 1.0, 4, 0, 4, 0.6, 3, 4, 4, 3},
    // Three pixels: 0.4 (C).
    {"EdgeThreePixelsLate",
     profile({{10, 0.05}, {10, 0.80}, {13, 0.05}, {7, 0.80}, {10, 0.05}, {10, 0.80}, {10, 0.05}}, 100, 0.80), kSeven, 0.75, 4, 0.75,
     4, 1.0, 4, 0, 4, 0.4, 2, 4, 4, 2},
    // Margins of 5 modules where 10 are needed.
    {"QuietZoneTooNarrow", profile(sevenModules(0.05, 0.80), 50, 0.80), kSeven, 0.75, 4, 0.75, 4, 1.0, 4, 0, 4, 1, 4, 4, 0,
     0},
    // Narrow 10, wide 25 pixels: the threshold 17.5 is 7.5 from both means.
    {"TwoWidthExact",
     profile({{10, 0.05}, {10, 0.80}, {25, 0.05}, {10, 0.80}, {25, 0.05}, {10, 0.80}, {10, 0.05}}, 250, 0.80),
     {{1, 1, 2.5, 1, 2.5, 1, 1}, true, 0, 10}, 0.75, 4, 0.75, 4, 1.0, 4, 0, 4, 1, 4, 4, 4, 4},
    // One narrow of 14: mean narrow 10.8, threshold 17.9, (17.9 - 14) / 7.1 = 0.549 (B).
    {"TwoWidthOneNarrowWide",
     profile({{10, 0.05}, {14, 0.80}, {25, 0.05}, {10, 0.80}, {25, 0.05}, {10, 0.80}, {10, 0.05}}, 250, 0.80),
     {{1, 1, 2.5, 1, 2.5, 1, 1}, true, 0, 10}, 0.75, 4, 0.75, 4, 1.0, 4, 0, 4, 3.9 / 7.1, 3, 4, 4, 3},
};

class ScanLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ScanLineTest, ParametersAsWorkedOut) {
    const LineCase& c = GetParam();
    const ScanLineGrade g = gradeScanLine(c.line, c.expected);
    EXPECT_NEAR(g.symbolContrast.value, c.sc, 1e-9);
    EXPECT_EQ(g.symbolContrast.grade, c.scGrade);
    EXPECT_NEAR(g.minEdgeContrast.value, c.ecMin, 1e-9);
    EXPECT_EQ(g.minEdgeContrast.grade, c.ecGrade);
    EXPECT_NEAR(g.modulation.value, c.modulation, 1e-9);
    EXPECT_EQ(g.modulation.grade, c.modGrade);
    EXPECT_NEAR(g.defects.value, c.defects, 1e-9);
    EXPECT_EQ(g.defects.grade, c.defectsGrade);
    EXPECT_NEAR(g.decodability.value, c.decodability, 1e-9);
    EXPECT_EQ(g.decodability.grade, c.decodabilityGrade);
    EXPECT_EQ(g.rmin.grade, c.rminGrade);
    EXPECT_EQ(g.quietZone.grade, c.quietGrade);
    EXPECT_EQ(g.decode.grade, 4);
    EXPECT_EQ(g.grade, c.lineGrade);
}

INSTANTIATE_TEST_SUITE_P(Profiles, ScanLineTest, ::testing::ValuesIn(kLines),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScanLine, WrongElementCountDoesNotDecode) {
    // Five elements where seven are expected: no decode, no decodability.
    const auto line = profile({{10, 0.05}, {10, 0.80}, {10, 0.05}, {10, 0.80}, {20, 0.05}}, 100, 0.80);
    const ScanLineGrade g = gradeScanLine(line, kSeven);
    EXPECT_EQ(g.decode.grade, 0);
    EXPECT_EQ(g.decodability.grade, 0);
    EXPECT_EQ(g.grade, 0);
    EXPECT_EQ(g.symbolContrast.grade, 4);
}

TEST(GradeThresholds, PublishedBoundaries) {
    struct Case { int (*grade)(double); double value; int expected; };
    const Case cases[] = {
        {symbolContrastGrade, 0.70, 4}, {symbolContrastGrade, 0.69, 3}, {symbolContrastGrade, 0.55, 3},
        {symbolContrastGrade, 0.54, 2}, {symbolContrastGrade, 0.40, 2}, {symbolContrastGrade, 0.39, 1},
        {symbolContrastGrade, 0.20, 1}, {symbolContrastGrade, 0.19, 0},
        {modulationGrade, 0.70, 4}, {modulationGrade, 0.60, 3}, {modulationGrade, 0.59, 2},
        {modulationGrade, 0.50, 2}, {modulationGrade, 0.40, 1}, {modulationGrade, 0.39, 0},
        {defectsGrade, 0.15, 4}, {defectsGrade, 0.16, 3}, {defectsGrade, 0.20, 3}, {defectsGrade, 0.25, 2},
        {defectsGrade, 0.30, 1}, {defectsGrade, 0.31, 0},
        {decodabilityGrade, 0.62, 4}, {decodabilityGrade, 0.61, 3}, {decodabilityGrade, 0.50, 3},
        {decodabilityGrade, 0.37, 2}, {decodabilityGrade, 0.25, 1}, {decodabilityGrade, 0.24, 0},
        {overallGrade, 3.5, 4}, {overallGrade, 3.3, 3}, {overallGrade, 2.5, 3}, {overallGrade, 1.5, 2},
        {overallGrade, 0.5, 1}, {overallGrade, 0.4, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(c.grade(c.value), c.expected) << c.value;
}

TEST(GradeLetters, BothWays) {
    const std::pair<char, int> letters[] = {{'A', 4}, {'B', 3}, {'C', 2}, {'D', 1}, {'F', 0}};
    for (auto [letter, grade] : letters) {
        EXPECT_EQ(gradeLetter(grade), letter);
        EXPECT_EQ(gradeFromLetter(letter), grade);
        EXPECT_EQ(gradeFromLetter(char(letter + 32)), grade);
    }
    EXPECT_EQ(gradeFromLetter('E'), -1);
}

TEST(ProfileGrades, MeanOfTenScanLines) {
    // Three lines at A and seven with an edge 2 pixels late (B): mean 3.3, overall B.
    std::vector<std::vector<double>> lines(3, profile(sevenModules(0.05, 0.80), 100, 0.80));
    lines.insert(lines.end(), 7,
                 profile({{10, 0.05}, {10, 0.80}, {12, 0.05}, {8, 0.80}, {10, 0.05}, {10, 0.80}, {10, 0.05}}, 100, 0.80));
    const ProfileGrade p = gradeProfiles(lines, kSeven);
    ASSERT_EQ(p.lines.size(), 10u);
    EXPECT_NEAR(p.meanGrade, 3.3, 1e-9);
    EXPECT_EQ(p.grade, 3);
}

}  // namespace
}  // namespace quillet
