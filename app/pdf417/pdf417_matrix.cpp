// Rows and columns under the three size constraints, then padding, the
// symbol length descriptor and the error correction codewords.
#include "app/pdf417/pdf417_matrix.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/pdf417/pdf417_error_correction.h"

namespace quillet {
namespace {

// A symbol holds 3-90 rows of 1-30 data columns and at most 928 codewords.
constexpr int kMinRows = 3, kMaxRows = 90, kMaxColumns = 30, kMaxCodewords = 928;

std::string formatRatio(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    return buf;
}

int roundEven(double v) { return int(std::nearbyint(v)); }

// Closest to the wanted aspect ratio; only the narrowest fitting column
// count of each row count is a candidate, ties keep the fewer rows.
void sizeByAspect(Pdf417Matrix& m, int total, const Pdf417Options& o, int mwU, int mhU) {
    const int overhead = o.pdfTruncated ? 2 : 4;
    const int maxRows = std::clamp(o.pdfMaxRows, kMinRows, kMaxRows);
    const int maxColumns = std::clamp(o.pdfMaxColumns, 1, kMaxColumns);
    m.aspectText = formatRatio(o.pdfAspectRatio);
    double best = 100000.0;
    for (int r = kMinRows; r <= maxRows; ++r) {
        for (int j = 1; j <= maxColumns; ++j) {
            if ((r - 1) * j >= total || r * j > kMaxCodewords) break;
            if (r * j < total) continue;
            double ratio = double(r) * mhU / (double((j + overhead) * 17 + 1) * mwU);
            m.candidates.push_back(formatRatio(ratio));
            if (std::fabs(best - o.pdfAspectRatio) > std::fabs(ratio - o.pdfAspectRatio)) {
                m.rows = r;
                m.columns = j;
                best = ratio;
            }
            break;
        }
    }
    if (m.rows * m.columns < total) m.error = kPdfNoSizeFits;
}

void sizeByRows(Pdf417Matrix& m, int total, const Pdf417Options& o) {
    int rows = std::clamp(o.pdfMaxRows, kMinRows, kMaxRows);
    int columns;
    if (double(total) / rows <= 1.0) {
        columns = 1;
        rows = total;
    } else {
        columns = total / rows + (rows * (total / rows) < total ? 1 : 0);
        if (rows * columns > total) {
            rows = total / columns;
            if (rows * columns < total) ++rows;
            // The shrink may not go below the smallest legal symbol.
            rows = std::max(rows, kMinRows);
        }
    }
    if (columns >= kMaxColumns + 1) {
        m.error = kPdfRowsTooSmall;
        return;
    }
    m.rows = rows;
    m.columns = columns;
}

void sizeByColumns(Pdf417Matrix& m, int total, const Pdf417Options& o) {
    int columns = std::clamp(o.pdfMaxColumns, 1, kMaxColumns);
    int rows = roundEven(double(total) / columns);
    if (double(total) / columns <= 3.0) {
        rows = 3;
        columns = roundEven(double(total) / 3);
        if (3 * columns < total) ++columns;
    } else {
        if (rows * columns < total) ++rows;
        if (rows * columns > total) {
            columns = total / rows;
            if (rows * columns < total) ++columns;
        }
        if (rows >= kMaxRows + 1) {
            m.error = kPdfColumnsTooSmall;
            return;
        }
    }
    m.rows = rows;
    m.columns = columns;
}

}  // namespace

int Pdf417ModuleUnits(float size) {
    float half = (2.0f * size + 1.0f) / 2.0f;
    if (!std::isfinite(half) || half > 1e9f || half < -1e9f) return half > 0 ? 1000000000 : 0;
    return int(std::nearbyint(half));
}

int Pdf417SecurityLevel(int n, int pdfSecurityLevel, int pdfOverheadPercent) {
    if (pdfSecurityLevel >= 0 && pdfSecurityLevel <= 8) return pdfSecurityLevel;
    double e = double(n) / 100.0 * std::clamp(pdfOverheadPercent, 0, 99);
    if (e == 0) return 0;
    int s = 1;
    for (double limit : {2.0, 8.0, 16.0, 32.0, 64.0, 128.0, 256.0}) {
        if (e <= limit) return s;
        ++s;
    }
    return 8;
}

Pdf417Matrix PlanPdf417Matrix(const std::vector<int>& dataCodewords, const Pdf417Options& options,
                              int mwU, int mhU) {
    Pdf417Matrix m;
    const int n = int(dataCodewords.size()) + 1;
    m.securityLevel = Pdf417SecurityLevel(n, options.pdfSecurityLevel, options.pdfOverheadPercent);
    const int k = 2 << m.securityLevel;
    if (dataCodewords.size() > size_t(kMaxCodewords) || n + k > kMaxCodewords) {
        m.error = kPdfTooLarge;
        return m;
    }
    const int total = n + k;
    switch (options.pdfSizeConstraint) {
    case 1: sizeByRows(m, total, options); break;
    case 2: sizeByColumns(m, total, options); break;
    default: sizeByAspect(m, total, options, mwU, mhU); break;
    }
    if (m.error) return m;
    // Fixed rows or columns can round to more codewords than a symbol holds.
    if (m.rows * m.columns > kMaxCodewords || m.rows < kMinRows || m.rows > kMaxRows ||
        m.columns < 1 || m.columns > kMaxColumns || m.rows * m.columns < total) {
        m.error = kPdfNoSizeFits;
        return m;
    }
    const int cells = m.rows * m.columns;
    std::vector<int>& cw = m.codewords;
    cw.reserve(size_t(cells));
    cw.push_back(cells - k);  // length descriptor: itself, data and pads
    cw.insert(cw.end(), dataCodewords.begin(), dataCodewords.end());
    cw.resize(size_t(cells - k), 900);
    std::vector<int> ec = Pdf417ErrorCorrection(cw, m.securityLevel);
    cw.insert(cw.end(), ec.begin(), ec.end());
    return m;
}

std::string FormatPdf417Codewords(const std::vector<int>& codewords) {
    std::string out;
    for (int v : codewords) {
        out += std::to_string(v);
        out += ',';
    }
    return out;
}

}  // namespace quillet
