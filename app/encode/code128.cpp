// Code 128 / GS1-128: not built yet (pending the Code 128 encoder work).
#include "app/encode/linear_job.h"

namespace quillet {
void fillCode128Table(PatternTables&) {}
void encodeCode128(LinearJob& job) { job.error = -1; }
}  // namespace quillet
