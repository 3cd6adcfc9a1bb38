#include "app/render/bar_pattern_file.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "app/model/app_state.h"
#include "app/model/symbology.h"
#include "app/render/build_copy.h"
#include "app/render/drawing_math.h"

namespace quillet {

namespace {

// BPO 4 State bars: every bar (tracker, ascender, descender or full) is
// drawn 50 units wide at a 120-unit pitch. A width list cannot carry the
// heights, so each letter is written as its bar width and consecutive bars
// are separated by their 70-unit gap: bars and spaces keep alternating and
// the widths add up to the drawn symbol.
constexpr int kFourStateBar = 50;
constexpr int kFourStateGap = 70;
bool isFourStateBar(char c) { return c == 'W' || c == 'X' || c == 'Y' || c == 'Z'; }

// Width of one element in drawing units; -1 for characters that are no element.
double elementWidth(char c, int X, float N, float ratio) {
    switch (c) {
        case '1': case '3': return X;
        case '2': case '4': return roundEven(double(N * ratio));
        case '5': case '8': return 2.0 * X;
        case '6': case '9': return 3.0 * X;
        case '7': case 'A': return 4.0 * X;
        case 'B': return 9.0 * X;
        case 'C': case 'G': return X - roundEven(X / 13.0);
        case 'D': case 'H': return roundEven(25.0 * X / 13.0);
        case 'E': case 'I': return roundEven(27.0 * X / 13.0);
        case 'F': case 'J': return roundEven(40.0 * X / 13.0);
        default: return isFourStateBar(c) ? kFourStateBar : -1;
    }
}

// The remembered name of the last bar pattern file saved.
std::string& rememberedName() {
    static std::string name;
    return name;
}

}  // namespace

std::optional<std::vector<int>> barPatternWidths(const std::string& pattern, int X, float N, float ratio,
                                                 int symbology, int unitMode) {
    const std::string written = isUpcEan(symbology) ? pattern : "B" + pattern + "B";
    std::vector<int> widths;
    char previous = 0;
    auto add = [&](double units) {
        const double v = roundEven(unitMode == 1000 ? units / 2.54 : units);
        if (v < -32768 || v > 32767) return false;
        widths.push_back(int(v));
        return true;
    };
    for (char c : written) {
        if (isFourStateBar(c) && isFourStateBar(previous) && !add(kFourStateGap)) return std::nullopt;
        previous = c;
        const double w = elementWidth(c, X, N, ratio);
        if (w < 0) continue;
        if (!add(w)) return std::nullopt;
    }
    return widths;
}

std::string barPatternLine(const std::vector<int>& widths) {
    std::string line;
    auto put = [&](int v) {
        line += v < 0 ? "-" : " ";
        line += std::to_string(std::abs(v));
        line += ' ';
    };
    for (int v : widths) put(v);
    put(0);
    line += "\r\n";
    return line;
}

bool writeBarPatternFile(const AppState& app, const std::string& path) {
    const SymbolSettings& s = app.settings;
    if (app.output.barPattern.empty() || path.empty()) return false;
    auto widths = barPatternWidths(app.output.barPattern, narrowWidthUnits(s.narrowWidth), s.narrowWidth, s.ratio,
                                   s.symbology, s.unitMode);
    if (!widths) return false;
    const std::string line = barPatternLine(*widths);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(line.data(), 1, line.size(), f) == line.size();
    if (std::fclose(f) != 0 || !ok) {
        std::error_code ec;
        std::filesystem::remove(path, ec);
        return false;
    }
    return true;
}

bool dbpSave_Click(AppState& app) {
    if (!app.ui) return false;
    auto chosen = app.ui->fileDialog(true, "Save Bar Pattern As",
                                     "Bar Pattern (*.dbp)|*.dbp|DATA Files (*.dat)|*.dat|PRN Files (*.prn)|*.prn|"
                                     "All Files (*.*)|*.*",
                                     rememberedName());
    if (!chosen || chosen->empty()) return false;
    rememberedName() = *chosen;
    return writeBarPatternFile(app, *chosen);
}

}  // namespace quillet
