#include "app/render/databar_host.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/model/app_state.h"
#include "app/encode/gs1_element_string.h"
#include "app/model/messages.h"
#include "app/render/build_copy.h"
#include "app/render/builders.h"
#include "app/render/databar_drawing.h"
#include "app/render/message_report.h"

namespace quillet {

std::string dataBarHumanReadable(const std::string& message) {
    std::string digits = std::string(13 - std::min<size_t>(13, message.size()), '0') + message;
    int sum = 0;
    for (size_t i = 0; i < 13; ++i) {
        int weight = ((13 - i) % 2 == 1) ? 3 : 1;  // 3, 1, 3, ... from the rightmost
        sum += (digits[i] - '0') * weight;
    }
    return digits + char('0' + (10 - sum % 10) % 10);
}

void BuildDataBarSymbol(AppState& app, BuilderKind variant) {
    using enum BuilderKind;
    SymbolSettings& s = app.settings;
    const std::string& composite = s.supplement;
    // "(01)" with a GTIN-14 stands for the GTIN's first 13 digits: the
    // symbol's own check digit is the GTIN's.
    std::string message = s.message;
    if (isGs1ElementString(message)) {
        const Gs1ElementString parsed = parseGs1ElementString(message);
        std::string fault = parsed.error;
        if (fault.empty() && (parsed.elements.size() != 1 || parsed.elements[0].ai != "01"))
            fault = "GS1 DataBar carries AI (01) alone; further AIs go in the composite message";
        if (!fault.empty()) { reportMessageText(app, fault); return; }
        message = parsed.elements[0].data.substr(0, 13);
    }

    if (message.empty() || message.size() > 13) { reportMessageError(app, 36); return; }
    if (variant == DataBarLimited) {
        // The value test comes before the digit test: read up to the first non-digit.
        uint64_t v = 0;
        for (char c : message) {
            if (c < '0' || c > '9') break;
            v = v * 10 + uint64_t(c - '0');
        }
        if (v > 1999999999999ULL) { reportMessageError(app, 38); return; }
    }
    for (char c : message)
        if (c < '0' || c > '9') { reportMessageError(app, 36); return; }
    if (composite.size() > 338) { reportMessageError(app, 37); return; }

    const StripegenExports& lib = stripegenExports();
    MessageBuffer libMessage(composite.empty() ? message : message + "|" + composite);
    char** messagePtr = libMessage.in();
    OutBuffer pattern, upper, lower, upperSep, middleSep, lowerSep, compSep, compRows;
    int32_t rowCount = 0, elementsPerRow = 0;
    int32_t status = -1;
    switch (variant) {
    case DataBar:
        if (lib.rss) status = lib.rss(messagePtr, pattern.out(), compSep.out(), compRows.out(), &rowCount, &elementsPerRow);
        break;
    case DataBarStacked:
        if (lib.stacked)
            status = lib.stacked(messagePtr, upper.out(), lower.out(), middleSep.out(), compSep.out(), compRows.out(),
                                 &rowCount, &elementsPerRow);
        break;
    case DataBarStackedOmni:
        if (lib.stackedOmni)
            status = lib.stackedOmni(messagePtr, upper.out(), lower.out(), upperSep.out(), middleSep.out(),
                                     lowerSep.out(), compSep.out(), compRows.out(), &rowCount, &elementsPerRow);
        break;
    case DataBarLimited:
        if (lib.limited)
            status = lib.limited(messagePtr, pattern.out(), compSep.out(), compRows.out(), &rowCount, &elementsPerRow);
        break;
    default: return;
    }
    if (status != 0) {
        reportMessageError(app, 37);
        return;
    }

    const std::string text = dataBarHumanReadable(message);
    const bool hasComposite = !composite.empty();
    const int n = hasComposite ? std::max(0, rowCount) : 0;
    const int e = hasComposite ? std::max(0, elementsPerRow) : 0;

    const int X = dataBarModule(s);
    int Hb = dataBarHeight(s, X);
    if (variant == DataBarStacked) Hb = 13 * X;
    else if (variant == DataBarStackedOmni) Hb = 69 * X;

    int mLinear = 96, o = 0;
    switch (variant) {
    case DataBar: mLinear = 96; if (hasComposite) o = 5; break;
    case DataBarStacked: case DataBarStackedOmni: mLinear = 50; break;
    case DataBarLimited: mLinear = 74; if (hasComposite && e > 39) o = 10; break;
    default: break;
    }
    int m = mLinear;
    if (hasComposite) {
        if (variant == DataBar) m = 101;
        else if (variant == DataBarStacked || variant == DataBarStackedOmni) m = 57;
        else if (variant == DataBarLimited && e > 39) m = 84;
    }
    const DataBarFrame f = dataBarFrame(s, X, Hb, m, long(Hb) + (hasComposite ? 2L * X * n + X : 0));
    if (f.W == 0) {
        // The picture would not fit the metafile's coordinates.
        reportMessageError(app, 23);
        return;
    }

    // Rows from the top.
    std::vector<DataBarRow> rows;
    const std::string allComp = compRows.widths();
    for (int r = 0; r < n; ++r) {
        size_t from = size_t(r) * size_t(e);
        rows.push_back({from < allComp.size() ? allComp.substr(from, size_t(e)) : std::string(), 0, 2 * X});
    }
    const int left = o;
    if (hasComposite) rows.push_back({compSep.widths(), left, X});
    switch (variant) {
    case DataBar: case DataBarLimited: rows.push_back({pattern.widths(), left, Hb}); break;
    case DataBarStacked:
        rows.push_back({upper.widths(), left, 5 * X});
        rows.push_back({middleSep.widths(), left, X});
        // The lower row of the stacked symbols begins with its dark guard bar.
        rows.push_back({lower.widths(), left, 7 * X, true});
        break;
    case DataBarStackedOmni:
        rows.push_back({upper.widths(), left, 33 * X});
        rows.push_back({upperSep.widths(), left, X});
        rows.push_back({middleSep.widths(), left, X});
        rows.push_back({lowerSep.widths(), left, X});
        rows.push_back({lower.widths(), left, 33 * X, true});
        break;
    default: break;
    }

    SymbolObjects objects;
    gdi::Handle dc = beginDataBarPicture(s, f, objects);
    drawDataBarRows(dc, f, rows, f.q);
    gdi::Handle font = selectDataBarFont(dc, s, f);

    if (s.includeText) {
        gdi::SetTextAlign(dc, gdi::TA_CENTER | gdi::TA_TOP);
        const int band = mLinear * X;
        const int cell = clampTo16(roundEven(band / 14.0));
        const int y = dataBarTextTop(s, f);
        for (int i = 1; i <= 14; ++i) {
            // Half an odd cell lands on a half unit: rounded to even like every coordinate.
            int tx = roundEven((left + f.q) * X + cell * i - cell / 2.0), ty = y;
            f.map.point(tx, ty);
            gdi::TextOut(dc, tx, ty, std::string(1, text[size_t(i - 1)]));
        }
    }
    finishDataBarPicture(app, dc, objects, font, f, text);
}

}  // namespace quillet
