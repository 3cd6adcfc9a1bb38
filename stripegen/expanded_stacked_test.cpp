// GS1 DataBar Expanded Stacked against an independent encoder (bwip-js) for
// every even number of segments per row, and read back by zxing-cpp.
#include <gtest/gtest.h>

#include <set>

#include "stripegen/expanded_bits.h"
#include "stripegen/expanded_stacked.h"
#include "stripegen/oracle_data.h"
#include "stripegen/stripegen_test_util.h"

using namespace stripegen;
using namespace stripegen::test;

namespace {

std::string moduleText(const ExpandedLine& l) {
    std::string m;
    bool dark = l.darkFirst;
    for (uint8_t w : l.widths) {
        m.append(w, dark ? '1' : '0');
        dark = !dark;
    }
    while (!m.empty() && m.back() == '0') m.pop_back();
    return m;
}

struct OracleStacked {
    std::string message;
    int segments = 0;
    std::vector<std::string> rows;
};

std::vector<OracleStacked> oracleStacked() {
    std::vector<OracleStacked> out;
    std::vector<std::string> lines = dataLines("expanded_stacked_bwipjs.txt");
    for (size_t i = 0; i < lines.size(); ++i) {
        std::istringstream s(lines[i]);
        std::string tag;
        size_t count = 0;
        OracleStacked o;
        s >> tag >> o.message >> o.segments >> count;
        if (tag != "stacked") continue;
        for (char& c : o.message)
            if (c == '^') c = '\x1d';
        for (size_t r = 0; r < count && i + 1 < lines.size(); ++r) o.rows.push_back(hexToModules(lines[++i]));
        out.push_back(o);
    }
    return out;
}

}  // namespace

TEST(ExpandedStackedOracle, RowsAndSeparatorsEqualTheIndependentEncoders) {
    std::set<int> segmentCounts;
    int multiRow = 0;
    for (const OracleStacked& o : oracleStacked()) {
        SCOPED_TRACE(o.message + ", " + std::to_string(o.segments) + " segments");
        ExpandedBits b = encodeExpandedBits(o.message, false, o.segments);
        ASSERT_TRUE(b.ok);
        std::vector<std::string> ours;
        for (const ExpandedLine& l : expandedStackedLines(encodeExpanded(b.bits), o.segments))
            ours.push_back(moduleText(l));
        EXPECT_EQ(ours, o.rows);
        segmentCounts.insert(o.segments);
        if (o.rows.size() > 1) ++multiRow;
    }
    EXPECT_EQ(segmentCounts.size(), 11u);
    EXPECT_GT(multiRow, 40);
}

// Drawn with rows 34 modules and separators 1 module high, read by zxing-cpp.
TEST(ExpandedStackedDecode, TwoFourAndSixSegmentsReadBack) {
    int read = 0;
    for (int segments : {2, 4, 6})
        for (const std::string& message : {std::string("10AB"), std::string("0100012345678905" "10ABC123"),
                                           std::string("91") + std::string(40, '7') + "ABCDEFabcdef"}) {
            SCOPED_TRACE(message + ", " + std::to_string(segments) + " segments");
            ExpandedBits b = encodeExpandedBits(message, false, segments);
            ASSERT_TRUE(b.ok);
            std::vector<Row> rows;
            std::vector<int> heights;
            for (const ExpandedLine& l : expandedStackedLines(encodeExpanded(b.bits), segments)) {
                Row r(l.widths.begin(), l.widths.end());
                if (l.darkFirst) r.insert(r.begin(), 0);  // renderRows draws light first
                heights.push_back(heights.size() % 4 == 0 ? 34 : 1);
                rows.push_back(r);
            }
            auto d = quillet::test::decode(renderRows(rows, heights, 3), "DataBarExpanded");
            ASSERT_TRUE(d.ok);
            EXPECT_EQ(d.text, humanReadable(message));
            EXPECT_EQ(d.symbologyId, "]e0");
            ++read;
        }
    EXPECT_EQ(read, 9);
}

