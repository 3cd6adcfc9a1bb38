#include "app/render/scan_grade.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quillet {

namespace {

// A run of samples on one side of the global threshold.
struct Run {
    int begin = 0, end = 0;   // samples [begin, end)
    bool light = false;
    double edgeBegin = 0, edgeEnd = 0;  // edges at the threshold, interpolated between samples
};

std::vector<Run> runsOf(const std::vector<double>& r, double gt) {
    std::vector<Run> runs;
    for (int i = 0; i < int(r.size()); ++i) {
        const bool light = r[size_t(i)] >= gt;
        if (runs.empty() || runs.back().light != light) {
            double edge = i;
            if (i > 0) {
                // Where the profile crosses the threshold between samples i-1 and i.
                const double a = r[size_t(i - 1)], b = r[size_t(i)];
                edge = i - 0.5 + (a != b ? std::clamp((gt - a) / (b - a), 0.0, 1.0) : 0.5);
            }
            if (!runs.empty()) runs.back().edgeEnd = edge;
            runs.push_back({i, i + 1, light, edge, 0});
        } else {
            runs.back().end = i + 1;
        }
    }
    if (!runs.empty()) runs.back().edgeEnd = double(r.size());
    return runs;
}

double extreme(const std::vector<double>& r, const Run& run, bool highest) {
    double v = highest ? -1 : 2;
    for (int i = run.begin; i < run.end; ++i) v = highest ? std::max(v, r[size_t(i)]) : std::min(v, r[size_t(i)]);
    return v;
}

// Element reflectance non-uniformity: the deepest interior valley of a
// space below its peak, or the highest interior peak of a bar above its
// valley; the ramps into the neighbours are not defects.
double nonUniformity(const std::vector<double>& r, const Run& run) {
    double worst = 0;
    for (int i = run.begin + 1; i + 1 < run.end; ++i) {
        const double v = r[size_t(i)], before = r[size_t(i - 1)], after = r[size_t(i + 1)];
        if (run.light && v < before && v <= after) worst = std::max(worst, extreme(r, run, true) - v);
        if (!run.light && v > before && v >= after) worst = std::max(worst, v - extreme(r, run, false));
    }
    return worst;
}

// Module-based codes: every edge-to-similar-edge distance of a character
// against the whole number of modules it should span; 1 exact, 0 half a
// module off.
double moduleDecodability(const std::vector<double>& w, const ExpectedElements& e) {
    const size_t n = w.size(), step = e.characterElements > 0 ? size_t(e.characterElements) : n;
    double v = 1;
    for (size_t start = 0; start < n; start += step) {
        const size_t stop = std::min(n, start + step);
        double pixels = 0, modules = 0;
        for (size_t i = start; i < stop; ++i) pixels += w[i], modules += e.modules[i];
        if (pixels <= 0) return 0;
        for (size_t i = start; i + 1 < stop; ++i) {
            const double measured = (w[i] + w[i + 1]) * modules / pixels;
            v = std::min(v, 1 - 2 * std::abs(measured - (e.modules[i] + e.modules[i + 1])));
        }
    }
    return v;
}

// Narrow/wide codes: how far the narrowest wide and the widest narrow
// element stay from the threshold between the two, against half the gap
// between their means.
double twoWidthDecodability(const std::vector<double>& w, const ExpectedElements& e) {
    const size_t n = w.size(), step = e.characterElements > 0 ? size_t(e.characterElements) : n;
    double v = 1;
    for (size_t start = 0; start < n; start += step) {
        const size_t stop = std::min(n, start + step);
        double sumN = 0, sumW = 0, maxN = 0, minW = std::numeric_limits<double>::max();
        int countN = 0, countW = 0;
        for (size_t i = start; i < stop; ++i) {
            if (e.modules[i] <= 1) sumN += w[i], ++countN, maxN = std::max(maxN, w[i]);
            else sumW += w[i], ++countW, minW = std::min(minW, w[i]);
        }
        if (countN == 0 || countW == 0) continue;
        const double meanN = sumN / countN, meanW = sumW / countW, t = (meanN + meanW) / 2;
        if (meanW <= meanN) return 0;
        v = std::min(v, std::min(t - maxN, minW - t) / ((meanW - meanN) / 2));
    }
    return v;
}

}  // namespace

char gradeLetter(int grade) { return "FDCBA"[std::clamp(grade, 0, 4)]; }

int gradeFromLetter(char letter) {
    switch (letter) {
    case 'A': case 'a': return 4;
    case 'B': case 'b': return 3;
    case 'C': case 'c': return 2;
    case 'D': case 'd': return 1;
    case 'F': case 'f': return 0;
    default: return -1;
    }
}

