// The DataBar Expanded export: the symbol's lines copied into the caller's
// buffer, their element counts and first colours into its arrays.
#include "stripegen/stripegen.h"

#include <cstring>
#include <string>

#include "stripegen/expanded_bits.h"
#include "stripegen/expanded_stacked.h"
#include "stripegen/export_buffers.h"

using namespace stripegen;

extern "C" int32_t RSSExpPattern(char** message, int32_t* segmentsPerRow, char** lines, int32_t* lineCount,
                                 int32_t* lineElements, int32_t* lineDarkFirst) {
    const char* text = (message != nullptr && *message != nullptr) ? *message : "";
    if (std::strchr(text, '|') != nullptr) return STRIPEGEN_COMPOSITE_FAILED;
    const int segments = segmentsPerRow != nullptr ? *segmentsPerRow : 22;
    if (segments < 2 || segments > 22 || segments % 2 != 0) return STRIPEGEN_BAD_SEGMENTS;
    ExpandedBits bits = encodeExpandedBits(text, false, segments);
    if (!bits.ok || *text == '\0') return STRIPEGEN_DATA_INVALID;
    std::vector<ExpandedLine> all = expandedStackedLines(encodeExpanded(bits.bits), segments);
    Widths joined;
    for (size_t i = 0; i < all.size(); ++i) {
        joined.insert(joined.end(), all[i].widths.begin(), all[i].widths.end());
        if (lineElements != nullptr) lineElements[i] = int32_t(all[i].widths.size());
        if (lineDarkFirst != nullptr) lineDarkFirst[i] = all[i].darkFirst ? 1 : 0;
    }
    copyOut(lines, joined);
    putInt(lineCount, int(all.size()));
    return STRIPEGEN_OK;
}
