// UPC/EAN family: not built yet (pending the UPC/EAN encoder work).
#include "app/encode/linear_job.h"

namespace quillet {
void fillUpcEanTables(PatternTables&, int) {}
void encodeUpcEan(LinearJob& job) { job.error = -1; }
}  // namespace quillet
