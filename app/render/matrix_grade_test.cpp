// The 2-D grader on its own, from synthetic module samples: each parameter
// moves the overall grade by itself, and the published boundaries hold.
#include <gtest/gtest.h>

#include <functional>

#include "app/render/matrix_grade.h"

namespace quillet {
namespace {

std::vector<double> evenEdges(int modules, double pitch) {
    std::vector<double> e;
    for (int i = 0; i <= modules; ++i) e.push_back(pitch * i);
    return e;
}

// A 10 x 10 symbol of 3-dot modules, black 5 % and white 85 %, decoded,
// with two modules of quiet zone where one is needed.
MatrixSamples wellPrinted() {
    MatrixSamples m;
    m.darkCentres.assign(50, 0.05);
    m.lightCentres.assign(50, 0.85);
    m.columnEdges = m.rowEdges = evenEdges(10, 3);
    m.quietModules = 2;
    m.quietNeeded = 1;
    m.decoded = true;
    return m;
}

struct MatrixCase {
    const char* name;
    std::function<void(MatrixSamples&)> change;
    std::function<Graded(const MatrixGrade&)> parameter;
    double value;  // the parameter's measured value
    int grade;     // its grade, and the overall grade
};

class MatrixGradeTest : public ::testing::TestWithParam<MatrixCase> {};

TEST_P(MatrixGradeTest, OneParameterSetsTheGrade) {
    const MatrixCase& c = GetParam();
    MatrixSamples m = wellPrinted();
    c.change(m);
    const MatrixGrade g = gradeMatrix(m);
    const Graded p = c.parameter(g);
    EXPECT_NEAR(p.value, c.value, 1e-9);
    EXPECT_EQ(p.grade, c.grade);
    EXPECT_EQ(g.grade, c.grade);
}

const MatrixCase kCases[] = {
    {"WellPrinted", [](MatrixSamples&) {}, [](const MatrixGrade& g) { return g.symbolContrast; }, 0.80, 4},
    {"LowContrast",
     [](MatrixSamples& m) {
         m.darkCentres.assign(50, 0.40);
         m.lightCentres.assign(50, 0.65);
     },
     [](const MatrixGrade& g) { return g.symbolContrast; }, 0.25, 1},
    // Threshold 0.45: a light module at 0.60 keeps 2 x 0.15 / 0.80 of the contrast.
    {"WeakLightModule", [](MatrixSamples& m) { m.lightCentres[7] = 0.60; },
     [](const MatrixGrade& g) { return g.modulation; }, 0.375, 2},
    {"DarkModuleOverTheThreshold", [](MatrixSamples& m) { m.darkCentres[3] = 0.50; },
     [](const MatrixGrade& g) { return g.modulation; }, 0.0, 0},
    {"QuietZoneTooNarrow", [](MatrixSamples& m) { m.quietModules = 0.5; },
     [](const MatrixGrade& g) { return g.quietZone; }, 0.5, 0},
    {"NotDecoded", [](MatrixSamples& m) { m.decoded = false; }, [](const MatrixGrade& g) { return g.decode; }, 0.0,
     0},
    // Rows 3.3 dots apart, columns 3: |3.3 - 3| / 3.15.
    {"TallerThanWide", [](MatrixSamples& m) { m.rowEdges = evenEdges(10, 3.3); },
     [](const MatrixGrade& g) { return g.axialNonUniformity; }, 0.3 / 3.15, 2},
    // One inner column edge two dots late on a 3-dot grid: 2/3 of a module.
    {"OneEdgeOffTheGrid", [](MatrixSamples& m) { m.columnEdges[5] += 2; },
     [](const MatrixGrade& g) { return g.gridNonUniformity; }, 2.0 / 3.0, 1},
    // 2.5-dot modules print as 2 and 3 dots: edges half a dot, 0.2 module, off.
    {"HalfDotModules",
     [](MatrixSamples& m) {
         m.columnEdges = m.rowEdges = {0, 2, 5, 7, 10, 12, 15, 17, 20, 22, 25};
     },
     [](const MatrixGrade& g) { return g.gridNonUniformity; }, 0.2, 4},
};

INSTANTIATE_TEST_SUITE_P(Samples, MatrixGradeTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MatrixGrade, ModuleSizesInDots) {
    MatrixSamples m = wellPrinted();
    m.columnEdges = m.rowEdges = {0, 2, 5, 7, 10, 12, 15, 17, 20, 22, 25};
    const MatrixGrade g = gradeMatrix(m);
    EXPECT_DOUBLE_EQ(g.moduleDotsX, 2.5);
    EXPECT_DOUBLE_EQ(g.moduleDotsY, 2.5);
    EXPECT_EQ(g.minModuleDots, 2);
    EXPECT_EQ(g.maxModuleDots, 3);
    EXPECT_EQ(gradeMatrix(wellPrinted()).minModuleDots, 3);
    EXPECT_EQ(gradeMatrix(wellPrinted()).maxModuleDots, 3);
}

// No edges measured means no grid to grade, never a perfect one.
TEST(MatrixGrade, MissingEdgesFail) {
    MatrixSamples m = wellPrinted();
    m.columnEdges.clear();
    m.rowEdges.clear();
    EXPECT_EQ(gradeMatrix(m).axialNonUniformity.grade, 0);
    EXPECT_EQ(gradeMatrix(m).grade, 0);
}

TEST(MatrixGrade, PublishedBoundaries) {
    struct Boundary {
        int (*grade)(double);
        double value;
        int expected;
    };
    const Boundary kBoundaries[] = {
        {matrixModulationGrade, 0.50, 4},  {matrixModulationGrade, 0.49, 3}, {matrixModulationGrade, 0.40, 3},
        {matrixModulationGrade, 0.30, 2},  {matrixModulationGrade, 0.20, 1}, {matrixModulationGrade, 0.19, 0},
        {axialNonUniformityGrade, 0.06, 4}, {axialNonUniformityGrade, 0.07, 3},
        {axialNonUniformityGrade, 0.10, 2}, {axialNonUniformityGrade, 0.12, 1},
        {axialNonUniformityGrade, 0.13, 0}, {gridNonUniformityGrade, 0.38, 4},
        {gridNonUniformityGrade, 0.39, 3},  {gridNonUniformityGrade, 0.50, 3},
        {gridNonUniformityGrade, 0.63, 2},  {gridNonUniformityGrade, 0.75, 1},
        {gridNonUniformityGrade, 0.76, 0},
    };
    for (const Boundary& b : kBoundaries) EXPECT_EQ(b.grade(b.value), b.expected) << b.value;
}

}  // namespace
}  // namespace quillet
