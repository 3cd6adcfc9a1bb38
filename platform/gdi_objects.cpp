// The object table: stock objects, pens, brushes and fonts.
#include <cstring>
#include <vector>

#include "platform/gdi_internal.h"

namespace gdi {
namespace detail {
namespace {

constexpr Handle kStockBase = 1;  // stock object id n has handle n + 1
constexpr int kStockCount = 18;
constexpr Handle kFirstHandle = 100;

LogFont makeFont(int height, int width, int weight, uint8_t charSet, uint8_t pitch, const char* face) {
    LogFont f;
    f.height = height;
    f.width = width;
    f.weight = weight;
    f.charSet = charSet;
    f.pitchAndFamily = pitch;
    std::strncpy(f.faceName, face, sizeof f.faceName - 1);
    return f;
}

struct Table {
    // Live objects in handle order. Handles only grow, so a new object goes
    // at the end, with no allocation per object; a label keeps a few dozen
    // alive. handles[i] is objects[i]'s handle: the search reads only the
    // handles.
    std::vector<Handle> handles;
    std::vector<Object> objects;
    // The live metafile DCs, in handle order: every deletion looks at them.
    std::vector<MetafileDC*> metafileDCs;
    Handle next = kFirstHandle;

    Object& put(Handle h, Object&& o) {
        handles.push_back(h);
        return objects.emplace_back(std::move(o));
    }

    // The index of h's object, or objects.size() when h is not live. The
    // search starts from the newest: a drawing works mostly with what it
    // has just made.
    size_t indexOf(Handle h) const {
        size_t i = handles.size();
        while (i > 0 && handles[i - 1] > h) --i;
        return i > 0 && handles[i - 1] == h ? i - 1 : objects.size();
    }

