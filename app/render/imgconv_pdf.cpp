// PDF through cairo's PDF surface: one page of the picture's physical size
// in points, the bars as filled paths and the text in its own font, which
// cairo embeds as a subset.
#include <cairo-pdf.h>

#include "app/render/imgconv_file.h"
#include "app/render/imgconv_image.h"
#include "app/render/imgconv_vector.h"

namespace quillet::imgconv {

bool writePdf(int fd, const std::vector<uint8_t>& placeable) {
    std::string pdf;
    const bool drawn = drawVectorPicture(placeable, 72.0, [&](double width, double height) {
        cairo_surface_t* surface = cairo_pdf_surface_create_for_stream(appendToString, &pdf, width, height);
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "Quillet");
        return surface;
    });
    return drawn && platform::writeAll(fd, pdf.data(), pdf.size());
}

}  // namespace quillet::imgconv
