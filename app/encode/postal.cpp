// POSTNET / BPO 4 State: not built yet (pending the postal encoder work).
#include "app/encode/linear_job.h"

namespace quillet {
void fillPostalTables(PatternTables&, int) {}
void encodePostal(LinearJob& job) { job.error = -1; }
}  // namespace quillet
