#include "app/encode/pattern_tables.h"

#include "app/model/symbology.h"

#include <memory>
#include <mutex>

namespace quillet {

void buildPatternTables(PatternTables& t, int symbology) {
    if (symbology == 0) symbology = int(Symbology::Code39);
    t = PatternTables{};
    t.symbology = symbology;
    // The G-set table is always filled, whatever the symbology.
    fillUpcEanTables(t, 0);
    using enum Symbology;
    switch (Symbology(symbology)) {
    case Code39: case Code39FullAscii: fillCode39Table(t); break;
    case UpcA: case UpcE: case UpcE1: case Ean8: case Ean13: case BookLand: fillUpcEanTables(t, symbology); break;
    case Interleaved2of5: fillInterleaved2of5Table(t); break;
    case Discrete2of5: fillDiscrete2of5Table(t); break;
    case Codabar: fillCodabarTable(t); break;
    case Code93: fillCode93Table(t); break;
    case Code128: case Gs1_128: fillCode128Table(t); break;
    case MsiPlessey: fillMsiTable(t); break;
    case Postnet: case Bpo4State: fillPostalTables(t, symbology); break;
    default: break;
    }
}

const PatternTables& patternTables(int symbology) {
    if (symbology == 0) symbology = int(Symbology::Code39);
    constexpr int kCodes = int(Symbology::DataBarExpandedStacked) + 1;
    // One set is about 9 kB: only the symbologies used are made.
    static std::once_flag built[kCodes];
    static std::unique_ptr<PatternTables> tables[kCodes];
    if (symbology < 0 || symbology >= kCodes) {
        thread_local PatternTables other;
        buildPatternTables(other, symbology);
        return other;
    }
    std::call_once(built[symbology], [symbology] {
        auto t = std::make_unique<PatternTables>();
        buildPatternTables(*t, symbology);
        tables[symbology] = std::move(t);
    });
    return *tables[symbology];
}

}  // namespace quillet
