#include "app/render/databar_host.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "app/model/app_state.h"
#include "app/encode/gs1_element_string.h"
#include "app/model/messages.h"
#include "app/render/build_copy.h"
#include "app/render/builders.h"
#include "app/render/comment_line.h"
#include "app/render/drawing_math.h"
#include "app/render/message_report.h"
#include "app/render/picture_output.h"
#include "app/render/publish_symbol.h"
#include "platform/gdi.h"
#include "platform/paths.h"
#include "stripegen/stripegen.h"

namespace quillet {

namespace {

struct StripegenExports {
    RSSPatternFn rss = nullptr;
    RSS14SPatternFn stacked = nullptr;
    RSS14SOPatternFn stackedOmni = nullptr;
    RSSLimPatternFn limited = nullptr;
};

const StripegenExports& stripegen() {
    static StripegenExports e = [] {
        StripegenExports x;
        if (void* lib = platform::loadLibrary("libstripegen.so")) {
            x.rss = reinterpret_cast<RSSPatternFn>(platform::librarySymbol(lib, "RSSPattern"));
            x.stacked = reinterpret_cast<RSS14SPatternFn>(platform::librarySymbol(lib, "RSS14SPattern"));
            x.stackedOmni = reinterpret_cast<RSS14SOPatternFn>(platform::librarySymbol(lib, "RSS14SOPattern"));
            x.limited = reinterpret_cast<RSSLimPatternFn>(platform::librarySymbol(lib, "RSSLimPattern"));
        }
        return x;
    }();
    return e;
}

// One 3000-character output buffer of the library.
struct OutBuffer {
    std::vector<char> data = std::vector<char>(STRIPEGEN_BUFFER_SIZE, '\0');
    char* ptr = data.data();
    char** out() { return &ptr; }
    std::string widths() const { return std::string(data.data(), strnlen(data.data(), data.size())); }
};

int16_t to16(long v) { return int16_t(std::clamp<long>(v, INT16_MIN, INT16_MAX)); }

struct Row {
    std::string widths;
    int left = 0;    // modules from the symbol's left edge
    int height = 0;  // drawing units
    bool darkFirst = false;
};

}  // namespace

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