    Table() {
        handles.reserve(64);
        objects.reserve(64);
        auto brush = [&](int id, uint32_t style, COLORREF c) {
            Object o;
            o.kind = ObjectKind::Brush;
            o.stock = true;
            o.brush = {style, c, 0};
            put(kStockBase + id, std::move(o));
        };
        auto pen = [&](int id, uint32_t style, COLORREF c) {
            Object o;
            o.kind = ObjectKind::Pen;
            o.stock = true;
            o.pen = {style, 0, c};
            put(kStockBase + id, std::move(o));
        };
        auto font = [&](int id, const LogFont& f) {
            Object o;
            o.kind = ObjectKind::Font;
            o.stock = true;
            o.font = f;
            put(kStockBase + id, std::move(o));
        };
        brush(WHITE_BRUSH, BS_SOLID, RGB(255, 255, 255));
        brush(LTGRAY_BRUSH, BS_SOLID, RGB(192, 192, 192));
        brush(GRAY_BRUSH, BS_SOLID, RGB(128, 128, 128));
        brush(DKGRAY_BRUSH, BS_SOLID, RGB(64, 64, 64));
        brush(BLACK_BRUSH, BS_SOLID, RGB(0, 0, 0));
        brush(NULL_BRUSH, BS_NULL, RGB(0, 0, 0));
        pen(WHITE_PEN, PS_SOLID, RGB(255, 255, 255));
        pen(BLACK_PEN, PS_SOLID, RGB(0, 0, 0));
        pen(NULL_PEN, PS_NULL, RGB(0, 0, 0));
        font(OEM_FIXED_FONT, makeFont(12, 8, FW_NORMAL, OEM_CHARSET, 0x31, "Terminal"));
        font(ANSI_FIXED_FONT, makeFont(12, 9, FW_NORMAL, ANSI_CHARSET, 0x31, "Courier"));
        font(ANSI_VAR_FONT, makeFont(13, 5, FW_NORMAL, ANSI_CHARSET, 0x22, "MS Sans Serif"));
        font(SYSTEM_FONT, makeFont(16, 7, FW_BOLD, ANSI_CHARSET, 0x22, "System"));
        font(DEVICE_DEFAULT_FONT, makeFont(16, 7, FW_BOLD, ANSI_CHARSET, 0x22, "System"));
        font(SYSTEM_FIXED_FONT, makeFont(15, 8, FW_NORMAL, ANSI_CHARSET, 0x31, "Fixedsys"));
        font(DEFAULT_GUI_FONT, makeFont(-11, 0, FW_NORMAL, ANSI_CHARSET, 0x00, "MS Shell Dlg"));
    }
};

Table& table() {
    static Table t;
    return t;
}

}  // namespace

std::recursive_mutex& tableLock() {
    static std::recursive_mutex m;
    return m;
}

Object* find(Handle h) {
    Table& t = table();
    const size_t i = t.indexOf(h);
    return i == t.objects.size() ? nullptr : &t.objects[i];
}

Object* find(Handle h, ObjectKind kind) {
    Object* o = find(h);
    return o && o->kind == kind ? o : nullptr;
}

Handle add(Object&& obj) {
    Table& t = table();
    if (t.next == INT32_MAX) return 0;  // table exhausted
    Handle h = t.next++;
    Object& o = t.put(h, std::move(obj));
    if (o.kind == ObjectKind::MetafileDC) t.metafileDCs.push_back(o.mdc.get());
    return h;
}

void remove(Handle h) {
    Table& t = table();
    const size_t i = t.indexOf(h);
    if (i == t.objects.size()) return;
    if (t.objects[i].kind == ObjectKind::MetafileDC) std::erase(t.metafileDCs, t.objects[i].mdc.get());
    t.objects.erase(t.objects.begin() + std::ptrdiff_t(i));
    t.handles.erase(t.handles.begin() + std::ptrdiff_t(i));
}

const std::vector<MetafileDC*>& metafileDCs() { return table().metafileDCs; }

const LogFont& systemFont() { return find(kStockBase + SYSTEM_FONT)->font; }

DcState defaultState() {
    DcState s;
    s.penHandle = kStockBase + BLACK_PEN;
    s.brushHandle = kStockBase + WHITE_BRUSH;
    s.fontHandle = kStockBase + SYSTEM_FONT;
    s.pen = find(s.penHandle)->pen;
    s.brush = find(s.brushHandle)->brush;
    s.font = systemFont();
    return s;
}

}  // namespace detail

using namespace detail;

Handle CreateSolidBrush(COLORREF color) { return CreateBrushIndirect({BS_SOLID, color, 0}); }

Handle CreateBrushIndirect(const LogBrush& brush) {
    std::lock_guard lock(tableLock());
    Object o;
    o.kind = ObjectKind::Brush;
    o.brush = brush;
    return add(std::move(o));
}

Handle CreatePen(int style, int width, COLORREF color) {
    if (style < PS_SOLID || style > PS_INSIDEFRAME) return 0;
    std::lock_guard lock(tableLock());
    Object o;
    o.kind = ObjectKind::Pen;
    o.pen = {uint32_t(style), width < 0 ? 0 : width, color};
    return add(std::move(o));
}

Handle CreateFontIndirect(const LogFont& font) {
    std::lock_guard lock(tableLock());
    Object o;
    o.kind = ObjectKind::Font;
    o.font = font;
    o.font.faceName[sizeof o.font.faceName - 1] = '\0';
    return add(std::move(o));
}

Handle GetStockObject(int id) {
    if (id < 0 || id >= kStockCount) return 0;
    std::lock_guard lock(tableLock());
    return find(kStockBase + id) ? kStockBase + id : 0;
}

int GetObject(Handle h, int size, void* out) {
    std::lock_guard lock(tableLock());
    const Object* o = find(h);
    if (!o || size < 0) return 0;
    const void* src = nullptr;
    int n = 0;
    switch (o->kind) {
        case ObjectKind::Pen: src = &o->pen; n = sizeof o->pen; break;
        case ObjectKind::Brush: src = &o->brush; n = sizeof o->brush; break;
        case ObjectKind::Font: src = &o->font; n = sizeof o->font; break;
        default: return 0;
    }
    if (!out) return n;
    if (size < n) n = size;
    std::memcpy(out, src, size_t(n));
    return n;
}

bool GetObject(Handle h, LogFont& out) {
    std::lock_guard lock(tableLock());
    const Object* o = find(h, ObjectKind::Font);
    if (!o) return false;
    out = o->font;
    return true;
}

bool DeleteObject(Handle h) {
    std::lock_guard lock(tableLock());
    Object* o = find(h);
    if (!o) return false;
    if (o->kind != ObjectKind::Pen && o->kind != ObjectKind::Brush && o->kind != ObjectKind::Font) return false;
    if (o->stock) return true;
    forgetObject(h);
    remove(h);
    return true;
}

ObjectKind objectKind(Handle h) {
    std::lock_guard lock(tableLock());
    const Object* o = find(h);
    return o ? o->kind : ObjectKind::None;
}

size_t liveObjectCount() {
    std::lock_guard lock(tableLock());
    size_t n = 0;
    for (const Object& o : table().objects)
        if (!o.stock) ++n;
    return n;
}

}  // namespace gdi
