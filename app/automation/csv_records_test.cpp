// Label data in CSV: quoting, doubled quotes, line breaks in cells and the
// line on which each record, good or bad, starts.
#include <gtest/gtest.h>

#include "app/automation/batch_csv.h"
#include "app/automation/csv_records.h"

namespace quillet {
namespace {

struct Expected {
    long line;
    std::vector<std::string> fields;
    std::string error;
};

struct CsvCase {
    const char* what;
    std::string bytes;
    std::vector<Expected> records;
};

class CsvReading : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvReading, RecordsAndLines) {
    const CsvCase& c = GetParam();
    const std::vector<CsvRecord> got = readCsvRecords(c.bytes);
    ASSERT_EQ(got.size(), c.records.size()) << c.what;
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].line, c.records[i].line) << c.what << " record " << i;
        EXPECT_EQ(got[i].fields, c.records[i].fields) << c.what << " record " << i;
        EXPECT_EQ(got[i].error, c.records[i].error) << c.what << " record " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rfc4180, CsvReading,
    ::testing::Values(
        CsvCase{"plain", "a,b,c\r\n1,2,3\r\n", {{1, {"a", "b", "c"}, ""}, {2, {"1", "2", "3"}, ""}}},
        CsvCase{"no final line end, LF only", "a,b\n1,2", {{1, {"a", "b"}, ""}, {2, {"1", "2"}, ""}}},
        CsvCase{"empty fields", ",x,\n", {{1, {"", "x", ""}, ""}}},
        CsvCase{"comma and quote in quotes", "\"A,B\",\"say \"\"hi\"\"\"\n", {{1, {"A,B", "say \"hi\""}, ""}}},
        CsvCase{"line breaks in a cell keep their bytes", "\"L1\r\nL2\nL3\",x\r\nnext\r\n",
                {{1, {"L1\r\nL2\nL3", "x"}, ""}, {4, {"next"}, ""}}},
        CsvCase{"blank lines are skipped", "a\n\n\r\nb\n", {{1, {"a"}, ""}, {4, {"b"}, ""}}},
        CsvCase{"quoted empty field", "\"\",\"\"\n", {{1, {"", ""}, ""}}},
        CsvCase{"stray quote, reading goes on", "ok\nbad\"q,x\nafter\n",
                {{1, {"ok"}, ""}, {2, {}, "a quote inside unquoted field 1"}, {3, {"after"}, ""}}},
        CsvCase{"text after the closing quote", "a,\"b\"c,d\ne\n",
                {{1, {}, "text follows the closing quote of field 2"}, {2, {"e"}, ""}}},
        CsvCase{"unclosed quote", "a\n\"open,\nmore\n",
                {{1, {"a"}, ""}, {2, {}, "quoted field 1 opened on line 2 has no closing quote"}}}));

TEST(CsvBatchFile, ExtensionCaseIgnored) {
    const struct { const char* path; bool csv; } cases[] = {
        {"labels.csv", true}, {"/d/LABELS.CSV", true}, {"a.Csv", true},
        {"labels.txt", false}, {"csv", false}, {"labels.csv.txt", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isCsvBatchFile(c.path), c.csv) << c.path;
}

}  // namespace
}  // namespace quillet
