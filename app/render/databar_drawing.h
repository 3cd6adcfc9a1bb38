#pragma once
// What the DataBar builders share: the stripegen library's exports and
// output buffers, the picture's frame (module, text and comment heights,
// quiet zones, size), the rows of element widths and the closing steps.
#include <cstdint>
#include <string>
#include <vector>

#include "app/render/drawing_math.h"
#include "app/render/picture_output.h"
#include "platform/gdi.h"
#include "stripegen/stripegen.h"

namespace quillet {

struct AppState;
struct SymbolSettings;

struct StripegenExports {
    RSSPatternFn rss = nullptr;
    RSS14SPatternFn stacked = nullptr;
    RSS14SOPatternFn stackedOmni = nullptr;
    RSSLimPatternFn limited = nullptr;
    RSSExpPatternFn expanded = nullptr;
};

// Loaded once by name; a missing export stays null.
const StripegenExports& stripegenExports();

// One 3000-character output buffer of the library.
struct OutBuffer {
    std::vector<char> data = std::vector<char>(STRIPEGEN_BUFFER_SIZE, '\0');
    char* ptr = data.data();
    char** out() { return &ptr; }
    // Up to the first NUL.
    std::string widths() const;
};

// The message as the library takes it: NUL-terminated, in a buffer of its own.
struct MessageBuffer {
    std::vector<char> data;
    char* ptr = nullptr;
    explicit MessageBuffer(const std::string& text);
    char** in() { return &ptr; }
};

struct DataBarRow {
    std::string widths;  // element widths in modules; a 0 ends the row
    int left = 0;        // modules from the symbol's left edge
    int height = 0;      // drawing units
    bool darkFirst = false;
};

struct DataBarFrame {
    int X = 0;      // module width
    int F = 0;      // text height
    int TH = 0;     // text band, 0 without text
    int CH = 0;     // comment band, 0 without a comment
    int q = 0;      // quiet zone in modules
    int W = 0, H = 0;
    int reduction = 0;  // drawing units off each bar's right edge (negative: gain)
    int shiftDown = 0;  // text and comment above the symbol
    OrientationMap map;
    int extX = 0, extY = 0;
};

inline int16_t clampTo16(long v) { return int16_t(v < INT16_MIN ? INT16_MIN : v > INT16_MAX ? INT16_MAX : v); }

// The module width: the narrow bar width, or 33 units when it is 0.
int dataBarModule(const SymbolSettings& s);
// The bar height in drawing units, or 33 modules when that is 0.
int dataBarHeight(const SymbolSettings& s, int X);

// `modules` across the symbol and `symbolHeight` units of rows; `Hb` is
// the height the automatic font scaling follows. Empty W and H when the
// picture would not fit a metafile's coordinates.
DataBarFrame dataBarFrame(const SymbolSettings& s, int X, int Hb, int modules, long symbolHeight);
bool fitsMetafile(long W, long H);

// Draws the rows from the top, dark elements as rectangles, elements at
// even positions dark (odd ones when the row begins dark).
void drawDataBarRows(gdi::Handle dc, const DataBarFrame& f, const std::vector<DataBarRow>& rows, int quietLeft);

// The metafile with its background and bar objects, and the text font
// selected into it afterwards.
gdi::Handle beginDataBarPicture(const SymbolSettings& s, const DataBarFrame& f, SymbolObjects& objects);
gdi::Handle selectDataBarFont(gdi::Handle dc, const SymbolSettings& s, const DataBarFrame& f);

// The top of the human-readable text, directly under (or over) the symbol.
int dataBarTextTop(const SymbolSettings& s, const DataBarFrame& f);

// The comment, the release of every object and the publication of the
// picture with `text` as the symbol's human-readable text.
void finishDataBarPicture(AppState& app, gdi::Handle dc, SymbolObjects& objects, gdi::Handle font,
                          const DataBarFrame& f, const std::string& text);

}  // namespace quillet
