#pragma once
// Full ASCII substitutes shared by Code 39 Full ASCII and Code 93.
#include <string>

namespace quillet {

// The two-character form of a character code 0..127, or the character
// itself when it has none. `code93` keeps $ % + / as themselves and writes
// the shifts as the internal codes 131..134 for ($) (%) (/) (+).
std::string fullAsciiSubstitute(unsigned char c, bool code93);

}  // namespace quillet
