#pragma once
// The vector formats (EPS, PDF, SVG) share one way of drawing a placeable
// metafile: played through the gdi layer onto a cairo vector surface at the
// picture's physical size, one device dot a picture unit.
#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quillet::imgconv {

// Makes the surface for a page of width x height surface units.
using VectorSurfaceMaker = std::function<cairo_surface_t*(double width, double height)>;

// Plays the picture onto the surface make returns, surfaceUnitsPerInch
// being its user units in an inch (72 for points, 2540 for hundredths of a millimetre),
// and finishes it. False for a malformed picture or a failed surface.
bool drawVectorPicture(const std::vector<uint8_t>& placeable, double surfaceUnitsPerInch,
                       const VectorSurfaceMaker& make);

// A cairo write function appending to the std::string given as closure.
cairo_status_t appendToString(void* closure, const unsigned char* data, unsigned int length);

}  // namespace quillet::imgconv
