#pragma once
// Test helpers for the linear encoders: run one encode, and rasterise a bar
// pattern for the independent reader at 13 pixels a module, so that the
// 1/13-module letters come out exact.
#include <string>

#include "app/encode/linear_job.h"
#include "app/encode/pattern_tables.h"
#include "app/model/settings.h"
#include "tests/support/zxing_decode.h"

namespace quillet::test {

struct EncodeResult {
    int error = 0;
    bool secondBeep = false;
    std::string pattern, text, supplement, checkText;
};

inline EncodeResult encodeWith(const SymbolSettings& s, const std::string& message) {
    PatternTables t;
    buildPatternTables(t, s.symbology);
    LinearJob job{t, s, message, s.supplement, {}, {}, 0, false, {}};
    encodeLinearJob(job);
    return {job.error, job.secondBeep, job.pattern, job.message, job.supplement, job.checkText};
}

inline SymbolSettings settingsFor(int symbology, const std::string& supplement = "") {
    SymbolSettings s;
    s.symbology = symbology;
    s.supplement = supplement;
    return s;
}

// Width of one pattern character in 1/13 modules (wide elements at the
// given ratio), and whether it is a bar; 0 for characters that draw nothing.
inline int thirteenths(char c, double ratio, bool* bar) {
    static const std::string bars = "3567CDEF4", spaces = "189AGHIJB2";
    static const int barW[] = {13, 26, 39, 52, 12, 25, 27, 40, 0};
    static const int spaceW[] = {13, 26, 39, 52, 12, 25, 27, 40, 117, 0};
    int wide = int(ratio * 13 + 0.5);
    if (auto p = bars.find(c); p != std::string::npos) {
        *bar = true;
        return c == '4' ? wide : barW[p];
    }
    if (auto p = spaces.find(c); p != std::string::npos) {
        *bar = false;
        return c == '2' ? wide : spaceW[p];
    }
    *bar = false;
    return 0;
}

inline int patternThirteenths(const std::string& pattern, double ratio = 2.5) {
    int total = 0;
    bool bar;
    for (char c : pattern) total += thirteenths(c, ratio, &bar);
    return total;
}

inline GreyImage rasterise(const std::string& pattern, double ratio = 2.5, int height = 120, int quietModules = 15) {
    int quiet = quietModules * 13;
    GreyImage img(patternThirteenths(pattern, ratio) + 2 * quiet, height);
    int x = quiet;
    for (char c : pattern) {
        bool bar;
        int w = thirteenths(c, ratio, &bar);
        if (bar) img.fillRect(x, 10, w, height - 20, 0);
        x += w;
    }
    return img;
}

}  // namespace quillet::test
