#pragma once
// The bit string of a composite message: the encodation method, its
// compressed field and the general-purpose field.
#include <string>

#include "stripegen/cc_bits.h"

namespace stripegen {

// A message opening with a date (AI 11 or 17, YYMMDD) or a lot number (AI 10)
// takes encodation method "10": the date in 17 bits (or "11" for none), then
// the lot number and the rest in general-purpose compaction. Any other
// message takes method "0", general-purpose compaction of the whole.
STRIPEGEN_INTERNAL GpBits compactComposite(const std::string& message);

}  // namespace stripegen
