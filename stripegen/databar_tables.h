#pragma once
// Published tables of the GS1 DataBar symbols (omnidirectional family and
// Limited): character groups, checksum weights, finder patterns.
#include <cstdint>

#include "stripegen/stripegen_internal.h"

namespace stripegen {

// One character group: values first..first+tOdd*tEven-1 share the module
// counts and widest elements of their odd and even element sets.
struct CharGroup {
    int32_t first;
    int oddModules;
    int evenModules;
    int widestOdd;
    int widestEven;
    int32_t tOdd;   // number of odd width sets used
    int32_t tEven;  // number of even width sets used
};

STRIPEGEN_INTERNAL extern const CharGroup kOuterGroups[5];    // 16-module outer characters, values 0-2840
STRIPEGEN_INTERNAL extern const CharGroup kInnerGroups[4];    // 15-module inner characters, values 0-1596
STRIPEGEN_INTERNAL extern const CharGroup kLimitedGroups[7];  // 26-module Limited characters, values 0-2013570

STRIPEGEN_INTERNAL extern const int kRss14Weights[4][8];  // modulo 79, elements of each character in order
STRIPEGEN_INTERNAL extern const int kLimitedWeights[28];  // modulo 89, left then right character
STRIPEGEN_INTERNAL extern const int kFinderPatterns[9][5];

// The 89 check characters of DataBar Limited (14 elements, 18 modules,
// light first).
STRIPEGEN_INTERNAL extern const uint8_t kLimitedCheckPatterns[89][14];

}  // namespace stripegen
