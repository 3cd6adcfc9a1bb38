// The DataBar Expanded export: the symbol's lines copied into the caller's
// buffer, their element counts and first colours into its arrays.
#include "stripegen/stripegen.h"

#include <string>

#include "stripegen/expanded_bits.h"
#include "stripegen/expanded_stacked.h"
#include "stripegen/export_buffers.h"

using namespace stripegen;

extern "C" int32_t RSSExpPattern(char** message, int32_t* segmentsPerRow, char** lines, int32_t* lineCount,
                                 int32_t* lineElements, int32_t* lineDarkFirst, char** compositeSeparator,
                                 char** compositeRows, int32_t* rowCount, int32_t* elementsPerRow,
                                 int32_t* compositeOffset) {
    const std::string text = (message != nullptr && *message != nullptr) ? *message : "";
    const size_t bar = text.find('|');
    const std::string data = text.substr(0, bar);
    const int segments = segmentsPerRow != nullptr ? *segmentsPerRow : 22;
    // A component of four columns needs rows of four segments at least.
    if (segments < (bar == std::string::npos ? 2 : 4) || segments > 22 || segments % 2 != 0)
        return STRIPEGEN_BAD_SEGMENTS;
    ExpandedBits bits = encodeExpandedBits(data, bar != std::string::npos, segments);
    if (!bits.ok || data.empty()) return STRIPEGEN_DATA_INVALID;
    const ExpandedSymbol symbol = encodeExpanded(bits.bits);
    std::vector<ExpandedLine> all = expandedStackedLines(symbol, segments);
    Widths joined;
    for (size_t i = 0; i < all.size(); ++i) {
        joined.insert(joined.end(), all[i].widths.begin(), all[i].widths.end());
        if (lineElements != nullptr) lineElements[i] = int32_t(all[i].widths.size());
        if (lineDarkFirst != nullptr) lineDarkFirst[i] = all[i].darkFirst ? 1 : 0;
    }
    copyOut(lines, joined);
    putInt(lineCount, int(all.size()));
    if (bar == std::string::npos) return STRIPEGEN_OK;
    copyOut(compositeSeparator, expandedCompositeSeparator(symbol, segments).widths);
    if (!writeComponent(text.substr(bar + 1), 4, compositeRows, rowCount, elementsPerRow))
        return STRIPEGEN_COMPOSITE_FAILED;
    // One module in over the single-row symbol; centred over the top row of
    // the stacked one (102 modules: the component's 101 and a light one).
    int topWidth = 0;
    for (uint8_t w : all[0].widths) topWidth += w;
    putInt(compositeOffset, segments == 22 ? 1 : (topWidth - 102) / 2 + 1);
    return STRIPEGEN_OK;
}
