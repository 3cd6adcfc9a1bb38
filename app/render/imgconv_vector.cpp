#include "app/render/imgconv_vector.h"

#include "platform/gdi.h"
#include "platform/placeable.h"
#include "platform/renderer.h"

namespace quillet::imgconv {

cairo_status_t appendToString(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

bool drawVectorPicture(const std::vector<uint8_t>& placeable, double surfaceUnitsPerInch,
                       const VectorSurfaceMaker& make) {
    auto extent = platform::pictureExtent(placeable);
    if (!extent || extent->width < 1 || extent->height < 1 || extent->unitsPerInch < 1) return false;
    const gdi::Handle hmf = gdi::SetMetaFileBits(platform::stripPlaceableHeader(placeable));
    if (!hmf) return false;
    const double scale = surfaceUnitsPerInch / extent->unitsPerInch;
    cairo_surface_t* surface = make(extent->width * scale, extent->height * scale);
    cairo_t* cr = cairo_create(surface);
    // One device dot per picture unit keeps every coordinate exact.
    cairo_scale(cr, scale, scale);
    const gdi::Handle dc = gdi::CreateCairoDC(cr, extent->unitsPerInch, extent->unitsPerInch, true);
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
    return ok;
}

}  // namespace quillet::imgconv
