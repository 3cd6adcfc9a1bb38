// Incremental numbering and message files, driven through the command
// language as a client drives them.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "app/automation/automation_session.h"
#include "app/automation/numbering.h"
#include "app/model/messages.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;
using test::Session;

class Numbering : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("quillet-num-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string file(const std::string& name, const std::string& bytes) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }
    fs::path dir_;
};

TEST_F(Numbering, SeriesThroughTheCommandLanguage) {
    const std::string upc = file("upc.txt", "01234567890512\r\n012345678905-7\r\n  036000291452  \r\n");
    const std::string words = file("words.txt", "ALPHA\nBETA\n");
    const std::string i2of5 = file("i25.txt", "  1234  \n");
    struct Step {
        std::string execute;
        bool accepted;
        std::string message, supplement;
    };
    struct Case {
        const char* what;
        std::string setup;
        std::vector<Step> steps;
    } cases[] = {
        {"preamble and four digits",
         "[CODE128][INCSTART=1][INCVALUE=1][INCWIDTH=4][INCPREAMBLE='A'][INCENABLE]",
         {{"", true, "A0001", ""}, {"[NEXT]", true, "A0002", ""}, {"[PREVIOUS]", true, "A0001", ""},
          {"[PREV]", true, "A0000", ""}}},
        {"width cuts the start", "[CODE128][INCSTART=123456][INCWIDTH=4][INCENABLE]", {{"", true, "3456", ""}}},
        {"width 0 takes what the number needs", "[CODE128][INCSTART=7][INCWIDTH=0][INCENABLE]",
         {{"", true, "7", ""}, {"[INCVALUE=1000][NEXT]", true, "1007", ""}}},
        {"counter wraps at 10^width", "[CODE128][INCSTART=99][INCWIDTH=2][INCENABLE]",
         {{"[NEXT]", true, "00", ""}}},
        {"below zero", "[CODE128][INCSTART=0][INCVALUE=5][INCENABLE]", {{"[PREVIOUS]", true, "-5", ""}}},
        {"halves round away from zero", "[CODE128][INCSTART=2.5][INCENABLE]", {{"", true, "3", ""}}},
        {"postamble with control characters",
         "[CODE128][INCSTART=3][INCWIDTH=2][INCPREAMBLE='<'][INCPOSTAMBLE=9 '>'][INCENABLE]",
         {{"", true, "<03\t>", ""}}},
        {"supplement target leaves the message",
         "[UPCA][MSGTEXT=01234567890][INCSUPPLEMENT][INCSTART=4][INCWIDTH=2][INCENABLE]",
         {{"", true, "01234567890", "04"}, {"[NEXT]", true, "01234567890", "05"}}},
        {"UPC-A lines carry supplements", "[UPCA][OPENMSGFILE(" + upc + ")]",
         {{"", true, "012345678905", "12"}, {"[NEXT]", true, "012345678905", "07"},
          {"[NEXT]", true, "036000291452", ""}}},
        {"Next on the last line keeps the message", "[CODE128][OPENMSGFILE(" + words + ")]",
         {{"[NEXT]", true, "BETA", ""}, {"[NEXT]", false, "BETA", ""}, {"[PREVIOUS]", true, "ALPHA", ""},
          {"[PREVIOUS]", false, "ALPHA", ""}}},
        {"Interleaved 2 of 5 lines are trimmed", "[I2OF5][OPENMSGFILE(" + i2of5 + ")]", {{"", true, "1234", ""}}},
        {"Code 128 lines are taken as they are", "[CODE128][OPENMSGFILE(" + i2of5 + ")]",
         {{"", true, "  1234  ", ""}}},
        {"closing the file resumes numbering",
         "[CODE128][INCSTART=8][INCENABLE][OPENMSGFILE(" + words + ")]",
         {{"", true, "ALPHA", ""}, {"[CLOSEMSGFILE]", true, "8", ""}, {"[NEXT]", true, "9", ""}}},
        {"numbering resumed after the file's end steps again",
         "[CODE128][INCSTART=8][INCENABLE][OPENMSGFILE(" + words + ")]",
         {{"[NEXT]", true, "BETA", ""}, {"[NEXT]", false, "BETA", ""}, {"[CLOSEMSGFILE]", true, "8", ""},
          {"[NEXT]", true, "9", ""}}},
        {"a new file after the end steps again", "[CODE128][OPENMSGFILE(" + words + ")]",
         {{"[NEXT]", true, "BETA", ""}, {"[NEXT]", false, "BETA", ""}, {"[OPENMSGFILE(" + words + ")]", true, "ALPHA", ""},
          {"[NEXT]", true, "BETA", ""}}},
        {"the counter stops where it would stop being exact", "[CODE128][INCSTART=9007199254740990][INCENABLE]",
         {{"[NEXT]", true, "9007199254740991", ""}, {"[NEXT]", false, "9007199254740991", ""},
          {"[PREVIOUS]", true, "9007199254740990", ""}}},
        {"and below zero", "[CODE128][INCSTART=-9007199254740990][INCENABLE]",
         {{"[PREVIOUS]", true, "-9007199254740991", ""}, {"[PREVIOUS]", false, "-9007199254740991", ""}}},
        {"a step that overflows is refused", "[CODE128][INCSTART=9007199254740991][INCVALUE=-9007199254740991][INCENABLE]",
         {{"[PREVIOUS]", false, "9007199254740991", ""}, {"[NEXT]", true, "0", ""}}},
        {"starts and steps beyond the exact range are refused", "[CODE128][INCSTART=5][INCENABLE]",
         {{"[INCSTART=9007199254740992]", false, "5", ""}, {"[INCVALUE=1E300]", false, "5", ""},
          {"[INCSTART=-9007199254740992]", false, "5", ""}, {"[NEXT]", true, "6", ""}}},
        {"no series: Next is refused", "[CODE128][MESSAGE='X']", {{"[NEXT]", false, "X", ""}}},
        {"disabling without a message file is refused", "[CODE128][INCENABLE]",
         {{"[INCDISABLE]", false, "1", ""}, {"[NEXT]", false, "1", ""}}},
        {"closing without a message file is refused", "[CODE128]", {{"[CLOSEMSGFILE]", false, "", ""}}},
    };
    for (const auto& c : cases) {
        Session a;
        a.run(c.setup);
        for (const Step& step : c.steps) {
            const int beepsBefore = a.ui.beeps;
            if (!step.execute.empty()) {
                EXPECT_EQ(a.run(step.execute), step.accepted) << c.what << " " << step.execute;
            }
            EXPECT_EQ(a.s().message, step.message) << c.what << " " << step.execute;
            EXPECT_EQ(a.s().supplement, step.supplement) << c.what << " " << step.execute;
            // A refused step through a series beeps.
            const bool series = a.s().numbering.messageFileOpen || a.s().numbering.incEnabled;
            if (!step.accepted && series && step.execute.rfind("[INC", 0) != 0) {
                EXPECT_GT(a.ui.beeps, beepsBefore) << c.what << " " << step.execute;
            }
        }
    }
}

