#include "zorvex32/aztec_symbol.h"

#include "zorvex32/aztec_emit.h"
#include "zorvex32/aztec_plan.h"
#include "zorvex32/galois.h"

namespace zorvex {

std::optional<AztecSymbol> encodeAztec(std::string_view message, int sizeSpec, bool menu, int eci) {
    sizeSpec = normaliseSizeSpec(sizeSpec);
    Plan plan = planMessage(message);
    std::vector<uint8_t> bits = eci >= 0 ? eciBits(eci) : std::vector<uint8_t>();
    plan.bits += int(bits.size());
    const std::vector<uint8_t> messageBits = planBits(plan, message);
    bits.insert(bits.end(), messageBits.begin(), messageBits.end());
    std::optional<SymbolSize> size = chooseSymbol(plan.bits, sizeSpec, menu);
    while (size) {
        int stuffed = 0;
        std::vector<int> data = stuffBits(bits, size->wordBits, &stuffed);
        int d = int(data.size());
        // Stuffed bits can push the data past what the size leaves for checks.
        if (d + kMinCheckWords <= size->totalWords && d <= maxDataWords(*size, menu)) {
            AztecSymbol sym;
            sym.size = *size;
            sym.plannedBits = plan.bits;
            sym.padBits = d * size->wordBits - int(bits.size()) - stuffed;
            sym.checkWords = checkWords(fieldForWordBits(size->wordBits), data, size->totalWords - d);
            std::vector<int> all = data;
            all.insert(all.end(), sym.checkWords.begin(), sym.checkWords.end());
            sym.matrix = layoutSymbol(*size, all, d, menu);
            sym.dataWords = std::move(data);
            return sym;
        }
        if (!isAutomatic(sizeSpec)) return std::nullopt;
        size = nextLarger(*size, menu);
    }
    return std::nullopt;
}

}  // namespace zorvex
