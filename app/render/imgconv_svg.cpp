// SVG through cairo's SVG surface: the root's width and height are the
// picture's physical size in millimetres over a view box in hundredths of a
// millimetre (cairo keeps coordinates to 1/256 of a unit), the text is drawn as the outlines
// of its font's glyphs, and the filled shapes (bars and modules, one path a
// colour run) are marked to be rendered with crisp edges, so a viewer at
// screen resolution neither smooths nor parts abutting modules.
#include <cairo-svg.h>

#include <cstdio>
#include <string_view>

#include "app/render/imgconv_file.h"
#include "app/render/imgconv_image.h"
#include "app/render/imgconv_vector.h"

namespace quillet::imgconv {

namespace {

// cairo writes every filled path in the drawing (the glyph outlines in the
// definitions before it are written differently) with this opening.
constexpr std::string_view kFillOpening = "<path style=\" stroke:none;fill-rule:";
constexpr std::string_view kCrispFillOpening = "<path shape-rendering=\"crispEdges\" style=\" stroke:none;fill-rule:";

// The root's width and height in millimetres, the view box staying in the
// surface's units.
std::string withSizeInMm(const std::string& svg, double widthMm, double heightMm) {
    const size_t root = svg.find("<svg ");
    const size_t rootEnd = svg.find('>', root);
    if (root == std::string::npos || rootEnd == std::string::npos) return svg;
    std::string out = svg;
    auto set = [&](const std::string& name, double mm) {
        const size_t at = out.find(" " + name + "=\"", root);
        if (at == std::string::npos || at > rootEnd) return;
        const size_t value = at + name.size() + 3;
        const size_t close = out.find('"', value);
        char text[40];
        std::snprintf(text, sizeof text, "%.6gmm", mm);
        out.replace(value, close - value, text);
    };
    set("width", widthMm);
    set("height", heightMm);
    return out;
}

// cairo numbers its surfaces across the process, so the drawing's group id
// would differ from one save to the next; the same symbol gives the same file.
std::string withFirstSurfaceId(const std::string& svg) {
    constexpr std::string_view kId = "<g id=\"surface";
    const size_t at = svg.find(kId);
    if (at == std::string::npos) return svg;
    const size_t digits = at + kId.size();
    const size_t close = svg.find('"', digits);
    if (close == std::string::npos) return svg;
    std::string out = svg;
    out.replace(digits, close - digits, "1");
    return out;
}

std::string withCrispFills(const std::string& svg) {
    std::string out;
    out.reserve(svg.size() + svg.size() / 8);
    const size_t defsEnd = svg.find("</defs>");
    size_t from = 0;
    for (size_t at = svg.find(kFillOpening, defsEnd == std::string::npos ? 0 : defsEnd); at != std::string::npos;
         at = svg.find(kFillOpening, from)) {
        out.append(svg, from, at - from);
        out += kCrispFillOpening;
        from = at + kFillOpening.size();
    }
    out.append(svg, from, std::string::npos);
    return out;
}

}  // namespace

bool writeSvg(int fd, const std::vector<uint8_t>& placeable) {
    std::string svg;
    double w = 0, h = 0;
    const bool drawn = drawVectorPicture(placeable, 2540.0, [&](double width, double height) {
        w = width;
        h = height;
        cairo_surface_t* surface = cairo_svg_surface_create_for_stream(appendToString, &svg, width, height);
        cairo_svg_surface_restrict_to_version(surface, CAIRO_SVG_VERSION_1_1);
        cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_USER);
        return surface;
    });
    if (!drawn) return false;
    const std::string crisp = withCrispFills(withFirstSurfaceId(withSizeInMm(svg, w / 100, h / 100)));
    return platform::writeAll(fd, crisp.data(), crisp.size());
}

}  // namespace quillet::imgconv
