#pragma once
// Grading of 2-D matrix symbols from their module grid as printed: symbol
// contrast and modulation from the reflectance at module centres, the
// quiet zone, the module size in dots and the axial and grid
// non-uniformity of the module edges the dot grid produced.
#include <vector>

#include "app/render/scan_grade.h"

namespace quillet {

struct MatrixSamples {
    std::vector<double> darkCentres, lightCentres;  // reflectance at module centres
    std::vector<double> columnEdges, rowEdges;      // module edges as printed, in dots (cols + 1, rows + 1)
    double quietModules = 0;                        // light margin around the symbol
    double quietNeeded = 1;
    bool decoded = false;
};

struct MatrixGrade {
    Graded decode;
    Graded symbolContrast;
    Graded modulation;          // least 2 |R - GT| / SC over module centres
    Graded quietZone;
    double moduleDotsX = 0, moduleDotsY = 0;  // mean module size in dots
    int minModuleDots = 0, maxModuleDots = 0;
    Graded axialNonUniformity;  // |X - Y| / mean of X and Y
    Graded gridNonUniformity;   // largest edge offset from the fitted regular grid, in modules
    int grade = 0;              // worst of the graded parameters
};

int matrixModulationGrade(double mod);  // A >= 0.50, B >= 0.40, C >= 0.30, D >= 0.20
int axialNonUniformityGrade(double an);  // A <= 0.06, B <= 0.08, C <= 0.10, D <= 0.12
int gridNonUniformityGrade(double gn);   // A <= 0.38, B <= 0.50, C <= 0.63, D <= 0.75

MatrixGrade gradeMatrix(const MatrixSamples& m);

}  // namespace quillet
