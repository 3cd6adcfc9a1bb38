#include "stripegen/separators.h"

namespace stripegen {

Modules toModules(const Widths& w, bool darkFirst) {
    Modules m;
    bool dark = darkFirst;
    for (uint8_t width : w) {
        m.insert(m.end(), width, dark);
        dark = !dark;
    }
    return m;
}

Widths toWidths(const Modules& m) {
    Widths w;
    bool colour = false;
    size_t i = 0;
    while (i < m.size()) {
        uint8_t run = 0;
        while (i < m.size() && m[i] == colour && run < 255) {
            ++run;
            ++i;
        }
        if (run > 0 || !w.empty()) w.push_back(run);
        colour = !colour;
    }
    return w;
}

namespace {

void lightEnds(Modules& sep) {
    for (size_t i = 0; i < 4 && i < sep.size(); ++i) {
        sep[i] = false;
        sep[sep.size() - 1 - i] = false;
    }
}

}  // namespace

Widths finderSeparator(const Widths& row, const std::vector<int>& finderStarts, bool darkFirst) {
    Modules m = toModules(row, darkFirst);
    Modules sep(m.size());
    for (size_t i = 0; i < m.size(); ++i) sep[i] = !m[i];
    for (int start : finderStarts)
        for (int i = start; i < start + 15 && i < int(m.size()); ++i)
            if (i > 0 && !m[i] && !m[i - 1]) sep[i] = !sep[i - 1];
    lightEnds(sep);
    return toWidths(sep);
}

Widths stackedMiddleSeparator(const Widths& upper, const Widths& lower) {
    Modules a = toModules(upper), b = toModules(lower, true);
    size_t n = a.size() < b.size() ? a.size() : b.size();
    Modules sep(n);
    for (size_t i = 4; i < n; ++i) {
        if (a[i] == b[i])
            sep[i] = !a[i];
        else
            sep[i] = i > 0 ? !sep[i - 1] : true;
    }
    lightEnds(sep);
    return toWidths(sep);
}

Widths stackedOmniMiddleSeparator() {
    Widths w{5};
    w.insert(w.end(), 41, 1);
    w.push_back(4);
    return w;
}

Widths limitedSeparator(const Widths& pattern46) {
    Modules m = toModules(pattern46);
    Modules sep(m.size());
    for (size_t i = 0; i < m.size(); ++i) sep[i] = !m[i];
    lightEnds(sep);
    return toWidths(sep);
}

}  // namespace stripegen
