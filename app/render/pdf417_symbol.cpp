// The PDF417 builder: compaction, matrix planning, row strings and drawing
// into a metafile at exact size.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "app/model/app_state.h"
#include "app/model/messages.h"
#include "app/pdf417/pdf417_charset.h"
#include "app/pdf417/pdf417_compaction.h"
#include "app/pdf417/pdf417_matrix.h"
#include "app/pdf417/pdf417_patterns.h"
#include "app/pdf417/pdf417_rows.h"
#include "app/render/builders.h"
#include "app/render/comment_line.h"
#include "app/render/drawing_math.h"
#include "app/render/message_report.h"
#include "app/render/pdf417_pattern_file.h"
#include "app/render/picture_output.h"
#include "app/render/publish_symbol.h"
#include "platform/gdi.h"

namespace quillet {
namespace {

constexpr int kMaxMessage = 3072;
constexpr int64_t kMaxCoordinate = 32767;  // metafile coordinates are 16-bit

void drawRect(gdi::Handle dc, const OrientationMap& map, Rect r) {
    r = map.rect(r);
    gdi::Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

}  // namespace

void BuildPdf417Symbol(AppState& app, const std::string& message) {
    SymbolSettings& s = app.settings;
    const Pdf417Options& o = s.pdf;

    if (message.empty()) return reportMessageError(app, 27);
    if (message.size() > size_t(kMaxMessage)) return reportMessageError(app, 19);
    if (!(o.pdfAspectRatio > 0)) return reportMessageError(app, 28);
    if (!(s.pdfModuleWidth > 0)) return reportMessageError(app, 29);
    if (!(s.pdfModuleHeight > 0)) return reportMessageError(app, 30);
    if (!LoadPdf417Tables(app)) {
        s.symbolBuilt = false;
        return;
    }

    std::string text = message;
    std::optional<PdfCodewordString> data;
    // UTF-8 text goes as its bytes, announced by ECI 26, whatever the mode.
    if (s.utf8Text) {
        data = CompactWithEci(26, text);
    } else {
        ConvertPdfCharacterSet(text, o.pdfCharacterSet, s.characterSet);
        data = EncodePdf417Data(text, o.pdfCompaction);
    }
    if (!data) return reportMessageError(app, kPdfInvalidCharacters);

    const int mwU = Pdf417ModuleUnits(s.pdfModuleWidth);
    const int mhU = Pdf417ModuleUnits(s.pdfModuleHeight);
    Pdf417Matrix m = PlanPdf417Matrix(PdfCodewordsFromString(*data), o, mwU, mhU);
    if (!m.aspectText.empty()) {  // the aspect ratio search ran
        app.window.magnifyList = m.candidates;
        app.window.magnifyText = m.aspectText;
    }
    if (m.error) return reportMessageError(app, m.error);
    if (o.pdfShowCodewords) s.supplement = FormatPdf417Codewords(m.codewords);

    const int R = m.rows, D = m.columns;
    std::vector<std::string> rows =
        Pdf417RowStrings(m.codewords, R, D, m.securityLevel, o.pdfTruncated, pdf417PatternTable().patterns);

    // Layout, in 64 bits so that sizes beyond the metafile's coordinates
    // are reported instead of wrapping.
    const int64_t Q = s.quietZones ? 2 * int64_t(mwU) : 0;
    int64_t modules = 0;
    for (char c : rows[0]) modules += c - '0';
    const int64_t W64 = int64_t(mwU) * modules + 2 * Q;
    const bool hasComment = !s.comment.empty();
    const double fontHeight = std::nearbyint(double(s.fontSize) * 35.15);
    const int64_t F64 = hasComment ? std::max<int64_t>(0, int64_t(fontHeight)) : 0;
    const int64_t H64 = int64_t(R) * mhU + F64;
    if (W64 > kMaxCoordinate || H64 > kMaxCoordinate || F64 > kMaxCoordinate)
        return reportMessageError(app, 23);
    const int W = int(W64), H = int(H64), F = int(F64);

    const bool vertical = isVertical(s);
    const int extX = vertical ? H : W, extY = vertical ? W : H;
    OrientationMap map{s.orientation, W, H};

    SymbolObjects objects;
    gdi::Handle dc = beginSymbolMetafile(s, extX, extY, s.backColour, objects);

    gdi::Handle font = 0;
    if (F > 0) {
        gdi::SetTextColor(dc, s.fontColour);
        gdi::LogFont lf = symbolFont(s, F, 0, 1, 16);
        font = gdi::CreateFontIndirect(lf);
        gdi::SelectObject(dc, font);
    }

    // Bar width reduction or gain moves each bar's right edge.
    const int step = reductionStep(s);
    const double adjust = (gainOn(s) ? 1 : -1) * step * 5 / 100.0 * mwU;
    const int shift = (s.commentAbove && F > 0) ? F : 0;
    for (int r = 0; r < R; ++r) {
        const int top = -r * mhU - shift, bottom = top - mhU;
        int x = 0;
        const std::string& row = rows[size_t(r)];
        for (size_t i = 0; i < row.size(); ++i) {
            const int w = (row[i] - '0') * mwU;
            if (i % 2 == 0) {
                Rect bar{x + int(Q), top, x + int(Q) + w, bottom};
                if (step) bar.right = roundEven(double(bar.right) + adjust);
                drawRect(dc, map, bar);
            }
            x += w;
        }
    }

    if (F > 0) {
        drawCommentLine(dc, map, s, int(Q), W, s.commentAbove ? 0 : F - H);
        gdi::SelectObject(dc, gdi::GetStockObject(gdi::SYSTEM_FONT));
        gdi::DeleteObject(font);
    }

    endSymbolDrawing(dc, objects);
    gdi::Handle mf = gdi::CloseMetaFile(dc);

    app.output.checkValue = formatLength(H, s.unitMode == UnitMetric);
    app.output.barPattern.clear();
    BuiltSymbol value = symbolValue(extX, extY, W, H);
    value.text = text;
    value.modules = Pdf417ModuleGrid(rows);
    publishSymbol(app, mf, std::move(value));
}

}  // namespace quillet
