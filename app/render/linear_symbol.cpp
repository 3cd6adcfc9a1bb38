// Drawing a linear symbol (and the postal FIM patterns) into a metafile at
// exact physical size.
#include <algorithm>
#include <cstring>

#include "app/encode/encode_linear.h"
#include "app/model/app_state.h"
#include "app/model/messages.h"
#include "app/model/symbology.h"
#include "app/render/builders.h"
#include "app/render/comment_line.h"
#include "app/render/linear_layout.h"
#include "app/render/message_report.h"
#include "app/render/picture_output.h"
#include "app/render/publish_symbol.h"
#include "platform/gdi.h"

namespace quillet {

namespace {

const char* const kWidthLimitText =
    "Cannot Create Bar Code!  Total Width exceeds system limit.\r"
    "Try reducing the Narrow Bar Width or the length of the Bar Code Text.";

int clamp16(int v) { return std::clamp(v, -32768, 32767); }

gdi::Box placedBox(const OrientationMap& map, Rect r) {
    r = map.rect(r);
    return {clamp16(r.left), clamp16(r.top), clamp16(r.right), clamp16(r.bottom)};
}

void drawRect(gdi::Handle dc, const OrientationMap& map, Rect r) {
    const gdi::Box b = placedBox(map, r);
    gdi::Rectangle(dc, b.left, b.top, b.right, b.bottom);
}

void drawText(gdi::Handle dc, const OrientationMap& map, int x, int y, const std::string& text) {
    map.point(x, y);
    gdi::TextOut(dc, clamp16(x), clamp16(y), text);
}

void reportWidthLimit(AppState& app) {
    if (app.ui) app.ui->beep();
    if (app.settings.messageWarnings) {
        if (app.ui) app.ui->messageBox(kWidthLimitText, app.appTitle, platform::Buttons::Ok);
    } else if (app.clipboard) {
        app.clipboard->empty();
    }
}

}  // namespace

void BuildLinearSymbol(AppState& app, std::string& message, int barHeight, int narrowWidth) {
    SymbolSettings& s = app.settings;
    const int code = s.symbology;
    app.output.checkValue.clear();

    if (message.empty()) { reportMessageError(app, -1); return; }
    if (message.size() > 100) { reportMessageError(app, 19); return; }
    if (barHeight <= 0) { reportMessageError(app, 18); return; }
    if (narrowWidth <= 0) { reportMessageError(app, 17); return; }

    LinearEncoding e = EncodeLinear(s, message);
    if (e.error != 0) {
        if (!e.errorText.empty()) reportMessageText(app, e.errorText);
        else reportMessageError(app, e.error);
        if (e.secondBeep && app.ui) app.ui->beep();
        return;
    }
    // POSTNET shows the ZIP code it found in its normalised form.
    if (Symbology(code) == Symbology::Postnet) s.message = e.text;
    const std::string& text = e.text;
    const std::string& supplement = e.addOnDigits;
    std::string& pattern = e.pattern;
    const std::string& checkText = e.checkText;
    if (!pattern.empty() && (pattern.back() == '1' || pattern.back() == '2')) pattern.pop_back();
    app.output.barPattern = pattern;
    message = text;

    LinearLayoutInput in;
    in.symbology = code;
    in.pattern = pattern;
    in.text = text;
    in.addOnDigits = isUpcEan(code) ? supplement : std::string();
    in.X = narrowWidth;
    in.H = barHeight;
    in.hasComment = !s.comment.empty();
    LinearLayout L = layoutLinear(s, in);
    if (L.widthExceeded || L.heightExceeded) {
        reportWidthLimit(app);
        return;
    }

    const bool vertical = isVertical(s);
    const int extX = vertical ? L.T : L.W, extY = vertical ? L.W : L.T;
    OrientationMap map{s.orientation, L.W, L.T};

    SymbolObjects objects;
    gdi::Handle dc = beginSymbolMetafile(s, extX, extY, s.backColour, objects);
    // Bars then bearers, in one call: each Rectangle would look the DC up again.
    std::vector<gdi::Box> boxes;
    boxes.reserve(L.bars.size() + L.bearers.size());
    for (const Rect& r : L.bars) boxes.push_back(placedBox(map, r));
    for (const Rect& r : L.bearers) boxes.push_back(placedBox(map, r));
    gdi::Rectangles(dc, boxes);

    // Fonts: the main text font and the 80 % font of the UPC end digits.
    gdi::SetTextColor(dc, s.fontColour);
    // The comment uses the same font when there is no text line.
    gdi::LogFont lf = symbolFont(s, L.TH == 0 ? L.F : L.TH, s.autoFontScaling ? 5 * narrowWidth : 0, 0, 0);
    gdi::Handle mainFont = gdi::CreateFontIndirect(lf);
    gdi::LogFont small = lf;
    small.height = roundEven(0.8 * lf.height);
    small.width = roundEven(0.8 * lf.width);
    gdi::Handle smallFont = gdi::CreateFontIndirect(small);
    gdi::SelectObject(dc, mainFont);
    gdi::SetTextAlign(dc, gdi::TA_CENTER | gdi::TA_TOP);

    for (const TextItem& t : L.text) {
        if (t.small) gdi::SelectObject(dc, smallFont);
        drawText(dc, map, t.x, t.y, std::string(1, t.ch));
        if (t.small) gdi::SelectObject(dc, mainFont);
    }

    if (!isPostal(code) && !s.comment.empty())
        drawCommentLine(dc, map, s, L.q * narrowWidth, L.W, s.commentAbove ? 0 : -(L.H + L.TH));

    // Bar pen and brush, then the two fonts, then the background objects.
    gdi::SelectObject(dc, gdi::GetStockObject(gdi::SYSTEM_FONT));
    releaseBarObjects(dc, objects);
    gdi::DeleteObject(mainFont);
    gdi::DeleteObject(smallFont);
    deleteBackgroundObjects(objects);
    gdi::Handle mf = gdi::CloseMetaFile(dc);

    BuiltSymbol value = symbolValue(extX, extY, L.W, L.T);
    value.text = text;
    value.checkText = checkText;
    value.barPattern = pattern;
    publishSymbol(app, mf, std::move(value), Finish::LinearSymbol);
    const bool metric = s.unitMode == UnitMetric;
    if (isUpcEan(code))
        app.output.checkValue = formatLength(L.W - (s.quietZones ? 38 : 18) * narrowWidth, metric);
    else
        app.output.checkValue = checkText;
}

void BuildFimPattern(AppState& app, int index) {
    static const char* const kFim[3] = {"10100000100000101", "10001010001010001", "10100010001000101"};
    if (index < 1 || index > 3) return;
    SymbolSettings& s = app.settings;
    const int W = 1350, T = 1588;
    const bool vertical = isVertical(s);
    const int extX = vertical ? T : W, extY = vertical ? W : T;
    OrientationMap map{s.orientation, W, T};
    const int step = reductionStep(s), r = 4 * step;

    SymbolObjects objects;
    gdi::Handle dc = beginSymbolMetafile(s, extX, extY, s.backColour, objects);
    const char* p = kFim[index - 1];
    for (int i = 0; p[i]; ++i) {
        if (p[i] != '1') continue;
        Rect bar{i * 80, 0, i * 80 + 80, -T};
        if (r) bar.right += gainOn(s) ? r : -r;
        drawRect(dc, map, bar);
    }
    gdi::SelectObject(dc, gdi::GetStockObject(gdi::SYSTEM_FONT));
    endSymbolDrawing(dc, objects);
    gdi::Handle mf = gdi::CloseMetaFile(dc);
    publishSymbol(app, mf, symbolValue(extX, extY, W, T), Finish::FimPattern);
}

}  // namespace quillet
