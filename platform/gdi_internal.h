#pragma once
// The process-wide object table behind the gdi calls. Not for callers
// outside platform/.
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "platform/gdi.h"

namespace gdi::detail {

// What a device context currently draws with, and how it maps coordinates.
struct DcState {
    int mapMode = MM_TEXT;
    Point windowOrg{0, 0};
    Size windowExt{1, 1};
    Point viewportOrg{0, 0};
    Size viewportExt{1, 1};
    int bkMode = OPAQUE;
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF textColor = RGB(0, 0, 0);
    uint32_t textAlign = TA_LEFT | TA_TOP;
    LogPen pen{PS_SOLID, 0, RGB(0, 0, 0)};
    LogBrush brush{BS_SOLID, RGB(255, 255, 255), 0};
    LogFont font;
    Point current{0, 0};
    // Handles currently selected (for SelectObject's return value).
    Handle penHandle = 0, brushHandle = 0, fontHandle = 0;
};

struct MetafileDC {
    std::vector<uint16_t> words;  // records recorded so far
    uint32_t maxRecord = 0;       // largest record, in words
    std::vector<Handle> slots;    // the metafile's object table; 0 = free
    bool disk = false;
    std::string path;
    DcState state;
    std::vector<DcState> saved;
};

struct CairoDC {
    cairo_t* cr = nullptr;
    int dpiX = 0, dpiY = 0;
    DcState state;
    std::vector<DcState> saved;
    // Vector output joins consecutive fills of one colour into one path, so
    // that abutting rectangles show no seam where a viewer smooths edges.
    bool joinFills = false;
    struct Box {
        double x0, y0, x1, y1;
    };
    std::vector<Box> pendingFills;
    COLORREF pendingColor = 0;
    // The 32-bit pixels of cr's own image surface, when its owner promises
    // no transform or clip: solid fills are written straight into them.
    uint32_t* pixels = nullptr;
    int width = 0, height = 0;
    // Nothing is drawn yet on pixels that started white: a white fill,
    // such as the background, changes nothing.
    bool blankWhite = false;
    // Fills held back from a blank image until cairo draws or the DC is
    // done: rows that the same fills cover are then worked out once.
    struct PixelFill {
        int l, t, r, b;
        uint32_t v;
    };
    std::vector<PixelFill> pendingPixels;
};

struct Object {
    ObjectKind kind = ObjectKind::None;
    bool stock = false;
    LogPen pen;
    LogBrush brush;
    LogFont font;
    std::vector<uint8_t> metafileBytes;
    std::unique_ptr<MetafileDC> mdc;
    std::unique_ptr<CairoDC> cdc;
};

// The lock every public call takes.
std::recursive_mutex& tableLock();
// An object found is valid until the next add or remove: the table moves
// objects (a DC's own state lives behind its unique_ptr and stays put).
Object* find(Handle h);
Object* find(Handle h, ObjectKind kind);
Handle add(Object&& obj);
void remove(Handle h);
// Every live metafile DC (for recording object deletions).
const std::vector<MetafileDC*>& metafileDCs();
// The system font's description.
const LogFont& systemFont();
// The initial state of a new DC: stock black pen, white brush, system font.
DcState defaultState();

// Recording helpers (gdi_metafile.cpp).
void record(MetafileDC& dc, uint16_t function, std::span<const uint16_t> params);
// Appends a record of paramWords parameter words and returns where they go.
uint16_t* recordSpace(MetafileDC& dc, uint16_t function, size_t paramWords);
// Most records have a few fixed parameters: no vector to build for them.
inline void record(MetafileDC& dc, uint16_t function, std::initializer_list<uint16_t> params) {
    record(dc, function, std::span<const uint16_t>(params.begin(), params.size()));
}
bool selectIntoMetafile(MetafileDC& dc, Handle h, const Object& obj);
void forgetObject(Handle h);
std::vector<uint8_t> finishMetafile(const MetafileDC& dc);

// Drawing on a cairo DC with its current state (renderer.cpp).
void cairoRectangle(CairoDC& dc, int left, int top, int right, int bottom);
void cairoTextOut(CairoDC& dc, int x, int y, const std::string& ansiBytes);
void cairoLineTo(CairoDC& dc, int x, int y);
// Draws the fills a joining DC still holds.
void cairoFlushFills(CairoDC& dc);
// Lets a cairo DC fill rectangles straight into argb, the width x height
// ARGB32 pixels (rows packed) of its cairo_t's target, which has an
// identity transform and no clip for the DC's life; startsWhite when every
// pixel is opaque white.
void allowDirectPixels(Handle hdc, uint32_t* argb, int width, int height, bool startsWhite);
int cairoDeviceCaps(const CairoDC& dc, int index);

}  // namespace gdi::detail