    const StripegenExports& lib = stripegen();
    std::string libMessage = message;
    if (!composite.empty()) libMessage += "|" + composite;
    std::vector<char> messageBuffer(libMessage.begin(), libMessage.end());
    messageBuffer.push_back('\0');
    char* messagePtr = messageBuffer.data();
    OutBuffer pattern, upper, lower, upperSep, middleSep, lowerSep, compSep, compRows;
    int32_t rowCount = 0, elementsPerRow = 0;
    int32_t status = -1;
    switch (variant) {
    case DataBar:
        if (lib.rss) status = lib.rss(&messagePtr, pattern.out(), compSep.out(), compRows.out(), &rowCount, &elementsPerRow);
        break;
    case DataBarStacked:
        if (lib.stacked)
            status = lib.stacked(&messagePtr, upper.out(), lower.out(), middleSep.out(), compSep.out(), compRows.out(),
                                 &rowCount, &elementsPerRow);
        break;
    case DataBarStackedOmni:
        if (lib.stackedOmni)
            status = lib.stackedOmni(&messagePtr, upper.out(), lower.out(), upperSep.out(), middleSep.out(),
                                     lowerSep.out(), compSep.out(), compRows.out(), &rowCount, &elementsPerRow);
        break;
    case DataBarLimited:
        if (lib.limited)
            status = lib.limited(&messagePtr, pattern.out(), compSep.out(), compRows.out(), &rowCount, &elementsPerRow);
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

    int X = narrowWidthUnits(s.narrowWidth);
    if (X == 0) X = 33;
    int Hb = 0;
    if (variant == DataBarStacked) Hb = 13 * X;
    else if (variant == DataBarStackedOmni) Hb = 69 * X;
    else {
        Hb = to16(long(std::clamp(std::nearbyint(double(s.barHeight) * 1000.0), -32768.0, 32767.0)));
        if (Hb == 0) Hb = 33 * X;
    }
    const int F = s.autoFontScaling ? Hb / 6 : to16(roundEven(s.fontSize * 35.28));
    const int TH = s.includeText ? F : 0;
    const int CH = s.comment.empty() ? 0 : F;
    const int q = s.quietZones ? 10 : 0;
    const int step = reductionStep(s);
    const double p = gainOn(s) ? -5.0 * step : 5.0 * step;

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
    const long Wl = long(2 * q + m) * X;
    const long Hl = long(Hb) + TH + CH + (hasComposite ? 2L * X * n + X : 0);
    if (Wl > 32767 || Hl > 32767) {
        // The picture would not fit the metafile's coordinates.
        reportMessageError(app, 23);
        return;
    }
    const int W = int(Wl), H = int(Hl);

    // Rows from the top.
    std::vector<Row> rows;
    const std::string allComp = compRows.widths();
    for (int r = 0; r < n; ++r) {
        size_t from = size_t(r) * size_t(e);
        rows.push_back({from < allComp.size() ? allComp.substr(from, size_t(e)) : std::string(), q, 2 * X});
    }
    const int left = o + q;
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

    Colour back = s.backColour;
    if (s.foreColour == 0 && back == 0) back = 0xFFFFFF;
    const bool vertical = isVertical(s);
    const int extX = vertical ? H : W, extY = vertical ? W : H;
    OrientationMap map{s.orientation, W, H};

    SymbolObjects objects;
    gdi::Handle dc = beginSymbolMetafile(s, extX, extY, back, objects);
    const int shiftDown = (s.includeText && s.textAbove ? TH : 0) + (s.commentAbove ? CH : 0);
    const int r = roundEven(p * X / 100.0);
    int top = 0;
    for (const Row& row : rows) {
        int x = row.left * X;
        for (size_t i = 0; i < row.widths.size(); ++i) {
            int w = static_cast<unsigned char>(row.widths[i]);
            if (w == 0) break;
            if (i % 2 == (row.darkFirst ? 0 : 1)) {  // elements 2, 4, ... are dark (1, 3, ... dark first)
                Rect bar{x, top - shiftDown, x + w * X - r, top - row.height - shiftDown};
                Rect mapped = map.rect(bar);
                gdi::Rectangle(dc, mapped.left, mapped.top, mapped.right, mapped.bottom);
            }
            x += w * X;
        }
        top -= row.height;
    }

    gdi::SetTextColor(dc, s.fontColour);
    gdi::LogFont lf = symbolFont(s, F, s.autoFontScaling ? 5 * X : 0, 1, 16);
    gdi::Handle font = gdi::CreateFontIndirect(lf);
    gdi::SelectObject(dc, font);

    if (s.includeText) {
        gdi::SetTextAlign(dc, gdi::TA_CENTER | gdi::TA_TOP);
        const int band = mLinear * X;
        const int cell = to16(roundEven(band / 14.0));
        const int chBelow = s.commentAbove ? 0 : CH;
        const int y = s.textAbove ? (s.commentAbove ? -CH : 0) : -(H - TH - chBelow);
        for (int i = 1; i <= 14; ++i) {
            // Half an odd cell lands on a half unit: rounded to even like every coordinate.
            int tx = roundEven(left * X + cell * i - cell / 2.0), ty = y;
            map.point(tx, ty);
            gdi::TextOut(dc, tx, ty, std::string(1, text[size_t(i - 1)]));
        }
    }
    if (!s.comment.empty()) drawCommentLine(dc, map, s, q * X, W, s.commentAbove ? 0 : -(H - CH));

    gdi::SelectObject(dc, gdi::GetStockObject(gdi::SYSTEM_FONT));
    releaseBarObjects(dc, objects);
    gdi::DeleteObject(font);
    deleteBackgroundObjects(objects);
    gdi::Handle mf = gdi::CloseMetaFile(dc);

    app.output.checkValue = formatLength(H, s.unitMode == UnitMetric);
    BuiltSymbol value = symbolValue(extX, extY, W, H);
    value.text = text;
    publishSymbol(app, mf, std::move(value));
}

}  // namespace quillet
