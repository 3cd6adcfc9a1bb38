#pragma once
// Batch runs from label data exported by a spreadsheet: a header row names
// the columns, every further row is one label.
#include <string>

#include "app/automation/batch_run.h"

namespace quillet {

// True for a batch file name ending in ".csv", case ignored.
bool isCsvBatchFile(const std::string& path);

// The columns named message, comment and supplement (case and surrounding
// blanks ignored) set those fields of each label; other columns are left
// alone. A row's file column names its output, otherwise the label is saved
// as batchOutputName(pattern, row number), the first row under the header
// being 1. A malformed row, or one with another number of fields than the
// header, is reported under its line number and the run goes on.
BatchResult runBatchCsv(AppState& app, const std::string& bytes, const std::string& pattern,
                        const LabelRange& range = {});
// The number of label rows a batch can split over processes: 0 when the
// header is unusable or two rows write the same file.
long csvBatchLabels(const std::string& bytes, const std::string& pattern);

}  // namespace quillet