TEST_F(Numbering, CounterBeyondTheExactRangeIsReportedAndKeepsTheMessage) {
    struct Case {
        const char* what;
        NumberingDialogValues v;
    } cases[] = {
        {"start of 2^53", {9007199254740992.0, 1, 0, "", "", IncTargetMessage, true}},
        {"infinite step", {1, INFINITY, 0, "", "", IncTargetMessage, true}},
        {"not a number", {NAN, 1, 0, "", "", IncTargetMessage, true}},
    };
    for (const auto& c : cases) {
        Session a;
        a.run("[CODE128][MESSAGE='BEFORE']");
        const auto warning = applyNumberingDialog(a.app, c.v);
        ASSERT_TRUE(warning.has_value()) << c.what;
        EXPECT_EQ(*warning, counterLimitText()) << c.what;
        EXPECT_FALSE(a.s().numbering.incEnabled) << c.what;
        EXPECT_EQ(a.s().message, "BEFORE") << c.what;
    }
    // A counter that reaches the limit by stepping says so once per refused step.
    Session a;
    ASSERT_TRUE(a.run("[CODE128][INCSTART=9007199254740991][INCENABLE]"));
    a.ui.messages.clear();
    EXPECT_FALSE(a.run("[NEXT]"));
    ASSERT_EQ(a.ui.messages.size(), 1u);
    EXPECT_EQ(a.ui.messages[0].text, counterLimitText());
    EXPECT_EQ(a.s().numbering.incStart, 9007199254740991.0);
}

