// The library's entry: request validation, symbol building and the four
// ways of delivering the picture.
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "platform/clipboard.h"
#include "platform/gdi.h"
#include "platform/placeable.h"
#include "zorvex32/aztec_picture.h"
#include "zorvex32/aztec_symbol.h"
#include "zorvex32/zorvex32.h"

namespace zorvex {
namespace {

constexpr int kMaxMessage = 3832;
constexpr int kMaxComment = 100;

// Dot snapping: a whole number of device dots per module, at least one.
int snappedModuleSize(int moduleSize, int dpi) {
    float dot = 2540.0f / float(dpi);
    float q = float(moduleSize) / dot;
    if (q < 1.25f) return int(roundEven(dot));
    return int(roundEven(float(roundEven(q)) * dot));
}

// Rounds a device coordinate that may come from any float.
int deviceCoordinate(double v) {
    if (!std::isfinite(v)) return 0;
    if (v > 1e9) v = 1e9;
    if (v < -1e9) v = -1e9;
    return int(roundEven(v));
}

bool readFile(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool writeFile(const std::string& path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(static_cast<const char*>(data), std::streamsize(size));
    return bool(out);
}

int32_t build(AztecRequest& rq, gdi::MetafilePict& pict) {
    int output = rq.OutputMode;
    if (output < 0 || output > 3) output = AZTEC_TO_CLIPBOARD;
    if (output == AZTEC_TO_DC && rq.TargetDC == 0) return AZTEC_BAD_DC;

    if (rq.MessageLength < 1 || rq.MessageLength > kMaxMessage) return AZTEC_BAD_MESSAGE;
    std::string_view message(rq.Message, size_t(rq.MessageLength));
    const int sizeSpec = normaliseSizeSpec(rq.SizeSpec);
    if (rq.CommentLength < 0 || rq.CommentLength > kMaxComment) return AZTEC_BAD_COMMENT;
    if (rq.ModuleSize < 1 || rq.ModuleSize > 432) return AZTEC_BAD_MODULE;
    if (rq.ModuleAdjust < -99 || rq.ModuleAdjust > 99) return AZTEC_BAD_ADJUST;
    int32_t back = rq.BackColor;
    if (rq.ForeColor == 0 && back == 0) back = 0xFFFFFF;
    if (rq.FontSize > 1000 || rq.FontSize < 0) return AZTEC_BAD_FONT_SIZE;

    const int orientation = rq.Orientation & 3;
    const int flags = rq.Flags;
    int moduleSize = rq.ModuleSize;
    if (flags & AZTEC_SNAP_TO_DOTS) {
        if (orientation % 2) rq.DpiX = rq.DpiY;
        if (rq.DpiX < 72) return AZTEC_BAD_RESOLUTION;
        moduleSize = snappedModuleSize(moduleSize, rq.DpiX);
    }

    PictureStyle st;
    st.moduleSize = moduleSize;
    st.moduleAdjust = rq.ModuleAdjust;
    st.comment.assign(rq.Comment, size_t(rq.CommentLength));
    st.commentHeight = rq.CommentLength > 0 ? int(roundEven(35.15 * rq.FontSize)) : 0;

    const int eci = (flags & AZTEC_ECI) ? rq.Reserved1 : -1;
    if (eci > 999999) return AZTEC_BAD_MESSAGE;
    auto symbol = encodeAztec(message, sizeSpec, (flags & AZTEC_MENU_SYMBOL) != 0, eci);
    if (!symbol) return AZTEC_BAD_MESSAGE;

    st.commentBelow = flags & AZTEC_COMMENT_BELOW;
    st.alignment = (flags & AZTEC_COMMENT_RIGHT) ? 2 : (flags & AZTEC_COMMENT_CENTRE) ? 1 : 0;
    st.fontName.assign(rq.FontName, strnlen(rq.FontName, sizeof rq.FontName));
    st.bold = flags & AZTEC_FONT_BOLD;
    st.italic = flags & AZTEC_FONT_ITALIC;
    st.underline = flags & AZTEC_FONT_UNDERLINE;
    st.strikeOut = flags & AZTEC_FONT_STRIKEOUT;
    st.foreColor = gdi::COLORREF(rq.ForeColor) & 0xFFFFFF;
    st.transparent = back == -1;
    st.backColor = gdi::COLORREF(back) & 0xFFFFFF;
    st.textColor = gdi::COLORREF(rq.TextColor) & 0xFFFFFF;
    st.orientation = orientation;

    // A metafile holds 16-bit coordinates; a larger picture cannot be drawn.
    PictureSize size = pictureSize(symbol->matrix.side, st);
    if (!gdi::fitsInt16(size.width) || !gdi::fitsInt16(size.height)) return AZTEC_NO_METAFILE;

    std::string fileName;
    gdi::Handle hdc = 0;
    if (output == AZTEC_TO_FILE) {
        size_t len = strnlen(rq.FileName, sizeof rq.FileName);
        if (len == 0 || len == sizeof rq.FileName) return AZTEC_BAD_FILE;
        fileName.assign(rq.FileName, len);
        if (!writeFile(fileName, "", 0)) return AZTEC_BAD_FILE;
        hdc = gdi::CreateMetaFile(fileName.c_str());
    } else {
        hdc = gdi::CreateMetaFile(nullptr);
    }
    if (!hdc) return AZTEC_NO_METAFILE;

    gdi::MetafilePict drawn = drawAztecPicture(hdc, symbol->matrix, st, size);
    drawn.hMF = gdi::CloseMetaFile(hdc);
    pict = drawn;

    switch (output) {
        case AZTEC_TO_CLIPBOARD: {
            platform::Clipboard& cb = platform::clipboard();
            cb.empty();
            cb.setMetafilePict(pict);
            pict.hMF = 0;
            break;
        }
        case AZTEC_TO_FILE: {
            gdi::DeleteMetaFile(pict.hMF);
            pict.hMF = 0;
            std::string bytes;
            if ((flags & AZTEC_PLACEABLE_FILE) && readFile(fileName, bytes)) {
                std::vector<uint8_t> wmf(bytes.begin(), bytes.end());
                std::vector<uint8_t> placeable =
                    platform::addPlaceableHeader(wmf, int16_t(pict.xExt), int16_t(pict.yExt));
                writeFile(fileName, placeable.data(), placeable.size());
            }
            break;
        }
        case AZTEC_RETURN_HANDLE:
            break;
        case AZTEC_TO_DC: {
            const gdi::Handle dc = rq.TargetDC;
            int saved = gdi::SaveDC(dc);
            gdi::SetMapMode(dc, gdi::MM_ANISOTROPIC);
            int dpiX = gdi::GetDeviceCaps(dc, gdi::LOGPIXELSX);
            int dpiY = gdi::GetDeviceCaps(dc, gdi::LOGPIXELSY);
            if (dpiX == 0 || dpiY == 0) {
                if (saved) gdi::RestoreDC(dc, saved);
                gdi::DeleteMetaFile(pict.hMF);
                pict.hMF = 0;
                return AZTEC_BAD_DC;
            }
            gdi::SetViewportExtEx(dc, deviceCoordinate(pict.xExt * double(dpiX) / 100 / 25.4),
                                  deviceCoordinate(pict.yExt * double(dpiY) / 100 / 25.4));
            gdi::SetViewportOrgEx(dc, deviceCoordinate(double(dpiX) * rq.OriginX),
                                  deviceCoordinate(double(dpiY) * rq.OriginY));
            gdi::PlayMetaFile(dc, pict.hMF);
            if (saved) gdi::RestoreDC(dc, saved);
            gdi::DeleteMetaFile(pict.hMF);
            pict.hMF = 0;
            break;
        }
    }
    return AZTEC_OK;
}

}  // namespace
}  // namespace zorvex

extern "C" int32_t ZORVEXEC(AztecRequest* request, gdi::MetafilePict* picture) {
    if (!request || !picture) return AZTEC_BAD_MESSAGE;
    return zorvex::build(*request, *picture);
}

extern "C" int32_t LIBMAIN(void*, uint32_t, void*) { return 1; }
