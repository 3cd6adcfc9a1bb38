#include "app/render/databar_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/model/app_state.h"
#include "app/render/build_copy.h"
#include "app/render/comment_line.h"
#include "app/render/publish_symbol.h"
#include "platform/paths.h"

namespace quillet {

namespace {

template <typename Fn>
Fn symbol(void* lib, const char* name) {
    return reinterpret_cast<Fn>(platform::librarySymbol(lib, name));
}

}  // namespace

const StripegenExports& stripegenExports() {
    static StripegenExports e = [] {
        StripegenExports x;
        if (void* lib = platform::loadLibrary("libstripegen.so")) {
            x.rss = symbol<RSSPatternFn>(lib, "RSSPattern");
            x.stacked = symbol<RSS14SPatternFn>(lib, "RSS14SPattern");
            x.stackedOmni = symbol<RSS14SOPatternFn>(lib, "RSS14SOPattern");
            x.limited = symbol<RSSLimPatternFn>(lib, "RSSLimPattern");
            x.expanded = symbol<RSSExpPatternFn>(lib, "RSSExpPattern");
        }
        return x;
    }();
    return e;
}

std::string OutBuffer::widths() const { return std::string(data.data(), strnlen(data.data(), data.size())); }

MessageBuffer::MessageBuffer(const std::string& text) : data(text.begin(), text.end()) {
    data.push_back('\0');
    ptr = data.data();
}

int dataBarModule(const SymbolSettings& s) {
    const int X = narrowWidthUnits(s.narrowWidth);
    return X == 0 ? 33 : X;
}

int dataBarHeight(const SymbolSettings& s, int X) {
    const int Hb = clampTo16(long(std::clamp(std::nearbyint(double(s.barHeight) * 1000.0), -32768.0, 32767.0)));
    return Hb == 0 ? 33 * X : Hb;
}

bool fitsMetafile(long W, long H) { return W <= 32767 && H <= 32767; }

DataBarFrame dataBarFrame(const SymbolSettings& s, int X, int Hb, int modules, long symbolHeight) {
    DataBarFrame f;
    f.X = X;
    f.F = s.autoFontScaling ? Hb / 6 : clampTo16(roundEven(s.fontSize * 35.28));
    f.TH = s.includeText ? f.F : 0;
    f.CH = s.comment.empty() ? 0 : f.F;
    f.q = s.quietZones ? 10 : 0;
    const long W = long(2 * f.q + modules) * X, H = symbolHeight + f.TH + f.CH;
    if (!fitsMetafile(W, H)) return f;
    f.W = int(W);
    f.H = int(H);
    const int step = reductionStep(s);
    const double p = gainOn(s) ? -5.0 * step : 5.0 * step;
    f.reduction = roundEven(p * X / 100.0);
    f.shiftDown = (s.includeText && s.textAbove ? f.TH : 0) + (s.commentAbove ? f.CH : 0);
    const bool vertical = isVertical(s);
    f.extX = vertical ? f.H : f.W;
    f.extY = vertical ? f.W : f.H;
    f.map = OrientationMap{s.orientation, f.W, f.H};
    return f;
}

gdi::Handle beginDataBarPicture(const SymbolSettings& s, const DataBarFrame& f, SymbolObjects& objects) {
    Colour back = s.backColour;
    if (s.foreColour == 0 && back == 0) back = 0xFFFFFF;
    return beginSymbolMetafile(s, f.extX, f.extY, back, objects);
}

void drawDataBarRows(gdi::Handle dc, const DataBarFrame& f, const std::vector<DataBarRow>& rows, int quietLeft) {
    const int X = f.X;
    int top = 0;
    for (const DataBarRow& row : rows) {
        int x = (row.left + quietLeft) * X;
        for (size_t i = 0; i < row.widths.size(); ++i) {
            const int w = static_cast<unsigned char>(row.widths[i]);
            if (w == 0) break;
            if (i % 2 == (row.darkFirst ? 0 : 1)) {
                Rect bar{x, top - f.shiftDown, x + w * X - f.reduction, top - row.height - f.shiftDown};
                Rect mapped = f.map.rect(bar);
                gdi::Rectangle(dc, mapped.left, mapped.top, mapped.right, mapped.bottom);
            }
            x += w * X;
        }
        top -= row.height;
    }
}

gdi::Handle selectDataBarFont(gdi::Handle dc, const SymbolSettings& s, const DataBarFrame& f) {
    gdi::SetTextColor(dc, s.fontColour);
    gdi::LogFont lf = symbolFont(s, f.F, s.autoFontScaling ? 5 * f.X : 0, 1, 16);
    gdi::Handle font = gdi::CreateFontIndirect(lf);
    gdi::SelectObject(dc, font);
    return font;
}

int dataBarTextTop(const SymbolSettings& s, const DataBarFrame& f) {
    const int chBelow = s.commentAbove ? 0 : f.CH;
    return s.textAbove ? (s.commentAbove ? -f.CH : 0) : -(f.H - f.TH - chBelow);
}

void finishDataBarPicture(AppState& app, gdi::Handle dc, SymbolObjects& objects, gdi::Handle font,
                          const DataBarFrame& f, const std::string& text) {
    const SymbolSettings& s = app.settings;
    if (!s.comment.empty()) drawCommentLine(dc, f.map, s, f.q * f.X, f.W, s.commentAbove ? 0 : -(f.H - f.CH));
    gdi::SelectObject(dc, gdi::GetStockObject(gdi::SYSTEM_FONT));
    releaseBarObjects(dc, objects);
    gdi::DeleteObject(font);
    deleteBackgroundObjects(objects);
    gdi::Handle mf = gdi::CloseMetaFile(dc);

    app.output.checkValue = formatLength(f.H, s.unitMode == UnitMetric);
    BuiltSymbol value = symbolValue(f.extX, f.extY, f.W, f.H);
    value.text = text;
    publishSymbol(app, mf, std::move(value));
}

}  // namespace quillet
