#pragma once
// Drawing an Aztec module matrix, with its comment line, into a metafile DC.
#include <cstdint>
#include <string>

#include "platform/gdi.h"
#include "zorvex32/aztec_matrix.h"

#pragma GCC visibility push(default)
namespace zorvex {

struct PictureStyle {
    int moduleSize = 1;      // 0.01 mm
    int moduleAdjust = 0;    // percent of a module
    int commentHeight = 0;   // 0 = no comment
    std::string comment;
    bool commentBelow = false;
    int alignment = 0;       // 0 left, 1 centre, 2 right
    std::string fontName;
    bool bold = false, italic = false, underline = false, strikeOut = false;
    gdi::COLORREF foreColor = 0;
    gdi::COLORREF backColor = 0xFFFFFF;
    bool transparent = false;
    gdi::COLORREF textColor = 0;
    int orientation = 0;     // quarter turns, 0..3
};

struct PictureSize {
    long long width = 0;   // W: across the symbol before turning
    long long height = 0;  // Ht: symbol plus comment before turning
};

// Nearest integer, halves to even.
long long roundEven(double v);

// The picture's size; a negative adjustment grows it by the enlargement.
PictureSize pictureSize(int side, const PictureStyle& style);

// Draws everything after the metafile exists: the placeholder text, window,
// background, modules and comment, then reselects the stock black pen and
// brush and deletes what it created. Returns the picture record's extents.
gdi::MetafilePict drawAztecPicture(gdi::Handle hdc, const ModuleMatrix& m, const PictureStyle& style,
                                   PictureSize size);

}  // namespace zorvex
#pragma GCC visibility pop
