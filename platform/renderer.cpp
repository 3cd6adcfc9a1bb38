// The cairo side of the gdi layer: coordinate mapping, rectangles with
// pens and brushes, lines and text.
#include "platform/renderer.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <mutex>

#include "platform/codepage.h"
#include "platform/gdi_internal.h"
#include "platform/wmf_format.h"
#include "platform/wmf_reader.h"

namespace gdi::detail {
namespace {

constexpr double kPi = 3.14159265358979323846;

// One axis of the logical-to-device mapping, kept as a ratio of integers
// so that a point lands exactly where the ratio puts it (a half is a true
// half, and rounds to even).
struct Axis {
    int64_t num = 1, den = 1;  // device units per logical unit = num / den
    int64_t windowOrg = 0, viewportOrg = 0;

    double map(int v) const {
        if (den == 0) return double(viewportOrg);
        return double(viewportOrg) + double((int64_t(v) - windowOrg) * num) / double(den);
    }
    double scale() const { return den == 0 ? 0.0 : double(num) / double(den); }
};

struct Mapping {
    Axis x, y;
};

Mapping mapping(const CairoDC& dc) {
    const DcState& s = dc.state;
    Mapping m;
    auto metric = [&](int64_t unitsPerInch) {
        m.x.num = dc.dpiX;
        m.x.den = unitsPerInch;
        m.y.num = -int64_t(dc.dpiY);  // y grows upward
        m.y.den = unitsPerInch;
    };
    switch (s.mapMode) {
        case MM_ISOTROPIC:
        case MM_ANISOTROPIC:
            m.x.num = s.viewportExt.cx;
            m.x.den = s.windowExt.cx;
            m.y.num = s.viewportExt.cy;
            m.y.den = s.windowExt.cy;
            break;
        case MM_LOMETRIC: metric(254); break;
        case MM_HIMETRIC: metric(2540); break;
        case MM_LOENGLISH: metric(100); break;
        case MM_HIENGLISH: metric(1000); break;
        case MM_TWIPS: metric(1440); break;
        default: break;  // MM_TEXT: one unit a dot
    }
    m.x.windowOrg = s.windowOrg.x;
    m.x.viewportOrg = s.viewportOrg.x;
    m.y.windowOrg = s.windowOrg.y;
    m.y.viewportOrg = s.viewportOrg.y;
    return m;
}

void setColor(cairo_t* cr, COLORREF c) {
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

void fillBox(cairo_t* cr, double x0, double y0, double x1, double y1) {
    if (x1 <= x0 || y1 <= y0) return;
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    cairo_fill(cr);
}

// Bars are a few pixels wide: rows are filled inline, four pixels a store,
// where a call to memcpy or a plain loop would cost more than the pixels.
void fillRow(uint32_t* p, size_t n, uint32_t v) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i four = _mm_set1_epi32(int(v));
    for (; i + 4 <= n; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), four);
#endif
    for (; i < n; ++i) p[i] = v;
}

// A solid fill of device pixels [x0, x1) x [y0, y1) written straight into
// the DC's own pixels, as cairo fills it without antialiasing: cairo's own
// path costs far more per bar than the rows themselves. False when the DC
// has no pixels of its own; the caller then fills through cairo.
bool fillPixels(CairoDC& dc, double x0, double y0, double x1, double y1, COLORREF c) {
    if (!dc.pixels) return false;
    const auto clampTo = [](double v, int limit) { return int(std::clamp(v, 0.0, double(limit))); };
    const int l = clampTo(x0, dc.width), r = clampTo(x1, dc.width);
    const int t = clampTo(y0, dc.height), b = clampTo(y1, dc.height);
    if (l >= r || t >= b) return true;
    // Opaque: premultiplied ARGB is the colour itself.
    const uint32_t v = 0xFF000000u | uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
    if (dc.blankWhite && v == 0xFFFFFFFFu) return true;
    // On a blank image the fills wait (see flushPixels); otherwise each
    // is written at once.
    if (dc.blankWhite || !dc.pendingPixels.empty()) {
        dc.blankWhite = false;
        dc.pendingPixels.push_back({l, t, r, b, v});
        return true;
    }
    cairo_surface_t* target = cairo_get_target(dc.cr);
    cairo_surface_flush(target);
    for (int y = t; y < b; ++y) fillRow(dc.pixels + size_t(y) * size_t(dc.width) + l, size_t(r - l), v);
    cairo_surface_mark_dirty_rectangle(target, l, t, r - l, b - t);
    return true;
}

// Writes the fills held back from a blank image. Between consecutive fill
// edges every row is covered by the same fills, in the same order, over
// the same white: the first row is filled and the others are copies of it.
// A label's bars are one such band of a few hundred rows, written row
// after row instead of bar after bar.
void flushPixels(CairoDC& dc) {
    if (dc.pendingPixels.empty()) return;
    cairo_surface_t* target = cairo_get_target(dc.cr);
    cairo_surface_flush(target);
    std::vector<int> edges;
    edges.reserve(2 * dc.pendingPixels.size());
    int left = dc.width, right = 0;
    for (const CairoDC::PixelFill& f : dc.pendingPixels) {
        edges.push_back(f.t);
        edges.push_back(f.b);
        left = std::min(left, f.l);
        right = std::max(right, f.r);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    const size_t w = size_t(dc.width);
    for (size_t k = 0; k + 1 < edges.size(); ++k) {
        const int top = edges[k], bottom = edges[k + 1];
        uint32_t* first = dc.pixels + size_t(top) * w;
        bool covered = false;
        for (const CairoDC::PixelFill& f : dc.pendingPixels) {
            if (f.t > top || top >= f.b) continue;
            fillRow(first + f.l, size_t(f.r - f.l), f.v);
            covered = true;
        }
        if (!covered) continue;
        for (int y = top + 1; y < bottom; ++y)
            std::memcpy(dc.pixels + size_t(y) * w + left, first + left, size_t(right - left) * sizeof *first);
    }
    cairo_surface_mark_dirty_rectangle(target, left, edges.front(), right - left, edges.back() - edges.front());
    dc.pendingPixels.clear();
}

void fillBox(CairoDC& dc, double x0, double y0, double x1, double y1, COLORREF c) {
    if (x1 <= x0 || y1 <= y0 || fillPixels(dc, x0, y0, x1, y1, c)) return;
    setColor(dc.cr, c);
    fillBox(dc.cr, x0, y0, x1, y1);
}

// Pen width in dots: 0 is the thinnest line, one dot.
int penDots(const LogPen& pen, const Mapping& m) {
    if (pen.width <= 0) return 1;
    return std::max(1, int(std::nearbyint(std::fabs(pen.width * m.x.scale()))));
}

// The FreeType face's average character width (OS/2 table) as a fraction
// of the em, for fonts asked for with a width.
double averageWidthPerEm(cairo_scaled_font_t* sf) {
    double avg = 0;
    if (cairo_scaled_font_get_type(sf) == CAIRO_FONT_TYPE_FT) {
        if (FT_Face face = cairo_ft_scaled_font_lock_face(sf)) {
            auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
            if (os2 && face->units_per_EM) avg = double(os2->xAvgCharWidth) / face->units_per_EM;
            cairo_ft_scaled_font_unlock_face(sf);
        }
    }
    return avg > 0 ? avg : 0.5;
}

#if defined(__SANITIZE_ADDRESS__)
#define QUILLET_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLET_LEAK_CHECKED 1
#endif
#endif

// Cairo and fontconfig keep font caches for the life of the process. Under
// the leak checker they are released at exit so that real leaks stand out;
// a normal build leaves them to the operating system.
// Glyphs beyond cairo's fixed-point range (about 65,000 device pixels) make
// it lose scaled fonts; no label text comes near, so such text is not drawn.
constexpr double kLargestGlyph = 32768.0;

void releaseFontCachesAtExit() {
#ifdef QUILLET_LEAK_CHECKED
    static std::once_flag once;
    std::call_once(once, [] {
        std::atexit([] {
            cairo_debug_reset_static_data();
            FcFini();
        });
    });
#endif
}

// A rectangle a joining DC may hold back: a fill without an outline, or
// with a one-dot outline of its own colour, which stays inside the fill.
bool joinable(const CairoDC& dc, const Mapping& m) {
    const DcState& s = dc.state;
    if (!dc.joinFills || s.brush.style == BS_NULL) return false;
    return s.pen.style == PS_NULL || (s.pen.color == s.brush.color && penDots(s.pen, m) == 1);
}

}  // namespace

void cairoFlushFills(CairoDC& dc) {
    flushPixels(dc);
    if (dc.pendingFills.empty()) return;
    cairo_t* cr = dc.cr;
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_new_path(cr);
    setColor(cr, dc.pendingColor);
    for (const CairoDC::Box& b : dc.pendingFills) cairo_rectangle(cr, b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0);
    cairo_fill(cr);
    cairo_restore(cr);
    dc.pendingFills.clear();
}

void cairoRectangle(CairoDC& dc, int left, int top, int right, int bottom) {
    const DcState& s = dc.state;
    Mapping m = mapping(dc);
    double x0 = std::nearbyint(m.x.map(left)), x1 = std::nearbyint(m.x.map(right));
    double y0 = std::nearbyint(m.y.map(top)), y1 = std::nearbyint(m.y.map(bottom));
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    if (joinable(dc, m)) {
        if (!dc.pendingFills.empty() && dc.pendingColor != s.brush.color) cairoFlushFills(dc);
        dc.pendingColor = s.brush.color;
        if (x1 > x0 && y1 > y0) dc.pendingFills.push_back({x0, y0, x1, y1});
        return;
    }
    cairo_t* cr = dc.cr;
    // Fills of the DC's own pixels join those held back and leave cairo's
    // state alone; only cairo's own drawing needs them written first.
    if (!dc.pixels) {
        cairoFlushFills(dc);
        cairo_save(cr);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        cairo_new_path(cr);
    }
    const bool filled = s.brush.style != BS_NULL;
    if (s.pen.style == PS_NULL) {
        if (filled) fillBox(dc, x0, y0, x1, y1, s.brush.color);
    } else {
        int w = penDots(s.pen, m);
        // An inside-frame outline stays within the rectangle; any other
        // is centred on its edges.
        double ox0 = x0, oy0 = y0, ox1 = x1, oy1 = y1;
        if (s.pen.style != PS_INSIDEFRAME) {
            ox0 -= w / 2;
            oy0 -= w / 2;
            ox1 += w - 1 - w / 2;
            oy1 += w - 1 - w / 2;
        }
        const COLORREF c = s.pen.color;
        if (filled && dc.pixels && c == s.brush.color) {
            // A bar outlined in its own colour: the fill and the outline
            // together are the outline's outer box, one fill of the pixels
            // instead of five (cairo's paths stay as drawn, for the vector
            // files they make).
            fillBox(dc, ox0, oy0, ox1, oy1, c);
        } else {
            if (filled) fillBox(dc, x0, y0, x1, y1, s.brush.color);
            if (2 * w >= ox1 - ox0 || 2 * w >= oy1 - oy0) {
                fillBox(dc, ox0, oy0, ox1, oy1, c);
            } else {
                fillBox(dc, ox0, oy0, ox1, oy0 + w, c);
                fillBox(dc, ox0, oy1 - w, ox1, oy1, c);
                fillBox(dc, ox0, oy0 + w, ox0 + w, oy1 - w, c);
                fillBox(dc, ox1 - w, oy0 + w, ox1, oy1 - w, c);
            }
        }
    }
    if (!dc.pixels) cairo_restore(cr);
}

void cairoLineTo(CairoDC& dc, int x, int y) {
    const DcState& s = dc.state;
    if (s.pen.style == PS_NULL) return;
    cairoFlushFills(dc);
    dc.blankWhite = false;
    Mapping m = mapping(dc);
    cairo_t* cr = dc.cr;
    cairo_save(cr);
    cairo_new_path(cr);
    setColor(cr, s.pen.color);
    cairo_set_line_width(cr, penDots(s.pen, m));
    cairo_move_to(cr, m.x.map(s.current.x), m.y.map(s.current.y));
    cairo_line_to(cr, m.x.map(x), m.y.map(y));
    cairo_stroke(cr);
    cairo_restore(cr);
}

void cairoTextOut(CairoDC& dc, int x, int y, const std::string& ansiBytes) {
    if (ansiBytes.empty()) return;
    cairoFlushFills(dc);
    const DcState& s = dc.state;
    const LogFont& f = s.font;
    Mapping m = mapping(dc);
    std::string text = f.charSet == OEM_CHARSET ? platform::oemToUtf8(ansiBytes) : platform::ansiToUtf8(ansiBytes);
    // Cairo stops at a NUL; draw what precedes it.
    text = text.substr(0, text.find('\0'));

    double height = std::fabs(f.height * m.y.scale());
    if (f.height == 0) height = (dc.dpiY > 0 ? dc.dpiY : 96) * 12.0 / 72.0;
    if (height < 0.5 || !(height <= kLargestGlyph)) return;
    std::string face(f.faceName, strnlen(f.faceName, sizeof f.faceName));
    if (face.empty()) face = "sans-serif";

    releaseFontCachesAtExit();
    cairo_t* cr = dc.cr;
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_select_font_face(cr, face.c_str(), f.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           f.weight >= 600 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    // A positive height is the cell (ascent + descent), a negative one the em.
    double em = height;
    cairo_set_font_size(cr, em);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    if (f.height > 0 && fe.ascent + fe.descent > 0) em = height * height / (fe.ascent + fe.descent);
    double stretch = 1.0;
    if (f.width != 0) {
        cairo_set_font_size(cr, em);
        double natural = averageWidthPerEm(cairo_get_scaled_font(cr)) * em;
        stretch = std::fabs(f.width * m.x.scale()) / natural;
    }
    if (!(em <= kLargestGlyph && em * stretch <= kLargestGlyph)) {
        cairo_restore(cr);
        return;
    }
    cairo_matrix_t fm;
    cairo_matrix_init_scale(&fm, em * stretch, em);
    cairo_set_font_matrix(cr, &fm);
    cairo_font_extents(cr, &fe);
    cairo_text_extents_t te;
    cairo_text_extents(cr, text.c_str(), &te);
    // Text without ink (the space a symbol's picture starts with, behind
    // which a fresh DC paints a white box) leaves white pixels white.
    const bool box = s.bkMode == OPAQUE && (s.bkColor & 0xFFFFFF) != 0xFFFFFF;
    if (box || f.underline || f.strikeOut || te.width > 0 || te.height > 0) dc.blankWhite = false;

    cairo_translate(cr, m.x.map(x), m.y.map(y));
    // Escapement turns counter-clockwise in the page's own axes: with the
    // y axis pointing up (negative window extent) that is clockwise on the
    // device. This keeps rotated text upright against the symbol it labels.
    const double turn = f.escapement / 10.0 * kPi / 180.0;
    cairo_rotate(cr, m.y.scale() < 0 ? turn : -turn);
    double dx = 0, dy = 0;
    uint32_t h = s.textAlign & TA_CENTER;
    if (h == TA_CENTER) dx = -te.x_advance / 2;
    else if (h == TA_RIGHT) dx = -te.x_advance;
    uint32_t v = s.textAlign & TA_BASELINE;
    if (v == TA_BASELINE) dy = 0;
    else if (v == TA_BOTTOM) dy = -fe.descent;
    else dy = fe.ascent;
    if (s.bkMode == OPAQUE) {
        setColor(cr, s.bkColor);
        cairo_rectangle(cr, dx, dy - fe.ascent, te.x_advance, fe.ascent + fe.descent);
        cairo_fill(cr);
    }
    setColor(cr, s.textColor);
    cairo_move_to(cr, dx, dy);
    cairo_show_text(cr, text.c_str());
    double thickness = std::max(1.0, em / 14);
    if (f.underline) {
        cairo_rectangle(cr, dx, dy + fe.descent / 3, te.x_advance, thickness);
        cairo_fill(cr);
    }
    if (f.strikeOut) {
        cairo_rectangle(cr, dx, dy - fe.ascent / 3, te.x_advance, thickness);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

int cairoDeviceCaps(const CairoDC& dc, int index) {
    cairo_surface_t* target = cairo_get_target(dc.cr);
    bool image = cairo_surface_get_type(target) == CAIRO_SURFACE_TYPE_IMAGE;
    int w = image ? cairo_image_surface_get_width(target) : 0;
    int h = image ? cairo_image_surface_get_height(target) : 0;
    switch (index) {
        case LOGPIXELSX: return dc.dpiX;
        case LOGPIXELSY: return dc.dpiY;
        case HORZRES: return w;
        case VERTRES: return h;
        case HORZSIZE: return dc.dpiX ? int(std::nearbyint(w * 25.4 / dc.dpiX)) : 0;
        case VERTSIZE: return dc.dpiY ? int(std::nearbyint(h * 25.4 / dc.dpiY)) : 0;
        default: return 0;
    }
}

}  // namespace gdi::detail

namespace platform {

std::vector<uint8_t> RenderedImage::grey() const {
    std::vector<uint8_t> out(argb.size());
    for (size_t i = 0; i < argb.size(); ++i) {
        uint32_t p = argb[i];
        uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        out[i] = uint8_t((r * 299 + g * 587 + b * 114 + 500) / 1000);
    }
    return out;
}

std::optional<PictureExtent> pictureExtent(const std::vector<uint8_t>& bytes) {
    auto mf = wmf::parse(bytes);
    if (!mf) return std::nullopt;
    PictureExtent e;
    if (mf->placeable) {
        e.width = std::abs(mf->placeable->right - mf->placeable->left);
        e.height = std::abs(mf->placeable->bottom - mf->placeable->top);
        e.unitsPerInch = mf->placeable->unitsPerInch;
        return e;
    }
    for (const auto& r : mf->records)
        if (r.function == wmf::META_SETWINDOWEXT) {
            e.width = std::abs(r.s(1));
            e.height = std::abs(r.s(0));
            return e;
        }
    return std::nullopt;
}

std::optional<RenderedImage> renderToImage(const std::vector<uint8_t>& bytes, double dpiX, double dpiY) {
    if (!(dpiX > 0 && dpiY > 0 && dpiX < 1e6 && dpiY < 1e6)) return std::nullopt;
    auto extent = pictureExtent(bytes);
    if (!extent) return std::nullopt;
    double w = std::nearbyint(extent->width * dpiX / extent->unitsPerInch);
    double h = std::nearbyint(extent->height * dpiY / extent->unitsPerInch);
    if (w < 1 || h < 1 || w * h > double(kMaxRenderPixels) || w > 32767 || h > 32767) return std::nullopt;

    auto parsed = wmf::parse(bytes);
    std::vector<uint8_t> plain = bytes;
    if (parsed->placeable) plain.erase(plain.begin(), plain.begin() + wmf::kPlaceableHeaderBytes);
    gdi::Handle hmf = gdi::SetMetaFileBits(plain);
    if (!hmf) return std::nullopt;

    RenderedImage img;
    img.width = int(w);
    img.height = int(h);
    // Drawn straight into the image's own pixels, whose rows are packed as
    // cairo lays out 32-bit pixels. Opaque white is 0xFFFFFFFF in cairo's
    // premultiplied pixels: the image starts white without painting.
    const int stride = img.width * 4;
    if (cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, img.width) != stride) {
        gdi::DeleteMetaFile(hmf);
        return std::nullopt;
    }
    // White is every bit set: one memset beats a fill of 32-bit values.
    img.argb.resize(size_t(img.width) * size_t(img.height));
    std::memset(img.argb.data(), 0xFF, img.argb.size() * sizeof(uint32_t));
    cairo_surface_t* surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(img.argb.data()),
                                                                   CAIRO_FORMAT_ARGB32, img.width, img.height, stride);
    cairo_t* cr = cairo_create(surface);
    gdi::Handle dc = gdi::CreateCairoDC(cr, int(std::nearbyint(dpiX)), int(std::nearbyint(dpiY)));
    gdi::detail::allowDirectPixels(dc, img.argb.data(), img.width, img.height, true);
    gdi::SetMapMode(dc, gdi::MM_ANISOTROPIC);
    gdi::SetViewportOrgEx(dc, 0, 0);
    gdi::SetViewportExtEx(dc, img.width, img.height);
    // The picture's own window records override this; it covers files
    // that leave the window to their player.
    if (const auto& p = parsed->placeable) {
        gdi::SetWindowOrgEx(dc, p->left, p->top);
        gdi::SetWindowExtEx(dc, p->right - p->left, p->bottom - p->top);
    } else {
        gdi::SetWindowExtEx(dc, extent->width, extent->height);
    }
    gdi::PlayMetaFile(dc, hmf);
    gdi::DeleteDC(dc);
    gdi::DeleteMetaFile(hmf);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    return img;
}

}  // namespace platform
