#pragma once
// Batch runs for label production: one symbol per line of a file, or one
// per number of the numbering series, each saved under a name made from a
// pattern.
#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "app/model/text_lines.h"

namespace quillet {

struct AppState;

// The pattern with its last run of '#' replaced by the number, padded with
// leading zeros to the run's length. Nothing when the pattern has no '#'.
std::optional<std::string> batchOutputName(const std::string& pattern, long number);

struct BatchFailure {
    long line = 0;       // 1-based line (or label) number
    std::string reason;
};

// The labels one process builds of a batch split over several; the labels
// outside it still step the settings, so each process ends where a
// sequential run would.
struct LabelRange {
    long first = 1, last = LONG_MAX;
    bool has(long label) const { return label >= first && label <= last; }
};

struct BatchResult {
    long built = 0;  // labels built and saved
    long lastBuilt = 0;  // the number of the last of them
    std::vector<BatchFailure> failures;
};

// Builds the current message on an emptied clipboard and saves the symbol
// as `name`; each label costs the scratch file's write and the output's. A
// failure is recorded under `number`.
void buildAndSaveLabel(AppState& app, long number, const std::string& name, BatchResult& result);

// Each line becomes the message as a message file line does (UPC/EAN lines
// may carry a supplement), is built with the current settings and saved
// as batchOutputName(pattern, line number). A failing line is recorded and
// the run goes on. With app.verify.everyLabel each label is checked before
// it is saved, and one below the least acceptable grade fails.
BatchResult runBatchLines(AppState& app, const TextLines& lines, const std::string& pattern,
                          const LabelRange& range = {});
// count labels from the numbering series (or the open message file): the
// current message first, then each Next.
BatchResult runBatchCount(AppState& app, long count, const std::string& pattern, const LabelRange& range = {});

}  // namespace quillet
