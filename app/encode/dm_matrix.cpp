#include "app/encode/dm_matrix.h"

#include "app/encode/dm_codewords.h"
#include "app/encode/dm_placement.h"
#include "app/encode/dm_reed_solomon.h"

namespace quillet {

std::optional<DmCodewords> dmCodewords(std::string_view data, bool gs1, const DmSymbolSize* size) {
    const DmChars chars = dmChars(data, gs1);
    const DmPlan plan = dmPlan(chars);
    if (!size) size = dmSmallestSquare(plan.capacityNeeded);
    if (!size || size->dataWords < plan.capacityNeeded) return std::nullopt;
    std::vector<uint8_t> words = dmDataCodewords(chars, plan, size->dataWords);
    if (words.empty()) return std::nullopt;
    return DmCodewords{size, std::move(words)};
}

std::optional<DmSymbol> encodeDataMatrix(std::string_view data, bool gs1, const DmSymbolSize* size) {
    const auto cw = dmCodewords(data, gs1, size);
    if (!cw) return std::nullopt;
    const DmSymbolSize& s = *cw->size;
    const std::vector<uint8_t> all = dmWithErrorCorrection(cw->data, s);
    return DmSymbol{s.rows, s.cols, layoutEcc200(all, s.rows, s.cols, s.regionRows, s.regionCols)};
}

}  // namespace quillet
