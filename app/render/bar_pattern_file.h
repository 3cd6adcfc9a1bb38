#pragma once
// The bar pattern file (".dbp"): the widths of the last linear symbol's
// bars and spaces, one line of numbers.
#include <optional>
#include <string>
#include <vector>

namespace quillet {

struct AppState;

// The widths written for a pattern, in mils (unitMode 1000) or in drawing
// units (metric and printer dots): a 9-module margin at each end (the
// UPC/EAN patterns carry theirs already), then every element. X is the
// integer narrow width of the build, N the stored one (wide elements are
// round(N x ratio)). Nothing when a width does not fit 16 bits.
std::optional<std::vector<int>> barPatternWidths(const std::string& pattern, int X, float N, float ratio,
                                                 int symbology, int unitMode);

// The line: each value as " v " (a minus sign in place of the leading
// space when negative), then " 0 " and CR LF.
std::string barPatternLine(const std::vector<int>& widths);

// Writes the current bar pattern of app to path; false when nothing was
// written (no pattern, a width out of range, or the file failed).
bool writeBarPatternFile(const AppState& app, const std::string& path);

// "Save .&dbp File As...": asks for the name (offering the one chosen
// last) and writes the file. False when cancelled or not written.
bool dbpSave_Click(AppState& app);

}  // namespace quillet
