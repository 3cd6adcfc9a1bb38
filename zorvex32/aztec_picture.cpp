#include "zorvex32/aztec_picture.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <vector>

namespace zorvex {

long long roundEven(double v) { return std::llrint(v); }

PictureSize pictureSize(int side, const PictureStyle& style) {
    const long long m = style.moduleSize;
    PictureSize s{side * m, side * m + style.commentHeight};
    if (style.moduleAdjust < 0) {
        double grow = double(style.moduleAdjust) * double(m) / 100.0;
        s.width -= roundEven(grow);
        s.height = roundEven(double(s.height) - grow);
    }
    return s;
}

namespace {

struct Rect {
    int x1, y1, x2, y2;
};

// Quarter turns of a module rectangle inside a W x Ht picture.
Rect turned(Rect r, int orientation, int w, int ht) {
    switch (orientation) {
        case 1: return {r.y2 + ht, -r.x2, r.y1 + ht, -r.x1};
        case 2: return {w - r.x2, -ht - r.y2, w - r.x1, -ht - r.y1};
        case 3: return {-r.y1, r.x2 - w, -r.y2, r.x1 - w};
        default: return r;
    }
}

// The rectangle of the dark module at row r, column c, before turning.
Rect moduleRect(const ModuleMatrix& m, const PictureStyle& st, int r, int c, int a) {
    const int n = m.side, size = st.moduleSize, h = st.commentHeight;
    Rect q{c * size, -r * size, c * size + size, -r * size - size};
    if (st.moduleAdjust > 0) {
        // Shrink edges that face light modules; keep dark neighbours joined.
        bool right = c + 1 < n && m.dark(r, c + 1);
        bool below = r + 1 < n && m.dark(r + 1, c);
        if (!right || below) q.x2 -= a;
        if (c > 0 && m.dark(r, c - 1) && r + 1 < n && m.dark(r + 1, c - 1)) q.x1 -= a;
        if (!below) q.y2 += a;
    } else if (st.moduleAdjust < 0) {
        q.x2 -= a;
        q.y2 += a;
    }
    if (!st.commentBelow) {
        q.y1 -= h;
        q.y2 -= h;
    }
    return q;
}

void drawModules(gdi::Handle hdc, const ModuleMatrix& m, const PictureStyle& st, int w, int ht) {
    const int a = int(roundEven(double(st.moduleAdjust) * st.moduleSize / 100.0));
    // Handed over in batches: few calls, and a small buffer used again.
    constexpr size_t kBatch = 512;
    std::vector<gdi::Box> boxes;
    boxes.reserve(kBatch);
    const int stride = m.stride();
    for (int r = 0; r < m.side; ++r) {
        // Dark modules straight from the row's bits, leftmost first.
        const uint8_t* row = m.bytes.data() + size_t(r) * size_t(stride);
        for (int byte = 0; byte < stride; ++byte) {
            for (uint8_t bits = row[byte]; bits;) {
                const int bit = std::countl_zero(bits);
                bits = uint8_t(bits ^ (0x80 >> bit));
                Rect t = turned(moduleRect(m, st, r, byte * 8 + bit, a), st.orientation, w, ht);
                boxes.push_back({t.x1, t.y1, t.x2, t.y2});
                if (boxes.size() == kBatch) {
                    gdi::Rectangles(hdc, boxes);
                    boxes.clear();
                }
            }
        }
    }
    gdi::Rectangles(hdc, boxes);
}

void drawComment(gdi::Handle hdc, const PictureStyle& st, int w, int ht) {
    const int h = st.commentHeight;
    const bool above = !st.commentBelow;
    gdi::SetTextColor(hdc, st.textColor);
    gdi::LogFont lf;
    // The system font's description up to part of its face name, then ours.
    gdi::GetObject(gdi::GetStockObject(gdi::SYSTEM_FONT), 50, &lf);
    lf.height = h;
    lf.width = 0;
    lf.escapement = lf.orientation = st.orientation * 900;
    lf.weight = st.bold ? gdi::FW_BOLD : gdi::FW_NORMAL;
    lf.italic = st.italic;
    lf.underline = st.underline;
    lf.strikeOut = st.strikeOut;
    lf.charSet = gdi::DEFAULT_CHARSET;
    lf.clipPrecision = 0x10;
    lf.quality = 0;
    std::memset(lf.faceName, 0, sizeof lf.faceName);
    std::memcpy(lf.faceName, st.fontName.data(), std::min(st.fontName.size(), sizeof lf.faceName - 1));
    gdi::Handle font = gdi::CreateFontIndirect(lf);
    gdi::Handle previous = gdi::SelectObject(hdc, font);
    static const uint32_t kAlign[3] = {gdi::TA_LEFT | gdi::TA_TOP, gdi::TA_CENTER | gdi::TA_TOP,
                                       gdi::TA_RIGHT | gdi::TA_TOP};
    gdi::SetTextAlign(hdc, kAlign[st.alignment]);
    // Reference point: along the comment's baseline direction by alignment,
    // across it at the symbol's top or bottom edge.
    const int a = st.alignment;
    int x = 0, y = 0;
    switch (st.orientation) {
        case 0: x = std::array<int, 3>{0, w / 2, w}[a]; y = above ? 0 : -ht + h; break;
        case 1: x = above ? ht : h; y = std::array<int, 3>{0, -(w / 2), -w}[a]; break;
        case 2: x = std::array<int, 3>{w, w / 2, 0}[a]; y = above ? -ht : -h; break;
        default: x = above ? 0 : ht - h; y = std::array<int, 3>{-w, -(w / 2), 0}[a]; break;
    }
    gdi::TextOut(hdc, x, y, st.comment);
    gdi::SelectObject(hdc, previous);
    gdi::DeleteObject(font);
}

}  // namespace

gdi::MetafilePict drawAztecPicture(gdi::Handle hdc, const ModuleMatrix& m, const PictureStyle& st,
                                   PictureSize size) {
    const int w = int(size.width), ht = int(size.height);
    const bool turnedQuarter = st.orientation % 2 == 1;
    const int extX = turnedQuarter ? ht : w, extY = turnedQuarter ? -w : -ht;

    gdi::TextOut(hdc, 0, 0, " ");
    gdi::SetWindowExtEx(hdc, extX, extY);
    gdi::SetWindowOrgEx(hdc, 0, 0);

    gdi::Handle backBrush = 0, backPen = 0;
    if (st.transparent) {
        gdi::SetBkMode(hdc, gdi::TRANSPARENT);
    } else {
        backBrush = gdi::CreateSolidBrush(st.backColor);
        backPen = gdi::CreatePen(gdi::PS_INSIDEFRAME, 0, st.backColor);
        gdi::SelectObject(hdc, backBrush);
        gdi::SelectObject(hdc, backPen);
        gdi::Rectangle(hdc, 0, 0, extX, extY);
        gdi::SetBkMode(hdc, gdi::TRANSPARENT);
        gdi::SetBkColor(hdc, st.backColor);
    }
    gdi::Handle forePen = gdi::CreatePen(gdi::PS_INSIDEFRAME, 1, st.foreColor);
    gdi::Handle foreBrush = gdi::CreateSolidBrush(st.foreColor);
    gdi::SelectObject(hdc, forePen);
    gdi::SelectObject(hdc, foreBrush);

    drawModules(hdc, m, st, w, ht);
    if (!st.comment.empty()) drawComment(hdc, st, w, ht);

    gdi::SelectObject(hdc, gdi::GetStockObject(gdi::BLACK_PEN));
    gdi::SelectObject(hdc, gdi::GetStockObject(gdi::BLACK_BRUSH));
    gdi::MetafilePict pict;
    pict.mm = gdi::MM_ANISOTROPIC;
    pict.xExt = turnedQuarter ? ht : w;
    pict.yExt = turnedQuarter ? w : ht;
    for (gdi::Handle h : {forePen, foreBrush, backPen, backBrush})
        if (h) gdi::DeleteObject(h);
    return pict;
}

}  // namespace zorvex
