#pragma once
// Grading of scan reflectance profiles, the way linear bar code verifiers
// grade them: each parameter of a scan line from 4 (A) to 0 (F), the scan
// line graded by its worst parameter and the symbol by the mean of its
// scan lines. Works on reflectances alone, independent of how they were
// obtained.
#include <string>
#include <vector>

namespace quillet {

// One parameter's measured value and its grade, 4 (A) to 0 (F).
struct Graded {
    double value = 0;
    int grade = 0;
};

char gradeLetter(int grade);      // 4 -> 'A' ... 0 -> 'F'
int gradeFromLetter(char letter);  // 'A'..'D', 'F' -> 4..0; -1 for others

// Grades from the published thresholds (fractions, not percent).
int symbolContrastGrade(double sc);  // A >= 0.70, B >= 0.55, C >= 0.40, D >= 0.20
int modulationGrade(double mod);      // A >= 0.70, B >= 0.60, C >= 0.50, D >= 0.40
int defectsGrade(double defects);     // A <= 0.15, B <= 0.20, C <= 0.25, D <= 0.30
int decodabilityGrade(double v);      // A >= 0.62, B >= 0.50, C >= 0.37, D >= 0.25
// The mean of scan-line grades as a letter grade: A from 3.5, B from 2.5,
// C from 1.5, D from 0.5.
int overallGrade(double meanGrade);

// What the profile should hold: the elements from the first bar to the
// last, as the symbol draws them, with the quiet zone each side needs.
struct ExpectedElements {
    std::vector<double> modules;  // width of each element in modules (bar first)
    bool twoWidth = false;        // narrow/wide code: decodability by the narrow/wide threshold
    int characterElements = 0;    // elements per character for the edge measurements (0: whole symbol)
    double quietModules = 10;     // quiet zone needed each side
};

// One scan line: reflectance samples (0 black .. 1 white) across the
// symbol and its margins, one per pixel.
struct ScanLineGrade {
    Graded rmin, rmax;        // rmin graded 4 when at most half of rmax
    Graded symbolContrast;    // Rmax - Rmin
    Graded minEdgeContrast;   // 4 at 0.15 or more, else 0
    Graded modulation;        // ECmin / SC
    Graded defects;           // ERNmax / SC
    Graded decodability;
    Graded decode;            // 4 when the elements match what was expected, else 0
    Graded quietZone;         // the narrower quiet zone in modules
    int grade = 0;            // worst of the above
};

ScanLineGrade gradeScanLine(const std::vector<double>& reflectance, const ExpectedElements& expected);

// Ten scan lines, their mean grade and its letter.
struct ProfileGrade {
    std::vector<ScanLineGrade> lines;
    double meanGrade = 0;
    int grade = 0;
};
ProfileGrade gradeProfiles(const std::vector<std::vector<double>>& lines, const ExpectedElements& expected);

}  // namespace quillet
