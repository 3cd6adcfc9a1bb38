// Data Matrix: the message goes through the outside encoder, which returns
// the symbol size and then the colour of each module; the program draws the
// module grid at exact size with comment, quiet zone, reduction or gain,
// colours and orientation.
#include "app/render/datamatrix_symbol.h"

#include <cmath>
#include <cstring>

#include "app/model/app_state.h"
#include "app/encode/gs1_element_string.h"
#include "app/model/messages.h"
#include "app/render/builders.h"
#include "app/render/comment_line.h"
#include "app/render/encode32.h"
#include "app/render/matrix_modules.h"
#include "app/render/message_report.h"
#include "app/render/picture_output.h"
#include "app/render/publish_symbol.h"
#include "platform/gdi.h"

namespace quillet {

const int kDmSquareSides[24] = {10, 12, 14, 16, 18, 20, 22, 24, 26, 32, 36, 40,
                                44, 48, 52, 64, 72, 80, 88, 96, 104, 120, 132, 144};

namespace {

const DmSize kDmRectangles[6] = {{8, 18}, {8, 32}, {12, 26}, {12, 36}, {16, 36}, {16, 48}};

// Program-wide: set by a passed self test, so the encoder is initialised
// once; a failed self test leaves it clear and the next build tries again.
bool g_encoderReady = false;

int16_t to16(long long v) { return int16_t(v < -32768 ? -32768 : v > 32767 ? 32767 : v); }

}  // namespace

std::string dataMatrixEncoderText(const std::string& message, int eccCode, bool translateTildes) {
    if (eccCode != 26) return message;
    std::string out;
    out.reserve(message.size() + 8);
    for (char ch : message) {
        if (ch == '~' && translateTildes) out += "~~";
        else if (ch == '\0') out += "~@";
        else out.push_back(ch);
    }
    return out;
}

DmSize dmRequestedSize(int shapeSize) {
    if (shapeSize >= 1 && shapeSize <= 6) return kDmRectangles[shapeSize - 1];
    if (shapeSize >= 7 && shapeSize <= 30) return {kDmSquareSides[shapeSize - 7], kDmSquareSides[shapeSize - 7]};
    return {};
}

void BuildDataMatrixSymbol(AppState& app) {
    SymbolSettings& s = app.settings;
    const DataMatrixOptions& o = s.dm;
    std::string text;
    if (s.gs1Mode) {
        const Gs1ElementString parsed = parseGs1ElementString(s.message);
        if (!parsed.error.empty()) return reportMessageText(app, parsed.error);
        text = "\x1d" + gs1Data(parsed.elements, '\x1d');
    } else {
        text = dataMatrixEncoderText(s.message, o.dmEccCode, o.dmTranslateTildes);
    }

    if (!g_encoderReady) {
        if (IDM_initialize(0) == 0) {
            g_encoderReady = IDM_self_test() == 0;
            if (!g_encoderReady) return;
        }
    }

    const DmSize req = dmRequestedSize(o.dmShapeSize);
    int16_t R = 0, K = 0;
    // The length argument is 16-bit: a longer text is cut to a length no
    // symbol can hold, so the encoder reports it as too long.
    const int16_t length = to16((long long)text.size());
    const int16_t result = IDM_enc_complete(to16(o.dmDataFormat), to16(o.dmEccCode), int16_t(req.rows),
                                            int16_t(req.cols), s.gs1Mode ? 1 : 0, 1, text.c_str(), &R, &K, length);
    if (result > 0) {
        reportMessageError(app, result);
        return;
    }
    if (R <= 0 || K <= 0) {
        reportMessageError(app, -1);
        return;
    }

    // Sizes are worked in wide integers and refused (like any dimension a
    // metafile cannot hold) before anything is drawn.
    const double m = s.matrixModuleSize;
    if (!(m > 0.5)) {  // also catches a size that is not a number
        reportMessageError(app, 17);
        return;
    }
    if (m > 32767.0) {
        reportMessageError(app, 23);
        return;
    }
    const int M = roundEven(m);
    const bool hasComment = !s.comment.empty();
    const double thExact = hasComment ? std::nearbyint(double(s.fontSize) * 35.15) : 0.0;
    const int step = reductionStep(s);
    const int a = moduleAdjustment(m, step, gainOn(s));
    const int q = s.quietZones ? 2 * M : 0;
    const long long Wl = (long long)M * K + 4LL * (s.quietZones ? M : 0) - a;
    const long long Hl = (long long)M * R + (long long)thExact + 4LL * (s.quietZones ? M : 0) - a;
    if (thExact < 0 || thExact > 32767 || Wl <= 0 || Hl <= 0 || Wl > 32767 || Hl > 32767) {
        reportMessageError(app, 23);
        return;
    }
    const int TH = int(thExact), W = int(Wl), H = int(Hl);

    const bool vertical = isVertical(s);
    const int extX = vertical ? H : W, extY = vertical ? W : H;
    OrientationMap map{s.orientation, W, H};

    SymbolObjects objects;
    gdi::Handle dc = beginSymbolMetafile(s, extX, extY, s.backColour, objects);

    gdi::Handle font = 0;
    if (hasComment) {
        gdi::SetTextColor(dc, s.fontColour);
        gdi::LogFont lf = symbolFont(s, TH, 0, 1, 0x10);
        font = gdi::CreateFontIndirect(lf);
    }

    ModuleMatrix grid;
    grid.rows = R;
    grid.cols = K;
    grid.dark.resize(size_t(R) * K);
    for (int r = 1; r <= R; ++r)
        for (int c = 1; c <= K; ++c) grid.dark[size_t(r - 1) * K + (c - 1)] = get_dm_cell(int16_t(r), int16_t(c)) == 1;

    const int down = hasComment && s.commentAbove ? TH : 0;
    for (int r = 1; r <= R; ++r) {
        for (int c = 1; c <= K; ++c) {
            if (!grid.at(r, c)) continue;
            Rect rect = moduleRect(grid, r, c, q + (c - 1) * M, -q - (r - 1) * M, m, a);
            rect.top -= down;
            rect.bottom -= down;
            rect = map.rect(rect);
            gdi::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
        }
    }

    if (hasComment) {
        gdi::SelectObject(dc, font);
        drawCommentLine(dc, map, s, q, W, s.commentAbove ? 0 : TH - H);
        gdi::SelectObject(dc, gdi::GetStockObject(gdi::SYSTEM_FONT));
        gdi::DeleteObject(font);
    }

    endSymbolDrawing(dc, objects);
    gdi::Handle mf = gdi::CloseMetaFile(dc);

    BuiltSymbol value = symbolValue(extX, extY, W, H);
    value.text = s.message;
    value.modules = std::move(grid);
    publishSymbol(app, mf, std::move(value));
}

}  // namespace quillet
