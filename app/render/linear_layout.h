#pragma once
// Geometry of a linear symbol computed from its bar pattern, before any
// drawing: element rectangles in the horizontal layout, text cells and the
// picture size. Kept apart from the metafile calls so it can be checked
// and measured on its own.
#include <string>
#include <vector>

#include "app/render/drawing_math.h"

namespace quillet {

struct SymbolSettings;

struct LinearLayoutInput {
    int symbology = 1;
    std::string pattern;       // after the trailing-space rule, without quiet zones
    std::string text;          // human-readable text from the encoder
    std::string addOnDigits;   // UPC/EAN supplement digits
    int X = 0, H = 0;          // narrow width and bar height, drawing units
    bool hasComment = false;   // comment at least one ANSI byte
};

struct TextItem {
    int x = 0, y = 0;   // reference point (centre/top), horizontal layout
    char ch = 0;
    bool small = false;
};

struct LinearLayout {
    int q = 0, WD = 0, W = 0, H = 0, TH = 0, CH = 0, T = 0, A = 0, F = 0;
    double C = 0, S = 0;
    std::string drawn;               // the pattern with quiet-zone characters
    std::vector<Rect> bars;          // horizontal layout, after reduction and moves
    std::vector<Rect> bearers;
    std::vector<TextItem> text;
    int firstBarLeft = 0, lastBarRight = 0;
    bool widthExceeded = false;      // W over 32764
    bool heightExceeded = false;     // T over the metafile's coordinates
};

LinearLayout layoutLinear(const SymbolSettings& s, const LinearLayoutInput& in);

}  // namespace quillet
