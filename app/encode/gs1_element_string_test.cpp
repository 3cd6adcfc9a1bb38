// GS1 element strings: the AI table, each format rule and its message, and
// the data with separators that a symbol carries.
#include <gtest/gtest.h>

#include "app/encode/gs1_ai_table.h"
#include "app/encode/gs1_element_string.h"

namespace quillet {
namespace {

struct Valid {
    const char* text;
    const char* data;     // with '|' for each separator
    const char* display;
};

class Gs1Valid : public ::testing::TestWithParam<Valid> {};

TEST_P(Gs1Valid, DataAndDisplay) {
    const Valid& v = GetParam();
    ASSERT_TRUE(isGs1ElementString(v.text));
    const Gs1ElementString r = parseGs1ElementString(v.text);
    ASSERT_EQ(r.error, "") << v.text;
    EXPECT_EQ(gs1Data(r.elements, '|'), v.data);
    EXPECT_EQ(gs1DisplayText(r.elements), v.display);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Gs1Valid,
    ::testing::Values(
        Valid{"(01)09501101530003(17)260101", "010950110153000317260101", "(01)09501101530003(17)260101"},
        Valid{"[01]09501101530003[17]260101", "010950110153000317260101", "(01)09501101530003(17)260101"},
        // A variable-length field before another element takes a separator; the last one none.
        Valid{"(01)09501101530003(10)AB12(17)260101", "010950110153000310AB12|17260101",
              "(01)09501101530003(10)AB12(17)260101"},
        Valid{"(10)AB-12/x(21)S\"%&'*+,.:;<=>?_", "10AB-12/x|21S\"%&'*+,.:;<=>?_",
              "(10)AB-12/x(21)S\"%&'*+,.:;<=>?_"},
        Valid{"(00)106141411234567897", "00106141411234567897", "(00)106141411234567897"},
        Valid{"(414)9520123456788(3103)000250", "41495201234567883103000250", "(414)9520123456788(3103)000250"},
        Valid{"(3205)001000(3295)000001", "32050010003295000001", "(3205)001000(3295)000001"},
        Valid{"(17)260100", "17260100", "(17)260100"},                 // day 00: end of the month
        Valid{"(11)240229(421)276ABC(30)5", "11240229421276ABC|305", "(11)240229(421)276ABC(30)5"},
        Valid{"(3922)12345(7003)2601011230", "392212345|70032601011230", "(3922)12345(7003)2601011230"},
        Valid{"(8003)01234567890128SER1(99)x", "800301234567890128SER1|99x", "(8003)01234567890128SER1(99)x"}));

struct Invalid {
    const char* text;
    const char* error;
};

class Gs1Invalid : public ::testing::TestWithParam<Invalid> {};

TEST_P(Gs1Invalid, NamesTheAiAndTheFault) {
    const Invalid& v = GetParam();
    const Gs1ElementString r = parseGs1ElementString(v.text);
    EXPECT_EQ(r.error, v.error) << v.text;
    EXPECT_TRUE(r.elements.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, Gs1Invalid,
    ::testing::Values(
        Invalid{"(01)09501101530004", "GS1 AI (01): the check digit is 4, it should be 3"},
        Invalid{"(00)106141411234567890", "GS1 AI (00): the check digit is 0, it should be 7"},
        Invalid{"(414)9520123456780", "GS1 AI (414): the check digit is 0, it should be 8"},
        Invalid{"(01)0950110153000", "GS1 AI (01): the data must be 14 digits, not 13"},
        Invalid{"(10)123456789012345678901", "GS1 AI (10): the data must be 1 to 20 characters, not 21"},
        Invalid{"(30)123456789", "GS1 AI (30): the data must be 1 to 8 digits, not 9"},
        Invalid{"(421)12", "GS1 AI (421): the data must be 4 to 12 characters, not 2"},
        Invalid{"(3103)12345", "GS1 AI (3103): the data must be 6 digits, not 5"},
        Invalid{"(23)123", "GS1 AI (23) is not a known Application Identifier"},
        Invalid{"(3106)123456", "GS1 AI (3106) is not a known Application Identifier"},
        Invalid{"(3296)123456", "GS1 AI (3296) is not a known Application Identifier"},
        Invalid{"(0A)12", "GS1 AI (0A) is not a known Application Identifier"},
        // The AI of the next element run into the GTIN's data.
        Invalid{"(01)0950110153000317260101", "GS1 AI (01): the data must be 14 digits, not 22"},
        Invalid{"(01)09501101530003(17", "GS1 element string: \"(17\" lacks its closing )"},
        Invalid{"[01]09501101530003(17)260101", "GS1 AI (01): the data must be 14 digits, not 24"},
        Invalid{"(10)(17)260101", "GS1 AI (10) has no data"},
        Invalid{"(01)0950110153000A", "GS1 AI (01): character 14 (\"A\") must be a digit"},
        Invalid{"(421)27A123", "GS1 AI (421): character 3 (\"A\") must be a digit"},
        Invalid{"(10)AB~1", "GS1 AI (10): character 3 (\"~\") is not in the GS1 character set"},
        Invalid{"(21)A B", "GS1 AI (21): character 2 (\" \") is not in the GS1 character set"},
        Invalid{"(17)261301", "GS1 AI (17): \"261301\" is not a date YYMMDD"},
        Invalid{"(17)250229", "GS1 AI (17): \"250229\" is not a date YYMMDD"},
        Invalid{"(15)260431", "GS1 AI (15): \"260431\" is not a date YYMMDD"},
        Invalid{"(7006)260100", "GS1 AI (7006): \"260100\" is not a date YYMMDD"}));

TEST(Gs1ElementStringForm, OnlyAnOpeningAiCounts) {
    const struct { const char* text; bool form; } cases[] = {
        {"(01)09501101530003", true}, {"[01]0950", true}, {"(0", true},
        {"0109501101530003", false}, {"(A)12", false}, {"[BUILD]", false}, {"", false}, {"(", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isGs1ElementString(c.text), c.form) << c.text;
}

TEST(Gs1AiTable, FixedLengthAisNeedNoSeparator) {
    const struct { const char* ai; bool known; bool fnc1; } cases[] = {
        {"00", true, false},  {"01", true, false},  {"17", true, false},   {"20", true, false},
        {"3100", true, false}, {"3695", true, false}, {"410", true, false}, {"417", true, false},
        {"10", true, true},   {"21", true, true},   {"402", true, true},   {"8003", true, true},
        {"7039", true, true}, {"99", true, true},   {"14", false, false}, {"418", false, false},
        {"3116", false, false}, {"7040", false, false}, {"1", false, false}, {"010", false, false},
    };
    for (const auto& c : cases) {
        const Gs1Ai* e = findGs1Ai(c.ai);
        ASSERT_EQ(e != nullptr, c.known) << c.ai;
        if (e) {
            EXPECT_EQ(e->fnc1, c.fnc1) << c.ai;
        }
    }
}

}  // namespace
}  // namespace quillet
