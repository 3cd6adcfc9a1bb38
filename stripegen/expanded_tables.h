#pragma once
// Published tables of GS1 DataBar Expanded: finder patterns, finder
// sequences, checksum weights and character groups.
#include <cstdint>

#include "stripegen/databar_tables.h"
#include "stripegen/stripegen_internal.h"

namespace stripegen {

// Finder values A to F: five widths (15 modules) of the forward form A1..F1;
// the reversed form A2..F2 has them in reverse order.
STRIPEGEN_INTERNAL extern const uint8_t kExpandedFinders[6][5];

// The finders of a symbol of `minN`..`maxN` symbol characters (check
// character included), left to right, as forms 0..11 = A1, A2, B1, ... F2.
struct FinderSequence {
    int minN, maxN;
    int count;
    int forms[11];
};
STRIPEGEN_INTERNAL extern const FinderSequence kExpandedSequences[10];

// Checksum weights of a data character, for the eight widths odd 1, even 1,
// odd 2, ... even 4, by its finder form and side: row 2 * form + side - 1
// (side 0 left, 1 right; the check character, left of A1, has none).
STRIPEGEN_INTERNAL extern const int kExpandedWeights[23][8];

// Character groups of the 17-module symbol characters (values 0-4191),
// first value, odd and even modules, widest odd and even element, and the
// number of odd and even width sets.
STRIPEGEN_INTERNAL extern const CharGroup kExpandedGroups[5];

}  // namespace stripegen
