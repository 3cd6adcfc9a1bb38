#pragma once
// Element widths of the GS1 DataBar linear symbols.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "stripegen/stripegen_internal.h"

namespace stripegen {

using Widths = std::vector<uint8_t>;

// The four characters of an omnidirectional-family symbol with checksum and
// finder choice.
struct Rss14Symbol {
    int values[4] = {};     // left outer, left inner, right outer, right inner
    int widths[4][8] = {};  // per character: odd, even, odd, even, ...
    int checksum = 0;       // modulo 79
    int leftFinder = 0;
    int rightFinder = 0;
};

// Linkage values added when a composite component goes with the symbol.
constexpr uint64_t kRss14Linkage = 10000000000000ull;
constexpr uint64_t kLimitedLinkage = 2015133531096ull;
constexpr uint64_t kLimitedMaxValue = 1999999999999ull;

STRIPEGEN_INTERNAL Rss14Symbol encodeRss14(uint64_t value);
// The 46 elements of the single-row symbol: guard, characters 1 and 2 around
// the left finder, characters 4 and 3 around the right finder, guard.
STRIPEGEN_INTERNAL Widths rss14Pattern(const Rss14Symbol& s);
// The two 25-element rows of the stacked variants, from the 46 elements. The
// lower row is the right half of the symbol behind a guard of its own: it
// begins with the dark guard bar, so its first width is a dark element.
STRIPEGEN_INTERNAL Widths stackedUpperRow(const Widths& pattern46);
STRIPEGEN_INTERNAL Widths stackedLowerRow(const Widths& pattern46);

struct CharGroup;
// The widths of `value` in the group table `groups` (`count` groups; values
// beyond the table fall in its last group), interleaved odd, even, odd, ...:
// `perSet` each; the odd set carries the high part of the value when
// `oddHigh`, and may do without a narrow element when `oddNoNarrow` (the
// even set then must have one, and the other way round).
STRIPEGEN_INTERNAL void groupCharacter(const CharGroup* groups, int count, int value, int perSet, bool oddHigh,
                                       bool oddNoNarrow, int* out);

struct LimitedSymbol {
    int values[2] = {};
    int widths[2][14] = {};  // odd, even, odd, even, ...
    int checksum = 0;        // modulo 89
};
STRIPEGEN_INTERNAL LimitedSymbol encodeLimited(uint64_t value);
// 46 elements: guard, left character, check character, right character, guard.
STRIPEGEN_INTERNAL Widths limitedPattern(const LimitedSymbol& s);

}  // namespace stripegen
