#pragma once
// Dark modules of a 2-D symbol as rectangles at exact size, with the bar
// width reduction or gain worked at the module edges.
#include "app/model/module_matrix.h"
#include "app/render/drawing_math.h"

namespace quillet {

// Signed edge adjustment: round(m x p / 100) with p = 5 x step, negative
// for a gain; 0 without a reduction/gain setting.
int moduleAdjustment(double m, int step, bool gain);

// The rectangle of dark module (r, c) whose top-left corner is (x, y), with
// y growing upwards: right = round(x + m), bottom = round(y - m) from the
// unrounded module size m, then the adjustment a. A reduction (a > 0) pulls
// an edge in where it meets light: the right edge moves left when the right
// neighbour is light or the lower neighbour is dark, the left edge moves
// left when the module to the left and the one below that are dark (so a
// row of dark modules stays joined), and the bottom edge moves up when the
// lower neighbour is light. A gain (a < 0) pushes the right and bottom
// edges of every dark module out by |a|.
Rect moduleRect(const ModuleMatrix& g, int r, int c, int x, int y, double m, int a);

}  // namespace quillet
