// Row address pattern tables of the composite components.
//
// The published tables (the 52 side and 52 centre row address patterns and
// the start rows of every CC-A and CC-B size) are not yet transcribed into
// this file. Until they are, kRapTablesAvailable stays false and composite
// components are refused rather than drawn with invented row addresses.
#include "stripegen/rap_tables.h"

namespace stripegen {

const uint8_t kRapSidePatterns[52][6] = {};
const uint8_t kRapCentrePatterns[52][6] = {};

const bool kRapTablesAvailable = false;

const RapStart* ccaRapStarts(int, int& count) {
    count = 0;
    return nullptr;
}

const RapStart* ccbRapStarts(int, int& count) {
    count = 0;
    return nullptr;
}

}  // namespace stripegen
