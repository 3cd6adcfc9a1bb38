// The bar pattern file: widths of a built symbol's elements, checked
// against the published element patterns of the symbologies.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/render/bar_pattern_file.h"
#include "app/render/output_test_util.h"

namespace quillet {
namespace {

using test::OutputHarness;

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<int> values(const std::string& line) {
    std::istringstream in(line);
    std::vector<int> v;
    int n;
    while (in >> n) v.push_back(n);
    return v;
}

// Code 39 characters as narrow (n) and wide (w) elements, bar first.
const char* const kCode39Star = "nwnnwnwnn";
const char* const kCode39A = "wnnnnwnnw";

// "*A*" with a narrow gap between characters and the 9-module margins.
std::vector<int> code39StarAStar(int margin, int narrow, int wide) {
    std::vector<int> v = {margin};
    const char* chars[] = {kCode39Star, kCode39A, kCode39Star};
    for (int i = 0; i < 3; ++i) {
        if (i) v.push_back(narrow);
        for (const char* p = chars[i]; *p; ++p) v.push_back(*p == 'n' ? narrow : wide);
    }
    v.push_back(margin);
    v.push_back(0);
    return v;
}

TEST(BarPatternFile, WidthsInTheUnitOfTheMeasurement) {
    struct Case { std::string name; int unitMode; float narrow; float ratio; std::vector<int> expected; };
    // 13 mils stored as 33.02 units: X = 33; wide = round(33.02 x 2.5) = 83
    // (the integer X would give 82.5 -> 82).
    for (const Case& c : {Case{"mils", 1000, 33.02f, 2.5f, code39StarAStar(117, 13, 33)},
                          Case{"metric", 2540, 33.02f, 2.5f, code39StarAStar(297, 33, 83)},
                          Case{"dots", 0, 33.02f, 2.5f, code39StarAStar(297, 33, 83)},
                          Case{"ratio3", 2540, 25.0f, 3.0f, code39StarAStar(225, 25, 75)}}) {
        OutputHarness h;
        h.app.settings.narrowWidth = c.narrow;
        h.app.settings.ratio = c.ratio;
        ASSERT_TRUE(h.build(1, "A")) << c.name;
        h.app.settings.unitMode = c.unitMode;
        const std::string out = h.path("a.dbp");
        ASSERT_TRUE(writeBarPatternFile(h.app, out)) << c.name;
        const std::string text = fileText(out);
        EXPECT_EQ(values(text), c.expected) << c.name;
        EXPECT_EQ(text.substr(0, 5), " " + std::to_string(c.expected[0]) + " ") << c.name;
        EXPECT_EQ(text.substr(text.size() - 6), "  0 \r\n") << c.name;
    }
}

TEST(BarPatternFile, UpcEanKeepsItsOwnMarginsOnly) {
    OutputHarness h;
    h.app.settings.narrowWidth = 33.02f;
    h.app.settings.unitMode = 2540;
    ASSERT_TRUE(h.build(7, "501234567890"));
    const std::string out = h.path("e.dbp");
    ASSERT_TRUE(writeBarPatternFile(h.app, out));
    auto v = values(fileText(out));
    ASSERT_EQ(v.size(), h.app.output.barPattern.size() + 1) << h.app.output.barPattern;
    // Margin, then the start guard bar-space-bar; the stop guard, margin, 0.
    EXPECT_EQ(std::vector<int>(v.begin(), v.begin() + 4), (std::vector<int>{297, 33, 33, 33}));
    EXPECT_EQ(std::vector<int>(v.end() - 5, v.end()), (std::vector<int>{33, 33, 33, 297, 0}));
    // 95 modules between the margins (elements of 1/13 adjusted widths
    // count as their nearest whole number of modules).
    int modules = 0;
    for (size_t i = 1; i + 2 < v.size(); ++i) modules += (v[i] + 16) / 33;
    EXPECT_EQ(modules, 95);
}

TEST(BarPatternFile, FourStateBarsAlternateWithTheirGaps) {
    struct Case { int unitMode; int bar, gap, margin; };
    for (Case c : {Case{2540, 50, 70, 297}, Case{1000, 20, 28, 117}}) {
        auto v = barPatternWidths("XWYZ", 33, 33.02f, 2.5f, 25, c.unitMode);
        ASSERT_TRUE(v.has_value());
        EXPECT_EQ(*v, (std::vector<int>{c.margin, c.bar, c.gap, c.bar, c.gap, c.bar, c.gap, c.bar, c.margin}));
    }
}

TEST(BarPatternFile, LineLayoutAndRange) {
    struct Case { std::vector<int> widths; std::string line; };
    for (const Case& c : {Case{{33, 33}, " 33  33  0 \r\n"}, Case{{}, " 0 \r\n"}, Case{{-5, 7}, "-5  7  0 \r\n"},
                          Case{{32767}, " 32767  0 \r\n"}})
        EXPECT_EQ(barPatternLine(c.widths), c.line);
    // The 1/13 letters and the wide elements from the stored width.
    auto v = barPatternWidths("CGDHEIFJ24", 26, 26.4f, 2.25f, 13, 2540);
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(*v, (std::vector<int>{234, 24, 24, 50, 50, 54, 54, 80, 80, 59, 59, 234}));
    // Widths past 16 bits are not written.
    EXPECT_FALSE(barPatternWidths("2", 1000, 1e6f, 3.0f, 1, 2540).has_value());
    EXPECT_FALSE(barPatternWidths("2", 1000, 20000.0f, 2.0f, 1, 2540).has_value());
    EXPECT_TRUE(barPatternWidths("2", 1000, 16383.0f, 2.0f, 1, 2540).has_value());
}

struct ChoosingUi : platform::HeadlessUserInterface {
    std::optional<std::string> choice;
    std::vector<std::string> offered, titles, filters;
    std::optional<std::string> fileDialog(bool save, const std::string& title, const std::string& filter,
                                          const std::string& initial) override {
        EXPECT_TRUE(save);
        titles.push_back(title);
        filters.push_back(filter);
        offered.push_back(initial);
        return choice;
    }
};

TEST(BarPatternFile, SaveCommandAsksRemembersAndWrites) {
    OutputHarness h;
    ChoosingUi ui;
    ui.echo = false;
    h.app.ui = &ui;
    ASSERT_TRUE(h.build(1, "A"));
    EXPECT_FALSE(dbpSave_Click(h.app));  // cancelled: nothing written
    const std::string first = h.path("first.dbp"), second = h.path("second.dat");
    ui.choice = first;
    EXPECT_TRUE(dbpSave_Click(h.app));
    ui.choice = second;
    EXPECT_TRUE(dbpSave_Click(h.app));
    ASSERT_EQ(ui.offered.size(), 3u);
    EXPECT_EQ(ui.offered[2], first);
    EXPECT_EQ(ui.titles[0], "Save Bar Pattern As");
    EXPECT_EQ(ui.filters[0],
              "Bar Pattern (*.dbp)|*.dbp|DATA Files (*.dat)|*.dat|PRN Files (*.prn)|*.prn|All Files (*.*)|*.*");
    EXPECT_EQ(fileText(first), fileText(second));
    EXPECT_FALSE(fileText(first).empty());
    // An unwritable name writes nothing and says nothing.
    ui.choice = h.path("no/such/dir/x.dbp");
    EXPECT_FALSE(dbpSave_Click(h.app));
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace quillet
