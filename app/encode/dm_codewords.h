#pragma once
// The data codewords of a Data Matrix symbol from an encodation plan:
// latches, packed C40/Text/X12 triplets and EDIFACT groups, randomised
// Base 256 fields, the unlatches the end of the symbol leaves out, and the
// randomised pad codewords.
#include <cstdint>
#include <vector>

#include "app/encode/dm_encodation.h"

namespace quillet {

// Exactly `capacity` codewords, or none when the plan needs more.
std::vector<uint8_t> dmDataCodewords(const DmChars& chars, const DmPlan& plan, int capacity);

}  // namespace quillet
