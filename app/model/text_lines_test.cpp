// Lines of message and batch files, read from the file's own bytes.
#include <gtest/gtest.h>

#include "app/model/text_lines.h"

namespace quillet {
namespace {

std::vector<std::string> allLines(const TextLines& lines) {
    std::vector<std::string> out;
    for (size_t i = 0; i < lines.count; ++i) out.emplace_back(textLine(lines, i));
    return out;
}

// The same lines read in order, as a batch reads them.
std::vector<std::string> linesInOrder(const TextLines& lines) {
    std::vector<std::string> out;
    size_t next = 0;
    for (size_t i = 0; i < lines.count; ++i) out.emplace_back(nextTextLine(lines, next));
    EXPECT_EQ(next, lines.bytes.size());
    EXPECT_EQ(nextTextLine(lines, next), "");  // past the end: nothing, and no move
    EXPECT_EQ(next, lines.bytes.size());
    return out;
}

TEST(TextLines, EveryLineEndSplitsOnce) {
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"one\n", {"one"}},
        {"one\r\ntwo\rthree\nfour", {"one", "two", "three", "four"}},
        {"\n", {""}},
        {"\n\n", {"", ""}},
        {"\r\n\r\n", {"", ""}},
        {"\n\r", {"", ""}},  // LF then CR: two line ends
        {"a\r\r\nb", {"a", "", "b"}},
        {"  spaced  \r\n", {"  spaced  "}},
        {std::string("nul\0byte\n", 9), {std::string("nul\0byte", 8)}},
    };
    for (const auto& c : cases) {
        const TextLines lines = indexTextLines(c.bytes);
        EXPECT_EQ(allLines(lines), c.lines) << c.bytes;
        EXPECT_EQ(linesInOrder(lines), c.lines) << c.bytes;
    }
}

TEST(TextLines, AnyLineIsFoundPastTheIndexMarks) {
    const char* ends[] = {"\n", "\r\n", "\r"};
    std::string file;
    const size_t n = 5 * kTextLineMarkStep + 7;
    // An empty line ends with CR LF: after a CR, a bare LF would join it.
    for (size_t i = 0; i < n; ++i) file += i % 5 == 0 ? std::string("\r\n") : "line-" + std::to_string(i) + ends[i % 3];
    const TextLines lines = indexTextLines(file);
    ASSERT_EQ(lines.count, n);
    // Backwards, as Previous steps.
    for (size_t i = n; i-- > 0;) EXPECT_EQ(textLine(lines, i), i % 5 == 0 ? "" : "line-" + std::to_string(i)) << i;
    EXPECT_EQ(textLine(lines, n), "");  // past the end: nothing
}

TEST(TextLines, MillionsOfEmptyLinesCostLessThanAByteEachBeyondTheFile) {
    const size_t n = 2'000'000;
    const TextLines lines = indexTextLines(std::string(n, '\n'));
    ASSERT_EQ(lines.count, n);
    EXPECT_LT(lines.marks.capacity() * sizeof(size_t), n);
    EXPECT_EQ(textLine(lines, n - 1), "");
}

}  // namespace
}  // namespace quillet
