#include "app/automation/batch_csv.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "app/automation/csv_records.h"
#include "app/model/app_state.h"
#include "app/model/symbol_fields.h"

namespace quillet {

namespace {

std::string columnName(std::string s) {
    const auto blank = [](unsigned char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.back())) s.pop_back();
    s.erase(s.begin(), std::find_if(s.begin(), s.end(), [&](unsigned char c) { return !blank(c); }));
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

struct Columns {
    std::optional<size_t> message, comment, supplement, file;
};

Columns columnsOf(std::vector<std::string> header) {
    // A byte order mark from the exporting program is not part of the first name.
    if (!header.empty() && header[0].rfind("\xEF\xBB\xBF", 0) == 0) header[0].erase(0, 3);
    Columns c;
    for (size_t i = 0; i < header.size(); ++i) {
        const std::string name = columnName(header[i]);
        if (name == "message") c.message = i;
        else if (name == "comment") c.comment = i;
        else if (name == "supplement") c.supplement = i;
        else if (name == "file") c.file = i;
    }
    return c;
}

}  // namespace

bool isCsvBatchFile(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".csv";
}

BatchResult runBatchCsv(AppState& app, const std::string& bytes, const std::string& pattern) {
    BatchResult result;
    const std::vector<CsvRecord> records = readCsvRecords(bytes);
    if (records.empty() || !records[0].error.empty()) {
        result.failures.push_back({records.empty() ? 1 : records[0].line, "there is no header row"});
        return result;
    }
    const Columns col = columnsOf(records[0].fields);
    const size_t width = records[0].fields.size();
    if (!col.message) {
        result.failures.push_back({records[0].line, "the header row has no message column"});
        return result;
    }
    for (size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& rec = records[r];
        const long label = long(r);
        if (!rec.error.empty()) {
            result.failures.push_back({rec.line, rec.error});
            continue;
        }
        if (rec.fields.size() != width) {
            result.failures.push_back({rec.line, "the row has " + std::to_string(rec.fields.size()) +
                                                     " fields, the header " + std::to_string(width)});
            continue;
        }
        std::string name = col.file ? rec.fields[*col.file] : "";
        if (name.empty()) name = batchOutputName(pattern, label).value_or("");
        if (name.empty()) {
            result.failures.push_back({rec.line, "the row names no file and there is no --output pattern"});
            continue;
        }
        setMessage(app, rec.fields[*col.message]);
        if (col.comment) app.settings.comment = rec.fields[*col.comment];
        if (col.supplement) setSupplement(app, rec.fields[*col.supplement]);
        buildAndSaveLabel(app, rec.line, name, result);
    }
    return result;
}

}  // namespace quillet
