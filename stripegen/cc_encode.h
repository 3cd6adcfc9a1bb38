#pragma once
// Composite components CC-A and CC-B: size choice, codewords and error
// correction.
#include <string>
#include <vector>

#include "stripegen/stripegen_internal.h"

namespace stripegen {

struct CcSize {
    int rows;
    int dataCodewords;
    int eccCodewords;
};

// Sizes available for 2, 3 and 4 data columns, smallest first.
STRIPEGEN_INTERNAL const std::vector<CcSize>& ccaSizes(int columns);
STRIPEGEN_INTERNAL const std::vector<CcSize>& ccbSizes(int columns);

// Bits held by `dataCodewords` CC-A codewords (69 bits in every 7).
STRIPEGEN_INTERNAL int ccaBitCapacity(int dataCodewords);
// Bytes held by a CC-B of `dataCodewords` (two mode codewords, then five
// codewords for every six bytes and one for each byte left over).
STRIPEGEN_INTERNAL int ccbByteCapacity(int dataCodewords);

struct CcComponent {
    bool ok = false;
    bool isCcb = false;
    int columns = 0;
    int rows = 0;
    std::vector<int> codewords;  // data then error correction, row by row
};

// Encodes a composite message for a component of `columns` data columns in
// the smallest CC-A that holds it, else the smallest CC-B.
STRIPEGEN_INTERNAL CcComponent encodeComposite(const std::string& message, int columns);
// The same in one given kind and row count; not ok when it does not fit.
STRIPEGEN_INTERNAL CcComponent encodeCompositeIn(const std::string& message, int columns, bool isCcb, int rows);

// Base-928 conversion of CC-A: 69-bit groups into 7 codewords, a shorter
// final group into the fewest codewords that hold it.
STRIPEGEN_INTERNAL std::vector<int> ccaCodewordsFromBits(const std::string& bits);
// PDF417 byte compaction of CC-B: 920, then 924 or 901, then the bytes.
STRIPEGEN_INTERNAL std::vector<int> ccbCodewordsFromBytes(const std::vector<int>& bytes);

}  // namespace stripegen
