#include "app/model/number_format.h"

#include <cmath>
#include <cstdio>

namespace quillet {

std::string formatNumber(double value, std::string_view pattern) {
    if (!std::isfinite(value)) return {};
    int minInt = 0, minDec = 0, maxDec = 0;
    bool decimals = false;
    for (char c : pattern) {
        if (c == '.') decimals = true;
        else if (!decimals && c == '0') ++minInt;
        else if (decimals && (c == '0' || c == '#')) {
            ++maxDec;
            if (c == '0') minDec = maxDec;
        }
    }
    const double scale = std::pow(10.0, maxDec);
    double rounded = std::round(std::fabs(value) * scale) / scale;
    char buf[400];
    if (rounded >= 1e300) return {};
    std::snprintf(buf, sizeof buf, "%.*f", maxDec, rounded);
    std::string text = buf;
    // Drop optional decimals, then the point itself when nothing follows.
    if (maxDec > 0) {
        size_t point = text.find('.');
        size_t keep = point + 1 + size_t(minDec);
        while (text.size() > keep && text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    // Integer digits: a lone leading "0" is shown only when the pattern asks.
    size_t intLen = text.find('.');
    if (intLen == std::string::npos) intLen = text.size();
    if (intLen == 1 && text[0] == '0' && minInt == 0) text.erase(0, 1);
    while (int(intLen) < minInt) {
        text.insert(0, 1, '0');
        ++intLen;
    }
    const bool zero = rounded == 0.0;
    if (value < 0 && !zero) text.insert(0, 1, '-');
    return text;
}

}  // namespace quillet
