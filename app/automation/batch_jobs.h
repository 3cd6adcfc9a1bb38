#pragma once
// Batches split over worker processes. Each worker is one single-threaded
// process building a run of consecutive labels; the calling process builds
// the last run itself, so its settings and scratch file end as a sequential
// run leaves them. Messages and failures come out in label order, as from a
// sequential run.
#include <functional>

#include "app/automation/batch_run.h"

namespace quillet {

// The contiguous runs of labels 1..total for `jobs` processes, the longer
// runs first; fewer when there are fewer labels than jobs.
std::vector<LabelRange> splitLabels(long total, int jobs);

// Runs `build` over every range of splitLabels(total, jobs): all but the
// last in forked workers, each with a scratch file of its own. A worker that
// cannot start leaves its range to this process.
BatchResult runBatchJobs(AppState& app, long total, int jobs,
                         const std::function<BatchResult(const LabelRange&)>& build);

}  // namespace quillet
