// PDF417 from any message and options: compaction, sizing, error
// correction and row strings must hold for every input, and the pattern
// file parser must refuse damaged files without reading past them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/pdf417/pdf417_compaction.h"
#include "app/pdf417/pdf417_matrix.h"
#include "app/pdf417/pdf417_patterns.h"
#include "app/pdf417/pdf417_rows.h"

using namespace quillet;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 4, size - 4);

    std::array<std::array<int32_t, 929>, 3> parsed;
    ParsePdf417Patterns(text, parsed);

    Pdf417Options o;
    o.pdfCompaction = data[0] % 5;
    o.pdfSecurityLevel = data[1] % 10;
    o.pdfOverheadPercent = data[1] % 100;
    o.pdfSizeConstraint = data[2] % 3;
    o.pdfMaxRows = 3 + data[3] % 88;
    o.pdfMaxColumns = 1 + data[2] % 30;
    o.pdfTruncated = data[3] & 0x80;
    o.pdfAspectRatio = 0.05 + (data[0] >> 3) / 8.0;
    const std::string message = text.substr(0, 3072);

    auto codewords = EncodePdf417Data(message, o.pdfCompaction);
    if (!codewords) return 0;
    if (codewords->size() % 2) std::abort();
    std::vector<int> cw = PdfCodewordsFromString(*codewords);
    for (int v : cw)
        if (v < 0 || v > 928) std::abort();
    Pdf417Matrix m = PlanPdf417Matrix(cw, o, 26, 77);
    if (m.error) return 0;
    if (m.rows < 3 || m.rows > 90 || m.columns < 1 || m.columns > 30 || m.rows * m.columns > 928 ||
        m.codewords.size() != size_t(m.rows * m.columns))
        std::abort();

    std::array<std::array<int32_t, 929>, 3> patterns;
    for (auto& cluster : patterns) cluster.fill(31111136);
    auto rows = Pdf417RowStrings(m.codewords, m.rows, m.columns, m.securityLevel, o.pdfTruncated, patterns);
    if (rows.size() != size_t(m.rows)) std::abort();
    return 0;
}
