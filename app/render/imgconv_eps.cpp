// Encapsulated PostScript through cairo's PostScript surface: the metafile
// drawn as vectors at its physical size (1 point = 1/72 inch).
#include <cairo-ps.h>
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <sstream>

#include "app/render/imgconv_file.h"
#include "app/render/imgconv_image.h"
#include "app/render/imgconv_vector.h"

namespace quillet::imgconv {

namespace {

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
    std::string ps;
    double w = 0, h = 0;
    const bool drawn = drawVectorPicture(placeable, 72.0, [&](double width, double height) {
        w = width;
        h = height;
        cairo_surface_t* surface = cairo_ps_surface_create_for_stream(appendToString, &ps, w, h);
        cairo_ps_surface_set_eps(surface, 1);
        return surface;
    });
    if (!drawn) return false;
    const std::string eps = withPageBox(ps, w, h);
    return platform::writeAll(fd, eps.data(), eps.size());
}

}  // namespace quillet::imgconv
