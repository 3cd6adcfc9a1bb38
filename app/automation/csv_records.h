#pragma once
// Comma-separated label data as spreadsheets export it (RFC 4180): fields
// in double quotes may hold commas, line breaks and "" for a quote.
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

struct CsvRecord {
    long line = 0;  // 1-based line of the file on which the record starts
    std::vector<std::string> fields;
    std::string error;  // a malformed record: what is wrong; fields are then empty
};

// Every record of the bytes, blank lines left out. A malformed record is
// kept with its error and reading goes on at the next line.
std::vector<CsvRecord> readCsvRecords(std::string_view bytes);

}  // namespace quillet