namespace {
// The grade of the first threshold a value reaches, 4 down to 1, else 0.
int atLeast(double v, double a, double b, double c, double d) { return v >= a ? 4 : v >= b ? 3 : v >= c ? 2 : v >= d ? 1 : 0; }
// Rounded to the percent, as grades are reported, before comparison.
double percent(double v) { return std::nearbyint(v * 100.0) / 100.0; }
}  // namespace

int symbolContrastGrade(double sc) { return atLeast(percent(sc), 0.70, 0.55, 0.40, 0.20); }
int modulationGrade(double mod) { return atLeast(percent(mod), 0.70, 0.60, 0.50, 0.40); }
int defectsGrade(double defects) { return atLeast(-percent(defects), -0.15, -0.20, -0.25, -0.30); }
int decodabilityGrade(double v) { return atLeast(percent(v), 0.62, 0.50, 0.37, 0.25); }
int overallGrade(double meanGrade) { return atLeast(meanGrade, 3.5, 2.5, 1.5, 0.5); }

ScanLineGrade gradeScanLine(const std::vector<double>& r, const ExpectedElements& expected) {
    ScanLineGrade g;
    if (r.empty()) return g;
    const double rmax = *std::max_element(r.begin(), r.end()), rmin = *std::min_element(r.begin(), r.end());
    g.rmax = {rmax, 4};
    g.rmin = {rmin, rmin <= 0.5 * rmax ? 4 : 0};
    g.symbolContrast = {rmax - rmin, symbolContrastGrade(rmax - rmin)};
    const std::vector<Run> runs = runsOf(r, (rmax + rmin) / 2);

    // The symbol runs from the first dark run to the last; light runs
    // outside it are the quiet zones.
    size_t first = 0, last = runs.size();
    while (first < runs.size() && runs[first].light) ++first;
    while (last > first && runs[last - 1].light) --last;
    std::vector<double> widths;
    for (size_t i = first; i < last; ++i) widths.push_back(runs[i].edgeEnd - runs[i].edgeBegin);
    const bool matches = first < last && widths.size() == expected.modules.size() && rmax > rmin;

    double ecMin = rmax - rmin, ernMax = 0;
    for (size_t i = 0; i + 1 < runs.size(); ++i) {
        const Run& a = runs[i];
        const Run& b = runs[i + 1];
        ecMin = std::min(ecMin, extreme(r, a.light ? a : b, true) - extreme(r, a.light ? b : a, false));
    }
    for (const Run& run : runs) ernMax = std::max(ernMax, nonUniformity(r, run));
    g.minEdgeContrast = {ecMin, ecMin >= 0.15 - 1e-9 ? 4 : 0};
    const double sc = rmax - rmin;
    g.modulation = {sc > 0 ? ecMin / sc : 0, sc > 0 ? modulationGrade(ecMin / sc) : 0};
    g.defects = {sc > 0 ? ernMax / sc : 1, sc > 0 ? defectsGrade(ernMax / sc) : 0};

    double v = 0;
    if (matches) v = expected.twoWidth ? twoWidthDecodability(widths, expected) : moduleDecodability(widths, expected);
    g.decodability = {std::max(0.0, v), matches ? decodabilityGrade(v) : 0};
    g.decode = {matches && v > 0 ? 1.0 : 0.0, matches && v > 0 ? 4 : 0};

    double quiet = 0;
    if (matches) {
        double modules = 0, pixels = 0;
        for (size_t i = 0; i < widths.size(); ++i) pixels += widths[i], modules += expected.modules[i];
        const double z = pixels / modules;
        const double leading = first > 0 ? runs[first - 1].edgeEnd - runs[first - 1].edgeBegin : 0;
        const double trailing = last < runs.size() ? runs[last].edgeEnd - runs[last].edgeBegin : 0;
        quiet = std::min(leading, trailing) / z;
    }
    g.quietZone = {quiet, quiet >= expected.quietModules - 1e-6 ? 4 : 0};

    g.grade = std::min({g.rmin.grade, g.symbolContrast.grade, g.minEdgeContrast.grade, g.modulation.grade,
                        g.defects.grade, g.decodability.grade, g.decode.grade, g.quietZone.grade});
    return g;
}

ProfileGrade gradeProfiles(const std::vector<std::vector<double>>& lines, const ExpectedElements& expected) {
    ProfileGrade p;
    double sum = 0;
    for (const auto& line : lines) {
        p.lines.push_back(gradeScanLine(line, expected));
        sum += p.lines.back().grade;
    }
    p.meanGrade = lines.empty() ? 0 : sum / double(lines.size());
    p.grade = lines.empty() ? 0 : overallGrade(p.meanGrade);
    return p;
}

}  // namespace quillet
