// DataBar Expanded and Expanded Stacked: the checks, the library call, the
// lines it returns (rows and the separators between them), the composite
// component over the top row, the element strings as text and the comment.
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "app/encode/gs1_element_string.h"
#include "app/model/app_state.h"
#include "app/render/builders.h"
#include "app/render/databar_drawing.h"
#include "app/render/gs1_text.h"
#include "app/render/message_report.h"

namespace quillet {

namespace {

constexpr int kExpandedMessageInvalid = 39;
constexpr int kExpandedSegmentsInvalid = 40;
constexpr int kCompositeInvalid = 37;
constexpr size_t kMaxComposite = 338;
// A row of Expanded Stacked: the standard's smallest row height.
constexpr int kStackedRowModules = 34;

int modulesOf(const std::string& widths) {
    int m = 0;
    for (unsigned char w : widths) m += w;
    return m;
}

struct ExpandedOutput {
    int32_t status = -1;
    std::vector<DataBarRow> lines;  // rows at 0, 4, 8, ... and separators between them
    std::string compositeSeparator;
    std::vector<std::string> compositeRows;
    int compositeOffset = 0;
};

ExpandedOutput callLibrary(const std::string& message, const std::string& composite, int segments) {
    ExpandedOutput out;
    const StripegenExports& lib = stripegenExports();
    if (!lib.expanded) return out;
    MessageBuffer libMessage(composite.empty() ? message : message + "|" + composite);
    OutBuffer lines, compSep, compRows;
    int32_t segmentsPerRow = segments, lineCount = 0, rowCount = 0, elementsPerRow = 0, offset = 0;
    std::array<int32_t, STRIPEGEN_EXPANDED_MAX_LINES> elements{}, darkFirst{};
    out.status = lib.expanded(libMessage.in(), &segmentsPerRow, lines.out(), &lineCount, elements.data(),
                              darkFirst.data(), compSep.out(), compRows.out(), &rowCount, &elementsPerRow, &offset);
    if (out.status != STRIPEGEN_OK) return out;
    const std::string all = lines.widths();
    size_t at = 0;
    for (int i = 0; i < std::clamp(lineCount, 0, STRIPEGEN_EXPANDED_MAX_LINES); ++i) {
        const size_t n = size_t(std::max(0, elements[size_t(i)]));
        out.lines.push_back({all.substr(std::min(at, all.size()), n), 0, 0, darkFirst[size_t(i)] != 0});
        at += n;
    }
    if (composite.empty()) return out;
    out.compositeSeparator = compSep.widths();
    const std::string rows = compRows.widths();
    for (int r = 0; r < rowCount && elementsPerRow > 0; ++r) {
        const size_t from = size_t(r) * size_t(elementsPerRow);
        out.compositeRows.push_back(from < rows.size() ? rows.substr(from, size_t(elementsPerRow)) : std::string());
    }
    out.compositeOffset = std::max(0, int(offset));
    return out;
}

}  // namespace

void BuildDataBarExpandedSymbol(AppState& app, BuilderKind variant) {
    SymbolSettings& s = app.settings;
    // An element string becomes its AIs and data with GS after each
    // variable-length field that another follows.
    std::string message = s.message;
    if (isGs1ElementString(message)) {
        const Gs1ElementString parsed = parseGs1ElementString(message);
        if (!parsed.error.empty()) { reportMessageText(app, parsed.error); return; }
        message = gs1Data(parsed.elements, '\x1d');
    }
    const std::string& composite = s.supplement;
    if (message.empty()) { reportMessageError(app, kExpandedMessageInvalid); return; }
    if (composite.size() > kMaxComposite) { reportMessageError(app, kCompositeInvalid); return; }

    const bool stacked = variant == BuilderKind::DataBarExpandedStacked;
    ExpandedOutput lib = callLibrary(message, composite, stacked ? s.dataBarSegments : 22);
    switch (lib.status) {
    case STRIPEGEN_OK: break;
    case STRIPEGEN_DATA_INVALID: reportMessageError(app, kExpandedMessageInvalid); return;
    case STRIPEGEN_BAD_SEGMENTS: reportMessageError(app, kExpandedSegmentsInvalid); return;
    default: reportMessageError(app, kCompositeInvalid); return;
    }

    const int X = dataBarModule(s);
    const int rowHeight = stacked ? kStackedRowModules * X : dataBarHeight(s, X);
    std::vector<DataBarRow> rows;
    for (const std::string& r : lib.compositeRows) rows.push_back({r, lib.compositeOffset, 2 * X});
    if (!composite.empty()) rows.push_back({lib.compositeSeparator, 0, X});
    int symbolModules = 0;
    long height = long(2 * X) * long(lib.compositeRows.size()) + (composite.empty() ? 0 : X);
    for (size_t i = 0; i < lib.lines.size(); ++i) {
        DataBarRow line = lib.lines[i];
        line.height = i % 4 == 0 ? rowHeight : X;
        symbolModules = std::max(symbolModules, modulesOf(line.widths));
        height += line.height;
        rows.push_back(line);
    }
    int modules = symbolModules;
    if (!lib.compositeRows.empty())
        modules = std::max(modules, lib.compositeOffset + modulesOf(lib.compositeRows.front()));

    const DataBarFrame f = dataBarFrame(s, X, rowHeight, modules, height);
    if (f.W == 0) {
        // The picture would not fit the metafile's coordinates.
        reportMessageError(app, 23);
        return;
    }
    const std::string text = gs1ElementText(message);

    SymbolObjects objects;
    gdi::Handle dc = beginDataBarPicture(s, f, objects);
    drawDataBarRows(dc, f, rows, f.q);
    gdi::Handle font = selectDataBarFont(dc, s, f);
    if (s.includeText) {
        // One line centred under the linear part.
        gdi::SetTextAlign(dc, gdi::TA_CENTER | gdi::TA_TOP);
        int tx = roundEven(f.q * X + symbolModules * X / 2.0), ty = dataBarTextTop(s, f);
        f.map.point(tx, ty);
        gdi::TextOut(dc, tx, ty, text);
    }
    finishDataBarPicture(app, dc, objects, font, f, text);
}

}  // namespace quillet
