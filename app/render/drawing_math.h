#pragma once
// Integer geometry in drawing units: rounding to nearest with ties to even,
// and the orientation mapping every builder shares.
#include <cmath>
#include <string>

namespace quillet {

inline int roundEven(double v) { return int(std::nearbyint(v)); }

struct Rect {
    int left, top, right, bottom;
};

// Places a point of the horizontal layout for the orientation: vertical 90
// degrees (x, y) -> (T + y, -x); vertical 270 degrees (x, y) -> (-y, x - W).
struct OrientationMap {
    int orientation = 0;  // 0, 1 = 90 degrees, 2 = 270 degrees
    int W = 0;            // symbol width
    int T = 0;            // total height
    void point(int& x, int& y) const {
        int nx = x, ny = y;
        if (orientation == 1) { nx = T + y; ny = -x; }
        else if (orientation == 2) { nx = -y; ny = x - W; }
        x = nx;
        y = ny;
    }
    Rect rect(Rect r) const {
        point(r.left, r.top);
        point(r.right, r.bottom);
        return r;
    }
};

// "#0.00" with two decimals (the total-width and bar-to-bar displays).
std::string formatLength(int units, bool metric);

}  // namespace quillet
