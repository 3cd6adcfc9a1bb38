#include "app/render/picture_output.h"

#include <cstring>

#include "app/model/number_format.h"
#include "app/model/settings.h"
#include "app/render/drawing_math.h"

namespace quillet {

// The "#0.00" display format, which rounds halves away from zero.
std::string formatLength(int units, bool metric) {
    if (metric) return formatNumber(units / 1000.0, "#0.00") + " cm";
    return formatNumber(units / 2540.0, "#0.00") + " \"";
}

gdi::LogFont symbolFont(const SymbolSettings& s, int height, int width, uint8_t charSet, uint8_t clipPrecision) {
    gdi::LogFont lf;
    gdi::GetObject(gdi::GetStockObject(gdi::SYSTEM_FONT), lf);
    lf.height = height;
    lf.width = width;
    lf.weight = s.bold ? 700 : 400;
    lf.italic = s.italic;
    lf.underline = s.underline;
    lf.strikeOut = s.strikeout;
    lf.charSet = charSet;
    lf.clipPrecision = clipPrecision;
    lf.quality = 0;
    if (s.orientation == Vertical90) lf.escapement = lf.orientation = 900;
    if (s.orientation == Vertical270) lf.escapement = lf.orientation = 2700;
    std::memset(lf.faceName, 0, sizeof lf.faceName);
    std::strncpy(lf.faceName, s.fontName.c_str(), sizeof lf.faceName - 1);
    return lf;
}

SymbolObjects beginSymbolDrawing(gdi::Handle dc, int extX, int extY, unsigned foreColour, unsigned backColour,
                                 bool transparent, int barPenWidth) {
    SymbolObjects o;
    if (!transparent) {
        o.backBrush = gdi::CreateSolidBrush(backColour);
        o.backPen = gdi::CreatePen(gdi::PS_INSIDEFRAME, 0, backColour);
        gdi::SelectObject(dc, o.backBrush);
        gdi::SelectObject(dc, o.backPen);
        gdi::Rectangle(dc, 0, 0, extX, extY);
        gdi::SetBkMode(dc, gdi::TRANSPARENT);
        gdi::SetBkColor(dc, backColour);
    } else {
        gdi::SetBkMode(dc, gdi::TRANSPARENT);
    }
    o.barPen = gdi::CreatePen(gdi::PS_INSIDEFRAME, barPenWidth, foreColour);
    o.barBrush = gdi::CreateSolidBrush(foreColour);
    gdi::SelectObject(dc, o.barPen);
    gdi::SelectObject(dc, o.barBrush);
    return o;
}

void releaseBarObjects(gdi::Handle dc, SymbolObjects& o) {
    gdi::SelectObject(dc, gdi::GetStockObject(gdi::BLACK_PEN));
    gdi::SelectObject(dc, gdi::GetStockObject(gdi::BLACK_BRUSH));
    if (o.barPen) gdi::DeleteObject(o.barPen);
    if (o.barBrush) gdi::DeleteObject(o.barBrush);
    o.barPen = o.barBrush = 0;
}

void deleteBackgroundObjects(SymbolObjects& o) {
    if (o.backPen) gdi::DeleteObject(o.backPen);
    if (o.backBrush) gdi::DeleteObject(o.backBrush);
    o.backPen = o.backBrush = 0;
}

gdi::Handle beginSymbolMetafile(const SymbolSettings& s, int extX, int extY, uint32_t background,
                                SymbolObjects& objects) {
    gdi::Handle dc = gdi::CreateMetaFile(nullptr);
    gdi::SetWindowOrgEx(dc, 0, 0);
    gdi::SetWindowExtEx(dc, extX, -extY);
    gdi::TextOut(dc, 0, 0, " ");
    objects = beginSymbolDrawing(dc, extX, -extY, s.foreColour, background, s.transparent,
                                 s.fixDriverIncompatibility ? 200 : 1);
    return dc;
}

void endSymbolDrawing(gdi::Handle dc, SymbolObjects& o) {
    releaseBarObjects(dc, o);
    deleteBackgroundObjects(o);
}

}  // namespace quillet
