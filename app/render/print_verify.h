#pragma once
// The check before printing: the symbol rendered at the target printer's
// resolution exactly as it would print, seen under a scanner's 660 nm red
// light, decoded by an independent reader and graded the way verifiers
// grade printed symbols. It grades the image Quillet would send, not a
// printed label: a simulated grade.
#include <optional>
#include <string>
#include <vector>

#include "app/model/built_symbol.h"
#include "app/model/settings.h"
#include "app/model/verify_options.h"
#include "app/render/matrix_grade.h"
#include "app/render/scan_grade.h"

namespace quillet {

// Reflectance under red light, one value a dot, 0 black .. 1 white.
struct ReflectanceImage {
    int width = 0, height = 0;
    std::vector<double> r;
    double at(int x, int y) const { return r[size_t(y) * size_t(width) + size_t(x)]; }
};

// The symbol as printed at dpiX x dpiY, with the print growth applied to
// its dark dots.
std::optional<ReflectanceImage> printedReflectance(const SymbolSettings& s, const BuiltSymbol& symbol, int dpiX,
                                                   int dpiY, int printGrowth);

struct VerifyResult {
    bool rendered = false;
    bool decoded = false;
    std::string decodedData;
    std::string expectedData;
    bool dataMatches = false;
    std::optional<ProfileGrade> linear;
    std::optional<MatrixGrade> matrix;
    int grade = 0;            // overall, 4 (A) .. 0 (F)
    bool accepted = false;    // decoded, matching and at least the minimum grade
};

VerifyResult verifySymbol(const SymbolSettings& s, const BuiltSymbol& symbol, const VerifyOptions& options);

// "Simulated grade B (3.3): ..." with every parameter's value and grade.
std::string verifyReportText(const VerifyResult& r);
std::string verifyReportJson(const VerifyResult& r);

}  // namespace quillet
