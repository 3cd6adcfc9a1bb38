// The configuration file's line table: it covers the file's 87 lines in
// order with their groups, and the writer and reader built on it keep every
// line's reading rules: ranges, normalised values, any decimal notation.
#include <gtest/gtest.h>

#include "app/automation/automation_session.h"
#include "app/automation/config_lines.h"

namespace quillet {
namespace {

std::vector<std::string> fileLines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t pos = 0, end; (end = text.find("\r\n", pos)) != std::string::npos; pos = end + 2)
        lines.push_back(text.substr(pos, end - pos));
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    return text;
}

TEST(ConfigLines, EveryLineOnceInOrderWithItsGroup) {
    const auto lines = configLines();
    ASSERT_EQ(lines.size(), 87u);
    for (size_t i = 0; i < lines.size(); ++i) {
        const ConfigLine& l = lines[i];
        const int n = int(i) + 1;
        EXPECT_EQ(l.line, n);
        const LineGroup group = n <= 63   ? LineGroup::Main
                                : n <= 67 ? LineGroup::AlignAztec
                                : n <= 70 ? LineGroup::DataMatrix
                                : n <= 80 ? LineGroup::Raster
                                : n <= 83 ? LineGroup::Qr
                                          : n <= 85 ? LineGroup::DataBarExpanded
                                          : LineGroup::TextModes;
        EXPECT_EQ(l.group, group) << "line " << n;
        switch (l.kind) {
        case LineKind::Text:
        case LineKind::Length: EXPECT_NE(l.text, nullptr) << "line " << n; break;
        case LineKind::Integer:
        case LineKind::Flag:
        case LineKind::Single:
        case LineKind::Double:
            EXPECT_NE(l.number.get, nullptr) << "line " << n;
            EXPECT_LT(l.lo, l.hi) << "line " << n;
            break;
        default: break;
        }
    }
    EXPECT_EQ(lines[0].kind, LineKind::Header);
    EXPECT_EQ(lines[62].kind, LineKind::Raw);
}

TEST(ConfigLines, EachLineKeepsItsReadingRules) {
    test::Session source;
    const std::vector<std::string> base = fileLines(configurationText(recordFromSettings(source.app)));
    ASSERT_EQ(base.size(), 87u);
    struct Case {
        int line;
        std::string value;
        bool accepted;
        std::string writtenBack = {};  // empty: the value itself
    } cases[] = {
        // Ranges.
        {4, "-1", false}, {4, " 0", true}, {4, " 2", true}, {4, " 3", false},
        {6, " 0", false}, {6, " 1", true}, {6, " 25", true}, {6, " 26", false},
        {15, " 0", false}, {15, " 1638", true}, {15, " 1639", false},
        {23, " 3", false}, {24, " 2", false}, {27, " 11", false},
        {32, " 9", true}, {32, " 10", false}, {33, " 3", false}, {34, " 5", false},
        {35, " 99", true}, {35, " 100", false},
        {37, " 99999", true}, {37, " 100000", false},
        {41, " 16777215", true}, {41, " 16777216", false}, {41, "-1", false},
        {44, " 2", false}, {44, " 3", true}, {44, " 91", false}, {45, " 0", false}, {45, " 31", false},
        {47, " 11", false}, {49, " 31", true}, {49, " 32", false},
        {59, "-1", false}, {59, " 3072", true}, {59, " 3073", false},
        {60, " 1099511627777", false},
        {64, " 3", false},
        {65, " 100", false}, {65, " 101", true}, {65, " 105", false}, {65, " 232", true}, {65, " 233", false},
        {68, " 7", false}, {68, " 26", true}, {68, " 27", false},
        {69, " 8", false}, {69, " 62", true}, {69, " 247", false}, {69, " 248", false},
        {71, " 2", false}, {71, " 8", true}, {71, " 25", false},
        {72, " 19", false}, {72, " 1441", false}, {73, " 101", false},
        {74, " 3", false}, {74, " 10", true}, {74, " 11", false},
        {78, " 5", false}, {81, " 0", false}, {81, " 11", false}, {82, " 4", false}, {83, " 0", false}, {83, " 4", false},
        {84, " 0", false}, {84, " 27", true}, {84, " 28", false}, {85, " 0", false}, {85, " 2", true},
        {85, " 3", false}, {85, " 22", true}, {85, " 24", false},
        // Values the reader normalises.
        {5, " 7", true, "-1"}, {10, "3", true, "-1"}, {67, " 2", true, "-1"},
        {12, " 5", true, " 0"}, {12, " 2540", true},
        {37, " 0", true, " 300"}, {38, "-5", true, " 300"},
        {48, "-3", true, " 1"}, {75, " 7", true, " 1"}, {79, "-1", true, " 1"},
        {11, " 3", true},
        // Any decimal notation, whole numbers rounded half to even.
        {6, " 1.3e1", true, " 13"}, {6, "  12.5  ", true, " 12"}, {54, "-3.4e38", true, "-3.4e+38"},
        {54, " 1e39", false}, {6, "", false}, {6, "0x10", false},
        // Lines written but not read back: copies and reserved zeros.
        {9, " 2540", true, " 1000"}, {9, "x", false}, {22, "-1", true, " 0"}, {26, " 5", true, " 0"},
        {80, "anything", true, " 0"},
        // The UTF-8 character set and the GS1 mode.
        {86, "-1", true}, {86, " 3", true, "-1"}, {86, "on", false}, {87, "-1", true}, {87, "x", false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = base;
        lines[size_t(c.line - 1)] = c.value;
        const ConfigParse parse = parseConfiguration(joinLines(lines));
        if (!c.accepted) {
            EXPECT_EQ(parse.problem, ConfigProblem::BadValue) << "line " << c.line << " '" << c.value << "'";
            EXPECT_EQ(parse.line, c.line) << "line " << c.line << " '" << c.value << "'";
            continue;
        }
        ASSERT_EQ(parse.problem, ConfigProblem::None) << "line " << c.line << " '" << c.value << "'";
        const std::vector<std::string> again = fileLines(configurationText(parse.record));
        ASSERT_EQ(again.size(), 87u);
        EXPECT_EQ(again[size_t(c.line - 1)], c.writtenBack.empty() ? c.value : c.writtenBack)
            << "line " << c.line << " '" << c.value << "'";
    }
}

TEST(ConfigLines, LineEndsInTextLinesAreWrittenAsSpaces) {
    test::Session a;
    ConfigRecord r = recordFromSettings(a.app);
    r.fontName = "Odd\r\nFont";
    r.messageFilePath = "a\nb";
    r.comment = "one\rtwo";
    const std::vector<std::string> lines = fileLines(configurationText(r));
    ASSERT_EQ(lines.size(), 87u);
    EXPECT_EQ(lines[1], "a b");
    EXPECT_EQ(lines[13], "Odd  Font");
    EXPECT_EQ(lines[62], "one two");
}

}  // namespace
}  // namespace quillet
