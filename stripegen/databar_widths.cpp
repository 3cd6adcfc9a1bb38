#include "stripegen/databar_widths.h"

namespace stripegen {

int64_t combinations(int n, int r) {
    if (r < 0 || n < 0 || r > n) return 0;
    if (r > n - r) r = n - r;
    int64_t c = 1;
    for (int i = 1; i <= r; ++i) c = c * (n - r + i) / i;
    return c;
}

// The rank walks the widths from the first element: for each candidate
// width of the current element it subtracts the number of completions of
// the remaining elements. The completion count follows the DataBar
// standard's own arithmetic (sets without a narrow element removed while
// none has been placed, sets with one over-wide element removed), so that
// every reader's inverse computation finds the same value.
void characterWidths(int value, int modules, int elements, int maxWidth, bool noNarrow, int* widths) {
    int64_t val = value;
    int n = modules;
    bool narrowSeen = false;
    int bar = 0;
    for (; bar < elements - 1; ++bar) {
        int remaining = elements - bar - 1;  // elements after this one
        int width = 1;
        int64_t sub = 0;
        for (;; ++width) {
            // Keep at least one module for every later element.
            if (n - width < remaining) {
                width = n - remaining;
                if (width < 1) width = 1;
                sub = 0;
                break;
            }
            sub = combinations(n - width - 1, remaining - 1);
            bool narrowSoFar = narrowSeen || width == 1;
            if (!noNarrow && !narrowSoFar && n - width - remaining >= remaining)
                sub -= combinations(n - width - remaining - 1, remaining - 1);  // rest all wider than 1
            if (remaining > 1) {
                int64_t less = 0;
                for (int widest = n - width - (remaining - 1); widest > maxWidth; --widest)
                    less += combinations(n - width - widest - 1, remaining - 2);
                sub -= less * remaining;
            } else if (n - width > maxWidth) {
                --sub;
            }
            val -= sub;
            if (val < 0) break;
        }
        val += sub;
        if (val < 0) val = 0;
        if (width == 1) narrowSeen = true;
        n -= width;
        widths[bar] = width;
    }
    widths[bar] = n;
}

}  // namespace stripegen