// The export: statuses, what it writes and what it leaves alone.
TEST(ExpandedInterface, StatusesLinesAndTheirLayout) {
    struct Refused { std::string message; int32_t segments; int32_t status; };
    for (const Refused& r : {Refused{"10AB", 3, 3}, Refused{"10AB", 0, 3}, Refused{"10AB", 24, 3},
                             Refused{"10AB|21C", 2, 3}, Refused{"10A~", 4, 2}, Refused{std::string(90, 'x'), 22, 2},
                             Refused{"|21C", 4, 2}}) {
        SCOPED_TRACE(r.message + " " + std::to_string(r.segments));
        Expanded e = callExpanded(r.message, r.segments);
        EXPECT_EQ(e.status, r.status);
        EXPECT_TRUE(e.lines.untouched());
        EXPECT_EQ(e.lineCount, -1);
    }
    // A single row: the symbol's pattern, light first.
    const std::string message = "0100012345678905" "10ABC123";
    Expanded one = callExpanded(message, 22);
    ASSERT_EQ(one.status, 0);
    ASSERT_EQ(one.lineCount, 1);
    Widths pattern = expandedPattern(encodeExpanded(encodeExpandedBits(message, false).bits));
    EXPECT_EQ(one.line(0), Row(pattern.begin(), pattern.end()));
    EXPECT_EQ(one.darkFirst[0], 0);
    // Stacked: rows at lines 0, 4, 8, ...; every line as wide as the row above it
    // or narrower (the last row); separators begin light.
    for (int32_t segments : {2, 4, 6}) {
        Expanded e = callExpanded(message, segments);
        ASSERT_EQ(e.status, 0);
        ASSERT_EQ(e.lineCount % 4, 1);
        const int rows = (e.lineCount + 3) / 4;
        EXPECT_EQ(rows, (10 + segments - 1) / segments);  // 10 symbol characters
        for (int i = 0; i < e.lineCount; ++i) {
            EXPECT_GT(e.elements[size_t(i)], 0) << i;
            if (i % 4 != 0) EXPECT_EQ(e.darkFirst[size_t(i)], 0) << i;
        }
        EXPECT_EQ(moduleCount(e.line(0)), 2 + 49 * (segments / 2) + 2) << segments;
        EXPECT_EQ(e.elements[size_t(e.lineCount)], -1);  // nothing past the last line
    }
    // Null pointers are skipped.
    std::string m = message;
    char* mp = m.data();
    EXPECT_EQ(RSSExpPattern(&mp, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr),
              0);
    EXPECT_EQ(RSSExpPattern(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr),
              2);  // no data
    // A composite message the component cannot hold: the symbol is written, the component is not.
    Expanded bad = callExpanded("10AB|21A~", 4);
    EXPECT_EQ(bad.status, 1);
    EXPECT_FALSE(bad.lines.untouched());
    EXPECT_TRUE(bad.rows.untouched());
    EXPECT_EQ(bad.rowCount, -1);
}

// With composite components: component rows at the offset given (one
// module in over Expanded, centred over Expanded Stacked's top row, as the
// independent encoder places them), the composite separator, then the
// symbol's lines, equal to the independent encoder's rows.
TEST(ExpandedCompositeOracle, ComponentSeparatorAndLinesEqualTheIndependentEncoders) {
    std::vector<std::string> lines = dataLines("expanded_composite_bwipjs.txt");
    int compared = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::istringstream s(lines[i]);
        std::string tag, message;
        int32_t segments = 0;
        size_t count = 0;
        s >> tag >> message >> segments >> count;
        if (tag != "stacked") continue;
        std::vector<std::string> theirs;
        for (size_t r = 0; r < count && i + 1 < lines.size(); ++r) theirs.push_back(hexToModules(lines[++i]));
        for (char& c : message)
            if (c == '^') c = '\x1d';
        SCOPED_TRACE(message + ", " + std::to_string(segments) + " segments");
        Expanded e = callExpanded(message, segments);
        ASSERT_EQ(e.status, 0);
        ASSERT_EQ(e.perRow, 53);
        std::vector<std::string> ours;
        Row all = e.rows.widths();
        for (int r = 0; r < e.rowCount; ++r) {
            ExpandedLine l;
            l.widths.assign(all.begin() + r * e.perRow, all.begin() + (r + 1) * e.perRow);
            ours.push_back(std::string(size_t(e.offset), '0') + moduleText(l));
        }
        ExpandedLine sep;
        Row sepWidths = e.separator.widths();
        sep.widths.assign(sepWidths.begin(), sepWidths.end());
        ours.push_back(moduleText(sep));
        for (int k = 0; k < e.lineCount; ++k) {
            ExpandedLine l;
            Row w = e.line(k);
            l.widths.assign(w.begin(), w.end());
            l.darkFirst = e.darkFirst[size_t(k)] == 1;
            ours.push_back(moduleText(l));
        }
        EXPECT_EQ(ours, theirs);
        ++compared;
    }
    EXPECT_GT(compared, 40);
}