TEST_F(Numbering, OpeningAFileIsRefusedWhenItsFirstLineGivesNoSymbol) {
    struct Case {
        const char* what;
        std::string setup, lines;
        bool accepted;
        bool built;  // with no line the message before is built again
    } cases[] = {
        {"good first line", "[CODE128]", "ONE\nTWO\n", true, true},
        {"first line not a UPC-A message", "[UPCA]", "NOT DIGITS\n036000291452\n", false, false},
        {"no first line", "[CODE128][MESSAGE='OLD']", "", false, true},
        {"empty first line", "[CODE128][MESSAGE='OLD']", "\nTWO\n", false, false},
    };
    for (const auto& c : cases) {
        Session a;
        ASSERT_TRUE(a.run(c.setup)) << c.what;
        const std::string path = file("lines.txt", c.lines);
        EXPECT_EQ(a.run("[OPENMSGFILE(" + path + ")]"), c.accepted) << c.what;
        EXPECT_EQ(a.s().symbolBuilt, c.built) << c.what;
        // The file is open either way, so the next line can still be stepped to.
        EXPECT_TRUE(a.s().numbering.messageFileOpen) << c.what;
    }
    Session a;
    ASSERT_TRUE(a.run("[UPCA]"));
    EXPECT_FALSE(a.run("[OPENMSGFILE(" + file("upc.txt", "NOT DIGITS\n036000291452\n") + ")]"));
    EXPECT_TRUE(a.run("[NEXT]"));
    EXPECT_EQ(a.s().message, "036000291452");
}

TEST_F(Numbering, ReadMessageFromFileTakesAtMost3072Bytes) {
    struct Case {
        size_t size;
        bool accepted;
    } cases[] = {{0, true}, {3071, true}, {3072, true}, {3073, false}, {100000, false}};
    for (const auto& c : cases) {
        Session a;
        a.run("[PDF417][MESSAGE='OLD']");
        std::string bytes(c.size, 'x');
        if (c.size >= 4) bytes.replace(0, 4, std::string("a\r\n\0", 4));
        const std::string path = file("m.txt", bytes);
        EXPECT_EQ(a.run("[READMSGFILE(" + path + ")]"), c.accepted) << c.size;
        EXPECT_EQ(a.s().message, c.accepted ? bytes : "OLD") << c.size;
        if (c.accepted) {
            EXPECT_TRUE(a.ui.messages.empty()) << c.size;
        } else {
            ASSERT_EQ(a.ui.messages.size(), 1u) << c.size;
            EXPECT_EQ(a.ui.messages[0].text, messageText(19));
        }
    }
}

TEST_F(Numbering, UnreadableFilesLeaveTheSeriesAsItWas) {
    const std::string words = file("words.txt", "ONE\rTWO\r\nTHREE\n");
    Session a;
    ASSERT_TRUE(a.run("[CODE128][OPENMSGFILE(" + words + ")][NEXT]"));
    const TextLines& lines = a.s().numbering.messageLines;
    ASSERT_EQ(lines.count, 3u);
    EXPECT_EQ(textLine(lines, 0), "ONE");
    EXPECT_EQ(textLine(lines, 1), "TWO");
    EXPECT_EQ(textLine(lines, 2), "THREE");
    for (const std::string& bad : {(dir_ / "missing.txt").string(), dir_.string()}) {
        EXPECT_FALSE(a.run("[OPENMSGFILE(" + bad + ")]")) << bad;
        EXPECT_FALSE(a.run("[READMSGFILE(" + bad + ")]")) << bad;
        EXPECT_EQ(a.s().message, "TWO");
        EXPECT_EQ(a.s().numbering.messageFilePath, words);
        EXPECT_EQ(a.s().numbering.currentLine, 2);
        EXPECT_TRUE(a.s().numbering.messageFileOpen);
    }
    EXPECT_EQ(a.ui.messages.size(), 4u);
}

