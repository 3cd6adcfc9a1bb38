#pragma once
// A small GDI in the shape of the Win32 calls the builders make. Metafile
// device contexts record every call as the standard Windows Metafile (WMF)
// record, in call order, with 16-bit coordinates; a cairo device context
// plays metafiles onto a cairo surface.
//
// Handles are small positive integers in one process-wide table shared by
// the program and its libraries (0 = none / failure). A handle is never
// reused after it is deleted, so a stale handle fails instead of reaching
// another object. The table is guarded by one lock.
//
// Coordinates, sizes and text lengths a metafile cannot hold (outside
// -32768..32767) are refused: the call records nothing and returns failure.
// Callers that must not lose a drawing call check fitsInt16() first.
//
// Stock objects in a metafile: a WMF has no way to name a stock object, so
// selecting one into a metafile DC records a create record of an object
// with the stock object's attributes (once per metafile; later selections
// reuse its object slot) and then the select record. Every select record
// therefore names a slot that the file itself created, and the file stays
// valid for any reader.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/metafile_pict.h"

typedef struct _cairo cairo_t;

namespace gdi {

using COLORREF = uint32_t;  // 0x00BBGGRR

constexpr COLORREF RGB(uint8_t r, uint8_t g, uint8_t b) {
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr uint8_t GetRValue(COLORREF c) { return uint8_t(c); }
constexpr uint8_t GetGValue(COLORREF c) { return uint8_t(c >> 8); }
constexpr uint8_t GetBValue(COLORREF c) { return uint8_t(c >> 16); }
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
constexpr uint32_t GDI_ERROR = 0xFFFFFFFF;

// Stock objects (GetStockObject).
enum : int {
    WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, DKGRAY_BRUSH = 3, BLACK_BRUSH = 4,
    NULL_BRUSH = 5, HOLLOW_BRUSH = 5, WHITE_PEN = 6, BLACK_PEN = 7, NULL_PEN = 8,
    OEM_FIXED_FONT = 10, ANSI_FIXED_FONT = 11, ANSI_VAR_FONT = 12, SYSTEM_FONT = 13,
    DEVICE_DEFAULT_FONT = 14, SYSTEM_FIXED_FONT = 16, DEFAULT_GUI_FONT = 17,
};

// Pen styles.
enum : int { PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5, PS_INSIDEFRAME = 6 };
// Brush styles.
enum : int { BS_SOLID = 0, BS_NULL = 1, BS_HOLLOW = 1 };
// Background mix modes.
enum : int { TRANSPARENT = 1, OPAQUE = 2 };
// Text alignment flags.
enum : uint32_t {
    TA_NOUPDATECP = 0, TA_UPDATECP = 1, TA_LEFT = 0, TA_RIGHT = 2, TA_CENTER = 6,
    TA_TOP = 0, TA_BOTTOM = 8, TA_BASELINE = 24,
};
// Mapping modes.
enum : int {
    MM_TEXT = 1, MM_LOMETRIC = 2, MM_HIMETRIC = 3, MM_LOENGLISH = 4, MM_HIENGLISH = 5,
    MM_TWIPS = 6, MM_ISOTROPIC = 7, MM_ANISOTROPIC = 8,
};
// GetDeviceCaps indices.
enum : int { HORZSIZE = 4, VERTSIZE = 6, HORZRES = 8, VERTRES = 10, LOGPIXELSX = 88, LOGPIXELSY = 90 };
// Font weights and character sets.
enum : int { FW_NORMAL = 400, FW_BOLD = 700 };
enum : uint8_t { ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, OEM_CHARSET = 255 };

// The LOGFONT record: 60 bytes, in the Win32 layout.
struct LogFont {
    int32_t height = 0;       // > 0 cell height, < 0 character height, 0 default
    int32_t width = 0;        // average character width, 0 = natural
    int32_t escapement = 0;   // tenths of a degree, counter-clockwise
    int32_t orientation = 0;
    int32_t weight = 0;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    char faceName[32] = {};
};
static_assert(sizeof(LogFont) == 60);

struct LogPen {
    uint32_t style = PS_SOLID;
    int32_t width = 0;
    COLORREF color = 0;
};

struct LogBrush {
    uint32_t style = BS_SOLID;
    COLORREF color = 0;
    int32_t hatch = 0;
};

struct Point { int32_t x = 0, y = 0; };
struct Size { int32_t cx = 0, cy = 0; };

// True when v can be stored as a WMF coordinate.
constexpr bool fitsInt16(long long v) { return v >= -32768 && v <= 32767; }

// --- Metafiles --------------------------------------------------------------
// A memory metafile DC (pathOrNull == nullptr) or a disk metafile DC whose
// file is written when it is closed. Returns 0 when the file cannot be made.
Handle CreateMetaFile(const char* pathOrNull);
// Ends recording; returns the metafile handle (0 on failure). The DC handle
// is gone afterwards.
Handle CloseMetaFile(Handle hdc);
bool DeleteMetaFile(Handle hmf);
// Writes the metafile to path (nullptr: a memory copy) and returns a handle
// to the copy, 0 on failure.
Handle CopyMetaFile(Handle hmf, const char* pathOrNull);
// The metafile's bytes: 18-byte header, records, end record. Empty for a bad handle.
std::vector<uint8_t> GetMetaFileBits(Handle hmf);
// A metafile from its bytes (plain WMF, no placeable header); 0 when the
// bytes are not a well-formed metafile.
Handle SetMetaFileBits(const std::vector<uint8_t>& bytes);
// Reads a plain WMF file; 0 on failure.
Handle GetMetaFile(const char* path);

// --- Device context state ---------------------------------------------------
bool SetWindowOrgEx(Handle hdc, int x, int y, Point* previous = nullptr);
bool SetWindowExtEx(Handle hdc, int x, int y, Size* previous = nullptr);
bool SetViewportOrgEx(Handle hdc, int x, int y, Point* previous = nullptr);
bool SetViewportExtEx(Handle hdc, int x, int y, Size* previous = nullptr);
int SetMapMode(Handle hdc, int mode);  // previous mode, 0 on failure
int SaveDC(Handle hdc);                // new save level, 0 on failure
bool RestoreDC(Handle hdc, int level); // level < 0: relative to the current one
int SetBkMode(Handle hdc, int mode);   // previous mode, 0 on failure
COLORREF SetBkColor(Handle hdc, COLORREF color);    // previous, CLR_INVALID on failure
COLORREF SetTextColor(Handle hdc, COLORREF color);  // previous, CLR_INVALID on failure
uint32_t SetTextAlign(Handle hdc, uint32_t align);  // previous, GDI_ERROR on failure
int GetDeviceCaps(Handle hdc, int index);
bool DeleteDC(Handle hdc);

// --- Objects ----------------------------------------------------------------
Handle CreateSolidBrush(COLORREF color);
Handle CreateBrushIndirect(const LogBrush& brush);
Handle CreatePen(int style, int width, COLORREF color);
Handle CreateFontIndirect(const LogFont& font);
Handle GetStockObject(int id);
// Win32 shape: copies the object's LOGPEN/LOGBRUSH/LOGFONT (at most size
// bytes) and returns the number of bytes copied, 0 on failure.
int GetObject(Handle h, int size, void* out);
bool GetObject(Handle h, LogFont& out);
// Returns the previously selected object of the same kind, 0 on failure.
Handle SelectObject(Handle hdc, Handle obj);
// Deleting an object that metafile DCs hold also records its deletion
// there. Stock objects cannot be deleted (returns true, does nothing).
bool DeleteObject(Handle obj);

// --- Drawing ----------------------------------------------------------------
bool Rectangle(Handle hdc, int left, int top, int right, int bottom);
// Many rectangles in order, each drawn as Rectangle draws it, for one look-up
// of the DC. True when every one was drawn.
struct Box { int32_t left = 0, top = 0, right = 0, bottom = 0; };
bool Rectangles(Handle hdc, const std::vector<Box>& boxes);
bool TextOut(Handle hdc, int x, int y, const std::string& ansiBytes);
bool MoveToEx(Handle hdc, int x, int y, Point* previous = nullptr);
bool LineTo(Handle hdc, int x, int y);
// Plays the metafile's records into hdc. A cairo DC draws them and keeps
// its own state (mapping, objects, colours) as it was; a metafile DC
// records them again. Objects the metafile creates are deleted at its end.
bool PlayMetaFile(Handle hdc, Handle hmf);

// --- cairo device contexts --------------------------------------------------
// A DC drawing onto cr, whose user space is in device dots at dpiX x dpiY.
// Starts in MM_TEXT with all origins 0 and extents 1. The caller keeps cr.
// joinFills (vector surfaces): consecutive filled rectangles of one colour
// become one path, drawn before anything else is and at DeleteDC.
Handle CreateCairoDC(cairo_t* cr, int dpiX, int dpiY, bool joinFills = false);

// --- Diagnostics (tests) ----------------------------------------------------
enum class ObjectKind { None, MetafileDC, CairoDC, Metafile, Pen, Brush, Font };
ObjectKind objectKind(Handle h);
size_t liveObjectCount();  // objects in the table, stock objects excluded

}  // namespace gdi
