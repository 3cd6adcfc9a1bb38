// PlayMetaFile: every record becomes the gdi call it was recorded from, so
// a cairo DC draws it and a metafile DC records it again.
#include <algorithm>
#include <cstring>

#include "platform/gdi_internal.h"
#include "platform/wmf_format.h"
#include "platform/wmf_reader.h"

namespace gdi {

using namespace detail;

namespace {

Handle createFromRecord(const wmf::Record& r) {
    switch (r.function) {
        case wmf::META_CREATEPENINDIRECT: {
            int style = r.params[0] & 0x0F;
            if (style > PS_INSIDEFRAME) style = PS_SOLID;
            return CreatePen(style, r.s(1), r.u32(3));
        }
        case wmf::META_CREATEBRUSHINDIRECT:
            return CreateBrushIndirect({r.params[0], r.u32(1), r.s(3)});
        case wmf::META_CREATEFONTINDIRECT: {
            LogFont f;
            f.height = r.s(0);
            f.width = r.s(1);
            f.escapement = r.s(2);
            f.orientation = r.s(3);
            f.weight = r.s(4);
            f.italic = uint8_t(r.params[5]);
            f.underline = uint8_t(r.params[5] >> 8);
            f.strikeOut = uint8_t(r.params[6]);
            f.charSet = uint8_t(r.params[6] >> 8);
            f.outPrecision = uint8_t(r.params[7]);
            f.clipPrecision = uint8_t(r.params[7] >> 8);
            f.quality = uint8_t(r.params[8]);
            f.pitchAndFamily = uint8_t(r.params[8] >> 8);
            for (size_t i = 0; i + 1 < sizeof f.faceName && 9 + i / 2 < r.params.size(); ++i)
                f.faceName[i] = char(i % 2 ? r.params[9 + i / 2] >> 8 : r.params[9 + i / 2] & 0xFF);
            return CreateFontIndirect(f);
        }
        default:
            return 0;
    }
}

std::string extTextOutString(const wmf::Record& r) {
    size_t count = size_t(r.s(2));
    size_t first = 4 + (r.params[3] & 0x0006 ? 4 : 0);
    std::string s(count, '\0');
    for (size_t i = 0; i < count; ++i) {
        uint16_t w = r.params[first + i / 2];
        s[i] = char(i % 2 ? w >> 8 : w & 0xFF);
    }
    return s;
}

}  // namespace

bool PlayMetaFile(Handle hdc, Handle hmf) {
    std::lock_guard lock(tableLock());
    ObjectKind dcKind = objectKind(hdc);
    if (dcKind != ObjectKind::MetafileDC && dcKind != ObjectKind::CairoDC) return false;
    std::vector<uint8_t> bytes = GetMetaFileBits(hmf);
    auto mf = wmf::parse(bytes);
    if (!mf) return false;

    const bool cairo = dcKind == ObjectKind::CairoDC;
    int outerLevel = cairo ? SaveDC(hdc) : 0;
    int ownSaves = 0;  // the metafile may not restore beyond its own saves
    std::vector<Handle> slots(mf->objects, 0);
    for (const wmf::Record& r : mf->records) {
        switch (r.function) {
            case wmf::META_CREATEPENINDIRECT:
            case wmf::META_CREATEBRUSHINDIRECT:
            case wmf::META_CREATEFONTINDIRECT: {
                Handle h = createFromRecord(r);
                auto free = std::find(slots.begin(), slots.end(), 0);
                if (free == slots.end()) DeleteObject(h);  // the table is full: the object is lost
                else *free = h;
                break;
            }
            case wmf::META_SELECTOBJECT:
                if (slots[r.params[0]]) SelectObject(hdc, slots[r.params[0]]);
                break;
            case wmf::META_DELETEOBJECT:
                if (slots[r.params[0]]) DeleteObject(slots[r.params[0]]);
                slots[r.params[0]] = 0;
                break;
            case wmf::META_SETWINDOWORG: SetWindowOrgEx(hdc, r.s(1), r.s(0)); break;
            case wmf::META_SETWINDOWEXT: SetWindowExtEx(hdc, r.s(1), r.s(0)); break;
            case wmf::META_SETVIEWPORTORG: SetViewportOrgEx(hdc, r.s(1), r.s(0)); break;
            case wmf::META_SETVIEWPORTEXT: SetViewportExtEx(hdc, r.s(1), r.s(0)); break;
            case wmf::META_SETMAPMODE: SetMapMode(hdc, r.s(0)); break;
            case wmf::META_SETBKMODE: SetBkMode(hdc, r.s(0)); break;
            case wmf::META_SETBKCOLOR: SetBkColor(hdc, r.u32(0)); break;
            case wmf::META_SETTEXTCOLOR: SetTextColor(hdc, r.u32(0)); break;
            case wmf::META_SETTEXTALIGN: SetTextAlign(hdc, r.params[0]); break;
            case wmf::META_SAVEDC:
                if (SaveDC(hdc)) ++ownSaves;
                break;
            case wmf::META_RESTOREDC: {
                int level = r.s(0);
                if (level < 0 && -level <= ownSaves && RestoreDC(hdc, level)) ownSaves += level;
                break;
            }
            case wmf::META_RECTANGLE: Rectangle(hdc, r.s(3), r.s(2), r.s(1), r.s(0)); break;
            case wmf::META_MOVETO: MoveToEx(hdc, r.s(1), r.s(0)); break;
            case wmf::META_LINETO: LineTo(hdc, r.s(1), r.s(0)); break;
            case wmf::META_TEXTOUT: {
                std::string text = *wmf::textOutString(r);
                size_t at = 1 + (text.size() + 1) / 2;
                TextOut(hdc, r.s(at + 1), r.s(at), text);
                break;
            }
            case wmf::META_EXTTEXTOUT: TextOut(hdc, r.s(1), r.s(0), extTextOutString(r)); break;
            default: break;  // records this layer never draws
        }
    }
    if (cairo) {
        if (Object* o = find(hdc, ObjectKind::CairoDC)) cairoFlushFills(*o->cdc);
        RestoreDC(hdc, outerLevel);
    }
    for (Handle h : slots)
        if (h) DeleteObject(h);
    return true;
}

}  // namespace gdi
