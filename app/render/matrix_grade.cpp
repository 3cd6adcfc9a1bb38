#include "app/render/matrix_grade.h"

#include <algorithm>
#include <cmath>

namespace quillet {

namespace {

int atLeast(double v, double a, double b, double c, double d) { return v >= a ? 4 : v >= b ? 3 : v >= c ? 2 : v >= d ? 1 : 0; }
double percent(double v) { return std::nearbyint(v * 100.0) / 100.0; }

struct EdgeFit {
    double pitch = 0;      // mean module size in dots
    double worst = 0;      // largest offset from the fitted grid, in modules
    int minDots = 0, maxDots = 0;
};

// The regular grid through the first and last edge, and how far the
// printed edges stray from it.
EdgeFit fitEdges(const std::vector<double>& edges) {
    EdgeFit f;
    if (edges.size() < 2) return f;
    const size_t n = edges.size() - 1;
    f.pitch = (edges.back() - edges.front()) / double(n);
    f.minDots = f.maxDots = int(std::lround(edges[1] - edges[0]));
    for (size_t i = 0; i <= n; ++i) {
        if (f.pitch > 0) f.worst = std::max(f.worst, std::abs(edges[i] - (edges.front() + f.pitch * double(i))) / f.pitch);
        if (i < n) {
            const int w = int(std::lround(edges[i + 1] - edges[i]));
            f.minDots = std::min(f.minDots, w);
            f.maxDots = std::max(f.maxDots, w);
        }
    }
    return f;
}

}  // namespace

int matrixModulationGrade(double mod) { return atLeast(percent(mod), 0.50, 0.40, 0.30, 0.20); }
int axialNonUniformityGrade(double an) { return atLeast(-percent(an), -0.06, -0.08, -0.10, -0.12); }
int gridNonUniformityGrade(double gn) { return atLeast(-percent(gn), -0.38, -0.50, -0.63, -0.75); }

MatrixGrade gradeMatrix(const MatrixSamples& m) {
    MatrixGrade g;
    g.decode = {m.decoded ? 1.0 : 0.0, m.decoded ? 4 : 0};
    double rmax = 0, rmin = 1;
    for (double r : m.darkCentres) rmax = std::max(rmax, r), rmin = std::min(rmin, r);
    for (double r : m.lightCentres) rmax = std::max(rmax, r), rmin = std::min(rmin, r);
    const double sc = std::max(0.0, rmax - rmin), gt = (rmax + rmin) / 2;
    g.symbolContrast = {sc, symbolContrastGrade(sc)};
    // A module on the wrong side of the threshold has no modulation at all.
    double mod = sc > 0 ? 1 : 0;
    for (double r : m.darkCentres) mod = std::min(mod, sc > 0 && r < gt ? 2 * (gt - r) / sc : 0.0);
    for (double r : m.lightCentres) mod = std::min(mod, sc > 0 && r >= gt ? 2 * (r - gt) / sc : 0.0);
    g.modulation = {mod, matrixModulationGrade(mod)};
    g.quietZone = {m.quietModules, m.quietModules >= m.quietNeeded - 1e-6 ? 4 : 0};

    const EdgeFit x = fitEdges(m.columnEdges), y = fitEdges(m.rowEdges);
    g.moduleDotsX = x.pitch;
    g.moduleDotsY = y.pitch;
    g.minModuleDots = std::min(x.minDots, y.minDots);
    g.maxModuleDots = std::max(x.maxDots, y.maxDots);
    const double mean = (x.pitch + y.pitch) / 2;
    const double an = mean > 0 ? std::abs(x.pitch - y.pitch) / mean : 1;
    g.axialNonUniformity = {an, axialNonUniformityGrade(an)};
    const double gn = std::max(x.worst, y.worst);
    g.gridNonUniformity = {gn, gridNonUniformityGrade(gn)};
    g.grade = std::min({g.decode.grade, g.symbolContrast.grade, g.modulation.grade, g.quietZone.grade,
                        g.axialNonUniformity.grade, g.gridNonUniformity.grade});
    return g;
}

}  // namespace quillet
