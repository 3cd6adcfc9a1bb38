#include "app/render/matrix_modules.h"

namespace quillet {

int moduleAdjustment(double m, int step, bool gain) {
    if (step == 0) return 0;
    const int p = 5 * step * (gain ? -1 : 1);
    return roundEven(m * p / 100.0);
}

Rect moduleRect(const ModuleMatrix& g, int r, int c, int x, int y, double m, int a) {
    Rect rect{x, y, roundEven(x + m), roundEven(y - m)};
    if (a > 0) {
        const bool rightLight = !g.at(r, c + 1);
        const bool belowDark = g.at(r + 1, c);
        if (rightLight || belowDark) rect.right -= a;
        if (c > 1 && g.at(r, c - 1) && g.at(r + 1, c - 1)) rect.left -= a;
        if (!belowDark) rect.bottom += a;
    } else if (a < 0) {
        rect.right -= a;
        rect.bottom += a;
    }
    return rect;
}

}  // namespace quillet
