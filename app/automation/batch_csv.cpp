#include "app/automation/batch_csv.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <set>

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

// The output of a row: its file column, else the pattern's name; "" for none.
std::string outputOf(const CsvRecord& rec, const Columns& col, const std::string& pattern, long label) {
    std::string name = col.file ? rec.fields[*col.file] : "";
    if (name.empty()) name = batchOutputName(pattern, label).value_or("");
    return name;
}

void applyRow(AppState& app, const CsvRecord& rec, const Columns& col) {
    setMessage(app, rec.fields[*col.message]);
    if (col.comment) app.settings.comment = rec.fields[*col.comment];
    if (col.supplement) setSupplement(app, rec.fields[*col.supplement]);
}

bool usableHeader(const std::vector<CsvRecord>& records) {
    return !records.empty() && records[0].error.empty() && columnsOf(records[0].fields).message;
}

}  // namespace

long csvBatchLabels(const std::string& bytes, const std::string& pattern) {
    const std::vector<CsvRecord> records = readCsvRecords(bytes);
    if (!usableHeader(records)) return 0;
    const Columns col = columnsOf(records[0].fields);
    // A name given twice is written twice, the later row winning: only one
    // process may write those rows.
    std::set<std::string> names;
    for (size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& rec = records[r];
        if (!rec.error.empty() || rec.fields.size() != records[0].fields.size()) continue;
        const std::string name = outputOf(rec, col, pattern, long(r));
        if (!name.empty() && !names.insert(name).second) return 0;
    }
    return long(records.size() - 1);
}

bool isCsvBatchFile(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".csv";
}

BatchResult runBatchCsv(AppState& app, const std::string& bytes, const std::string& pattern, const LabelRange& range) {
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
    for (size_t r = 1; r < records.size() && long(r) <= range.last; ++r) {
        const CsvRecord& rec = records[r];
        const long label = long(r);
        if (!range.has(label)) {
            // Rows before the range still leave their fields behind.
            if (rec.error.empty() && rec.fields.size() == width && !outputOf(rec, col, pattern, label).empty())
                applyRow(app, rec, col);
            continue;
        }
        if (!rec.error.empty()) {
            result.failures.push_back({rec.line, rec.error});
            continue;
        }
        if (rec.fields.size() != width) {
            result.failures.push_back({rec.line, "the row has " + std::to_string(rec.fields.size()) +
                                                     " fields, the header " + std::to_string(width)});
            continue;
        }
        const std::string name = outputOf(rec, col, pattern, label);
        if (name.empty()) {
            result.failures.push_back({rec.line, "the row names no file and there is no --output pattern"});
            continue;
        }
        applyRow(app, rec, col);
        buildAndSaveLabel(app, rec.line, name, result);
    }
    return result;
}

}  // namespace quillet
