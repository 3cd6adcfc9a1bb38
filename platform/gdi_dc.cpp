// Device context calls: a metafile DC records them, a cairo DC keeps the
// state its drawing uses.

#include "platform/gdi_internal.h"
#include "platform/wmf_format.h"

namespace gdi {

using namespace detail;

namespace {

uint16_t w16(int v) { return uint16_t(int16_t(v)); }

// The DC behind a handle: exactly one of the two pointers is set.
struct Dc {
    MetafileDC* meta = nullptr;
    CairoDC* cairo = nullptr;
    DcState* state = nullptr;
    std::vector<DcState>* saved = nullptr;
    explicit operator bool() const { return state != nullptr; }
};

Dc lookup(Handle hdc) {
    Dc d;
    Object* o = find(hdc);
    if (!o) return d;
    if (o->kind == ObjectKind::MetafileDC) {
        d.meta = o->mdc.get();
        d.state = &d.meta->state;
        d.saved = &d.meta->saved;
    } else if (o->kind == ObjectKind::CairoDC) {
        d.cairo = o->cdc.get();
        d.state = &d.cairo->state;
        d.saved = &d.cairo->saved;
    }
    return d;
}

bool fit(std::initializer_list<int> values) {
    for (int v : values)
        if (!fitsInt16(v)) return false;
    return true;
}

// Sets a point-valued field; metafiles record (y, x).
template <typename T>
bool setPair(Handle hdc, uint16_t function, T DcState::*field, int x, int y, T* previous) {
    std::lock_guard lock(tableLock());
    Dc d = lookup(hdc);
    if (!d) return false;
    if (d.meta) {
        if (!fit({x, y})) return false;
        record(*d.meta, function, {w16(y), w16(x)});
    }
    T& f = d.state->*field;
    if (previous) *previous = f;
    if constexpr (std::is_same_v<T, Point>) f = Point{x, y};
    else f = Size{x, y};
    return true;
}

}  // namespace

bool SetWindowOrgEx(Handle hdc, int x, int y, Point* previous) {
    return setPair(hdc, wmf::META_SETWINDOWORG, &DcState::windowOrg, x, y, previous);
}
bool SetWindowExtEx(Handle hdc, int x, int y, Size* previous) {
    return setPair(hdc, wmf::META_SETWINDOWEXT, &DcState::windowExt, x, y, previous);
}
bool SetViewportOrgEx(Handle hdc, int x, int y, Point* previous) {
    return setPair(hdc, wmf::META_SETVIEWPORTORG, &DcState::viewportOrg, x, y, previous);
}
bool SetViewportExtEx(Handle hdc, int x, int y, Size* previous) {
    return setPair(hdc, wmf::META_SETVIEWPORTEXT, &DcState::viewportExt, x, y, previous);
}

int SetMapMode(Handle hdc, int mode) {
    if (mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
    std::lock_guard lock(tableLock());
    Dc d = lookup(hdc);
    if (!d) return 0;
    if (d.meta) record(*d.meta, wmf::META_SETMAPMODE, {uint16_t(mode)});
    int previous = d.state->mapMode;
    d.state->mapMode = mode;
    return previous;
}

int SaveDC(Handle hdc) {
    std::lock_guard lock(tableLock());
    Dc d = lookup(hdc);
    if (!d || d.saved->size() >= 0x7FFE) return 0;
    if (d.meta) record(*d.meta, wmf::META_SAVEDC, {});
    d.saved->push_back(*d.state);
    return int(d.saved->size());
}

bool RestoreDC(Handle hdc, int level) {
    std::lock_guard lock(tableLock());
    Dc d = lookup(hdc);
    if (!d) return false;
    int depth = int(d.saved->size());
    int target = level < 0 ? depth + level + 1 : level;  // the SaveDC call's return value
    if (level == 0 || target < 1 || target > depth) return false;
    // Metafiles hold the relative form, which does not depend on the
    // player's own save depth.
    if (d.meta) record(*d.meta, wmf::META_RESTOREDC, {w16(target - depth - 1)});
    *d.state = (*d.saved)[size_t(target - 1)];
    d.saved->resize(size_t(target - 1));
    return true;
}

int SetBkMode(Handle hdc, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    std::lock_guard lock(tableLock());
    Dc d = lookup(hdc);
    if (!d) return 0;
    if (d.meta) record(*d.meta, wmf::META_SETBKMODE, {uint16_t(mode)});
    int previous = d.state->bkMode;
    d.state->bkMode = mode;
    return previous;
}

COLORREF SetBkColor(Handle hdc, COLORREF color) {
    std::lock_guard lock(tableLock());
    Dc d = lookup(hdc);
    if (!d) return CLR_INVALID;
    if (d.meta) record(*d.meta, wmf::META_SETBKCOLOR, {uint16_t(color), uint16_t(color >> 16)});
    COLORREF previous = d.state->bkColor;
    d.state->bkColor = color;
    return previous;
}

COLORREF SetTextColor(Handle hdc, COLORREF color) {
    std::lock_guard lock(tableLock());
    Dc d = lookup(hdc);
    if (!d) return CLR_INVALID;
    if (d.meta) record(*d.meta, wmf::META_SETTEXTCOLOR, {uint16_t(color), uint16_t(color >> 16)});
    COLORREF previous = d.state->textColor;
    d.state->textColor = color;
    return previous;
}

uint32_t SetTextAlign(Handle hdc, uint32_t align) {
    if (align > 0xFFFF) return GDI_ERROR;
    std::lock_guard lock(tableLock());
    Dc d = lookup(hdc);
    if (!d) return GDI_ERROR;
    if (d.meta) record(*d.meta, wmf::META_SETTEXTALIGN, {uint16_t(align)});
    uint32_t previous = d.state->textAlign;
    d.state->textAlign = align;
    return previous;
}

int GetDeviceCaps(Handle hdc, int index) {
    std::lock_guard lock(tableLock());
    Dc d = lookup(hdc);
    if (!d) return 0;
    if (d.cairo) return cairoDeviceCaps(*d.cairo, index);
    // A metafile has no device; its reference is a 96 dpi screen.
    return index == LOGPIXELSX || index == LOGPIXELSY ? 96 : 0;
}

bool DeleteDC(Handle hdc) {
    std::lock_guard lock(tableLock());
    Object* o = find(hdc, ObjectKind::CairoDC);
    if (!o) return false;
    cairoFlushFills(*o->cdc);
    remove(hdc);
    return true;
}

Handle SelectObject(Handle hdc, Handle obj) {
    std::lock_guard lock(tableLock());
    Dc d = lookup(hdc);
    const Object* o = find(obj);
    if (!d || !o) return 0;
    Handle* current = nullptr;
    switch (o->kind) {
        case ObjectKind::Pen: current = &d.state->penHandle; break;
        case ObjectKind::Brush: current = &d.state->brushHandle; break;
        case ObjectKind::Font: current = &d.state->fontHandle; break;
        default: return 0;
    }
    if (d.meta && !selectIntoMetafile(*d.meta, obj, *o)) return 0;
    switch (o->kind) {
        case ObjectKind::Pen: d.state->pen = o->pen; break;
        case ObjectKind::Brush: d.state->brush = o->brush; break;
        default: d.state->font = o->font; break;
    }
    Handle previous = *current;
    *current = obj;
    return previous;
}

namespace {

bool drawRectangle(const Dc& d, int left, int top, int right, int bottom) {
    if (d.meta) {
        if (!fit({left, top, right, bottom})) return false;
        record(*d.meta, wmf::META_RECTANGLE, {w16(bottom), w16(right), w16(top), w16(left)});
    } else {
        cairoRectangle(*d.cairo, left, top, right, bottom);
    }
    return true;
}

}  // namespace

bool Rectangle(Handle hdc, int left, int top, int right, int bottom) {
    std::lock_guard lock(tableLock());
    Dc d = lookup(hdc);
    return d && drawRectangle(d, left, top, right, bottom);
}

bool Rectangles(Handle hdc, const std::vector<Box>& boxes) {
    std::lock_guard lock(tableLock());
    Dc d = lookup(hdc);
    if (!d) return false;
    bool all = true;
    if (d.meta) {
        // Seven words a record, all written in place: size, function, then
        // bottom, right, top, left. A box beyond 16 bits is left out.
        MetafileDC& m = *d.meta;
        const size_t at = m.words.size();
        m.words.resize(at + boxes.size() * 7);
        uint16_t* w = m.words.data() + at;
        for (const Box& b : boxes) {
            if (!fit({b.left, b.top, b.right, b.bottom})) {
                all = false;
                continue;
            }
            *w++ = 7;
            *w++ = 0;
            *w++ = wmf::META_RECTANGLE;
            *w++ = w16(b.bottom);
            *w++ = w16(b.right);
            *w++ = w16(b.top);
            *w++ = w16(b.left);
        }
        m.words.resize(size_t(w - m.words.data()));
        if (m.words.size() > at && m.maxRecord < 7) m.maxRecord = 7;
        return all;
    }
    for (const Box& b : boxes) all = drawRectangle(d, b.left, b.top, b.right, b.bottom) && all;
    return all;
}

bool TextOut(Handle hdc, int x, int y, const std::string& ansiBytes) {
    std::lock_guard lock(tableLock());
    Dc d = lookup(hdc);
    if (!d) return false;
    if (d.meta) {
        if (!fit({x, y}) || ansiBytes.size() > 32767) return false;
        // Count, the bytes two to a word (padded), y, x: written in place.
        const size_t textWords = (ansiBytes.size() + 1) / 2;
        uint16_t* p = recordSpace(*d.meta, wmf::META_TEXTOUT, 3 + textWords);
        *p++ = uint16_t(ansiBytes.size());
        for (size_t i = 0; i < ansiBytes.size(); i += 2) {
            uint16_t w = uint8_t(ansiBytes[i]);
            if (i + 1 < ansiBytes.size()) w |= uint16_t(uint8_t(ansiBytes[i + 1]) << 8);
            *p++ = w;
        }
        *p++ = w16(y);
        *p = w16(x);
    } else {
        cairoTextOut(*d.cairo, x, y, ansiBytes);
    }
    return true;
}

bool MoveToEx(Handle hdc, int x, int y, Point* previous) {
    return setPair(hdc, wmf::META_MOVETO, &DcState::current, x, y, previous);
}

bool LineTo(Handle hdc, int x, int y) {
    std::lock_guard lock(tableLock());
    Dc d = lookup(hdc);
    if (!d) return false;
    if (d.meta) {
        if (!fit({x, y})) return false;
        record(*d.meta, wmf::META_LINETO, {w16(y), w16(x)});
    } else {
        cairoLineTo(*d.cairo, x, y);
    }
    d.state->current = Point{x, y};
    return true;
}

Handle CreateCairoDC(cairo_t* cr, int dpiX, int dpiY, bool joinFills) {
    if (!cr || dpiX < 0 || dpiY < 0) return 0;
    std::lock_guard lock(tableLock());
    Object o;
    o.kind = ObjectKind::CairoDC;
    o.cdc = std::make_unique<CairoDC>();
    o.cdc->cr = cr;
    o.cdc->dpiX = dpiX;
    o.cdc->dpiY = dpiY;
    o.cdc->joinFills = joinFills;
    o.cdc->state = defaultState();
    return add(std::move(o));
}

namespace detail {

void allowDirectPixels(Handle hdc, uint32_t* argb, int width, int height, bool startsWhite) {
    std::lock_guard lock(tableLock());
    if (Object* o = find(hdc, ObjectKind::CairoDC)) {
        o->cdc->pixels = argb;
        o->cdc->width = width;
        o->cdc->height = height;
        o->cdc->blankWhite = startsWhite;
    }
}

}  // namespace detail

}  // namespace gdi
