#include "app/encode/pattern_tables.h"

namespace quillet {

void buildPatternTables(PatternTables& t, int symbology) {
    if (symbology == 0) symbology = 1;
    t = PatternTables{};
    t.symbology = symbology;
    // The G-set table is always filled, whatever the symbology.
    fillUpcEanTables(t, 0);
    switch (symbology) {
    case 1: case 2: fillCode39Table(t); break;
    case 3: case 4: case 5: case 6: case 7: case 8: fillUpcEanTables(t, symbology); break;
    case 9: fillInterleaved2of5Table(t); break;
    case 10: fillDiscrete2of5Table(t); break;
    case 11: fillCodabarTable(t); break;
    case 12: fillCode93Table(t); break;
    case 13: case 14: fillCode128Table(t); break;
    case 19: fillMsiTable(t); break;
    case 24: case 25: fillPostalTables(t, symbology); break;
    default: break;
    }
}

}  // namespace quillet
