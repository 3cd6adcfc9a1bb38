// Encapsulated PostScript through cairo's PostScript surface: the metafile
// drawn as vectors at its physical size (1 point = 1/72 inch).
#include <cairo-ps.h>
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <sstream>

#include "app/render/imgconv_file.h"
#include "app/render/imgconv_image.h"
#include "platform/gdi.h"
#include "platform/placeable.h"
#include "platform/renderer.h"

namespace quillet::imgconv {

namespace {

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// cairo bounds an EPS by the ink it drew; the picture's box is its whole
// extent (a transparent background leaves margins without ink).
std::string withPageBox(const std::string& ps, double w, double h) {
    std::istringstream in(ps);
    std::string out, line;
    bool first = true, header = true;
    char box[160];
    while (std::getline(in, line)) {
        if (header && (line.rfind("%%BoundingBox:", 0) == 0 || line.rfind("%%HiResBoundingBox:", 0) == 0)) continue;
        if (line.rfind("%%EndComments", 0) == 0) header = false;
        out += line;
        out += '\n';
        if (first) {
            std::snprintf(box, sizeof box, "%%%%BoundingBox: 0 0 %d %d\n%%%%HiResBoundingBox: 0 0 %.6f %.6f\n",
                          int(std::ceil(w)), int(std::ceil(h)), w, h);
            out += box;
            first = false;
        }
    }
    return out;
}

}  // namespace

bool writeEps(int fd, const std::vector<uint8_t>& placeable) {
    auto extent = platform::pictureExtent(placeable);
    if (!extent || extent->width < 1 || extent->height < 1 || extent->unitsPerInch < 1) return false;
    const gdi::Handle hmf = gdi::SetMetaFileBits(platform::stripPlaceableHeader(placeable));
    if (!hmf) return false;
    const double upi = extent->unitsPerInch;
    const double w = extent->width * 72.0 / upi, h = extent->height * 72.0 / upi;
    std::string ps;
    cairo_surface_t* surface = cairo_ps_surface_create_for_stream(appendBytes, &ps, w, h);
    cairo_ps_surface_set_eps(surface, 1);
    cairo_t* cr = cairo_create(surface);
    // One device dot per picture unit keeps every coordinate exact.
    cairo_scale(cr, 72.0 / upi, 72.0 / upi);
    const gdi::Handle dc = gdi::CreateCairoDC(cr, extent->unitsPerInch, extent->unitsPerInch);
    gdi::SetMapMode(dc, gdi::MM_ANISOTROPIC);
    gdi::SetViewportOrgEx(dc, 0, 0);
    gdi::SetViewportExtEx(dc, extent->width, extent->height);
    gdi::SetWindowExtEx(dc, extent->width, extent->height);
    const bool played = gdi::PlayMetaFile(dc, hmf);
    gdi::DeleteDC(dc);
    gdi::DeleteMetaFile(hmf);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const bool ok = played && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!ok) return false;
    const std::string eps = withPageBox(ps, w, h);
    return platform::writeAll(fd, eps.data(), eps.size());
}

}  // namespace quillet::imgconv