TEST(UpcEanLines, SplitByLengthOrSeparator) {
    struct Case {
        int code;
        std::string line, message, supplement;
    } cases[] = {
        // UPC-A: L = 12.
        {3, "01234567890", "01234567890", ""},
        {3, "012345678905", "012345678905", ""},
        {3, "0123456789051", "01234567890", "51"},       // L + 1
        {3, "01234567890512", "012345678905", "12"},     // L + 2
        {3, "012345678905123", "012345678905", "12"},    // L + 3
        {3, "0123456789051234", "01234567890", "51234"}, // L + 4
        {3, "01234567890512345", "012345678905", "12345"},
        {3, "0123456789051234567", "012345678905", "12345"},
        {3, "012345678905-7", "012345678905", "07"},
        {3, "012345678905-123", "012345678905", "00123"},
        {3, "012345678905-123456", "012345678905", "12345"},
        {3, "012345678905-", "012345678905", ""},
        {3, "012345678905 45", "012345678905", "45"},
        {3, "01234-56789 12", "01234", "56789"},         // the hyphen comes first
        {3, "  012345678905-7  ", "012345678905", "07"},
        {3, "012345678905-ab", "012345678905", "ab"},    // not a number: unchanged
        // EAN-8: L = 8; UPC-E: L = 7; EAN-13 and BookLand: L = 13.
        {6, "123456701", "1234567", "01"},
        {6, "1234567012345", "12345670", "12345"},
        {4, "012345612", "0123456", "12"},
        {7, "978014300723412", "9780143007234", "12"},
        {8, "97801430072345", "978014300723", "45"},
    };
    for (const auto& c : cases) {
        const LineMessage m = messageFromLine(c.line, c.code);
        EXPECT_EQ(m.message, c.message) << c.code << " " << c.line;
        ASSERT_TRUE(m.supplement.has_value()) << c.line;
        EXPECT_EQ(*m.supplement, c.supplement) << c.code << " " << c.line;
    }
}

TEST(NumberingDialog, ChecksBeforeApplying) {
    struct Case {
        const char* what;
        NumberingDialogValues v;
        const char* warning;  // nullptr: applied
    } cases[] = {
        {"fits", {123, 1, 3, "", "", IncTargetMessage, true}, nullptr},
        {"too few digits", {12345, 1, 4, "", "", IncTargetMessage, true},
         "Warning! - Number of Digits specified is less than the number of digits in the Starting Number"},
        {"no width is never too few", {12345, 1, 0, "", "", IncTargetMessage, true}, nullptr},
        {"switched off: not checked", {12345, 1, 4, "", "", IncTargetMessage, false}, nullptr},
        {"supplement of 2", {1, 1, 2, "", "", IncTargetSupplement, true}, nullptr},
        {"supplement of 5 with pre/postamble", {1, 1, 3, "9", "0", IncTargetSupplement, true}, nullptr},
        {"supplement of 4", {1, 1, 3, "9", "", IncTargetSupplement, true},
         "Warning! - The total number of digits (including Pre/Postambles) for UPC/EAN Supplements must add "
         "up to either 2 or 5."},
    };
    for (const auto& c : cases) {
        Session a;
        a.run("[CODE128][MESSAGE='BEFORE']");
        const auto warning = applyNumberingDialog(a.app, c.v);
        if (c.warning) {
            ASSERT_TRUE(warning.has_value()) << c.what;
            EXPECT_EQ(*warning, c.warning) << c.what;
            EXPECT_EQ(a.s().message, "BEFORE") << c.what;
            EXPECT_FALSE(a.s().numbering.incEnabled) << c.what;
            EXPECT_FALSE(a.app.window.nextPrevVisible) << c.what;
            ASSERT_EQ(a.ui.messages.size(), 1u) << c.what;
        } else {
            EXPECT_FALSE(warning.has_value()) << c.what;
            EXPECT_EQ(a.s().numbering.incEnabled, c.v.enabled) << c.what;
            EXPECT_EQ(a.app.window.nextPrevVisible, c.v.enabled) << c.what;
            const std::string expected = c.v.preamble + formatCounter(c.v.start, c.v.digits) + c.v.postamble;
            if (c.v.enabled)
                EXPECT_EQ(c.v.target == IncTargetSupplement ? a.s().supplement : a.s().message, expected) << c.what;
            else
                EXPECT_EQ(a.s().message, "BEFORE") << c.what;
        }
    }
}

TEST(Counter, Format) {
    struct Case {
        double number, width;
        const char* text;
    } cases[] = {
        {1, 4, "0001"}, {123456, 4, "3456"}, {7, 0, "7"}, {0, 0, "0"}, {-5, 0, "-5"},
        {-5, 3, "005"}, {2.5, 0, "3"}, {2.4999, 2, "02"}, {1e15, 0, "1000000000000000"}, {42, 2.4, "42"},
    };
    for (const auto& c : cases) EXPECT_EQ(formatCounter(c.number, c.width), c.text) << c.number << " " << c.width;
}

}  // namespace
}  // namespace quillet
