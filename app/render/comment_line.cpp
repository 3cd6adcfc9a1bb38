#include "app/render/comment_line.h"

#include <algorithm>

#include "app/model/settings.h"

namespace quillet {

void drawCommentLine(gdi::Handle dc, const OrientationMap& map, const SymbolSettings& s, int margin, int width, int y) {
    int x = margin;
    uint32_t align = gdi::TA_LEFT | gdi::TA_TOP;
    if (s.commentAlign == AlignCentre) {
        align = gdi::TA_CENTER | gdi::TA_TOP;
        x = width / 2;
    } else if (s.commentAlign == AlignRight) {
        align = gdi::TA_RIGHT | gdi::TA_TOP;
        x = width - margin;
    }
    map.point(x, y);
    gdi::SetTextAlign(dc, align);
    // A linear layout may reach past the metafile's coordinates; every other
    // builder has refused such sizes before drawing.
    gdi::TextOut(dc, std::clamp(x, -32768, 32767), std::clamp(y, -32768, 32767), s.comment);
}

}  // namespace quillet
