// The 89 check characters of GS1 DataBar Limited.
//
// The published table is not yet transcribed into this file. Until it is,
// kLimitedCheckTableAvailable stays false and DataBar Limited symbols are
// refused rather than drawn with an invented check character.
#include "stripegen/databar_tables.h"

namespace stripegen {

const uint8_t kLimitedCheckPatterns[89][14] = {};
const bool kLimitedCheckTableAvailable = false;

}  // namespace stripegen
