// Character widths and the published tables behind them.
#include <gtest/gtest.h>

#include <set>

#include "stripegen/databar_symbols.h"
#include "stripegen/databar_tables.h"
#include "stripegen/databar_widths.h"

using namespace stripegen;

namespace {

int sum(const int* w, int n, int step = 1, int from = 0) {
    int s = 0;
    for (int i = from; i < n; i += step) s += w[i];
    return s;
}

int widest(const int* w, int n, int from) {
    int m = 0;
    for (int i = from; i < n; i += 2) m = std::max(m, w[i]);
    return m;
}

bool hasNarrow(const int* w, int n, int from) {
    for (int i = from; i < n; i += 2)
        if (w[i] == 1) return true;
    return false;
}

}  // namespace

TEST(DataBarTables, WeightsArePowersOfThree) {
    int p = 1;
    for (int c = 0; c < 4; ++c)
        for (int e = 0; e < 8; ++e) {
            EXPECT_EQ(kRss14Weights[c][e], p) << c << "," << e;
            p = p * 3 % 79;
        }
    p = 1;
    for (int e = 0; e < 28; ++e) {
        EXPECT_EQ(kLimitedWeights[e], p) << e;
        p = p * 3 % 89;
    }
}

TEST(DataBarTables, GroupsTileTheValueRanges) {
    struct Set {
        const CharGroup* groups;
        int count;
        int end;
        int modules;
    } sets[] = {{kOuterGroups, 5, 2841, 16}, {kInnerGroups, 4, 1597, 15}, {kLimitedGroups, 7, 2013571, 26}};
    for (const Set& s : sets) {
        for (int g = 0; g < s.count; ++g) {
            int next = g + 1 < s.count ? s.groups[g + 1].first : s.end;
            EXPECT_EQ(s.groups[g].first + s.groups[g].tOdd * s.groups[g].tEven, next) << g;
            EXPECT_EQ(s.groups[g].oddModules + s.groups[g].evenModules, s.modules) << g;
        }
    }
    for (const auto& f : kFinderPatterns) EXPECT_EQ(f[0] + f[1] + f[2] + f[3] + f[4], 15);
}

// Every character value gives widths with the module count, widest element
// and narrow-element rule of its group, and distinct values give distinct
// widths.
TEST(DataBarCharacters, EveryOmniCharacterKeepsItsGroupRules) {
    for (int outer = 0; outer < 2; ++outer) {
        int count = outer ? 2841 : 1597;
        std::set<std::vector<int>> seen;
        size_t checked = 0;
        for (int v = 0; v < count; ++v) {
            // Place the value as the first (outer) or second (inner) character.
            uint64_t value = outer ? uint64_t(v) * 1597 * 4537077 : uint64_t(v) * 4537077;
            if (value > 19999999999999ull) continue;
            Rss14Symbol s = encodeRss14(value);
            int c = outer ? 0 : 1;
            ASSERT_EQ(s.values[c], v);
            const int* w = s.widths[c];
            const CharGroup* groups = outer ? kOuterGroups : kInnerGroups;
            int g = 0;
            while (g + 1 < (outer ? 5 : 4) && v >= groups[g + 1].first) ++g;
            SCOPED_TRACE(v);
            ASSERT_EQ(sum(w, 8), outer ? 16 : 15);
            EXPECT_EQ(sum(w, 8, 2, 0), groups[g].oddModules);
            EXPECT_LE(widest(w, 8, 0), groups[g].widestOdd);
            EXPECT_LE(widest(w, 8, 1), groups[g].widestEven);
            // Outer characters need a narrow even element, inner ones a narrow odd one.
            EXPECT_TRUE(hasNarrow(w, 8, outer ? 1 : 0));
            seen.insert(std::vector<int>(w, w + 8));
            ++checked;
        }
        EXPECT_GT(checked, outer ? 2700u : 1596u);
        EXPECT_EQ(seen.size(), checked);  // no two values share their widths
    }
}

TEST(DataBarCharacters, LimitedCharactersAcrossTheRange) {
    std::set<std::vector<int>> seen;
    int checked = 0;
    for (uint64_t value = 0; value <= 1999999999999ull; value += 7919 * 104729ull + 12345) {
        LimitedSymbol s = encodeLimited(value);
        for (int c = 0; c < 2; ++c) {
            const int* w = s.widths[c];
            int v = s.values[c];
            int g = 0;
            while (g + 1 < 7 && v >= kLimitedGroups[g + 1].first) ++g;
            SCOPED_TRACE(v);
            ASSERT_EQ(sum(w, 14), 26);
            EXPECT_EQ(sum(w, 14, 2, 0), kLimitedGroups[g].oddModules);
            EXPECT_LE(widest(w, 14, 0), kLimitedGroups[g].widestOdd);
            EXPECT_LE(widest(w, 14, 1), kLimitedGroups[g].widestEven);
            EXPECT_TRUE(hasNarrow(w, 14, 1));
            seen.insert(std::vector<int>(w, w + 14));
        }
        int check = 0;
        for (int c = 0; c < 2; ++c)
            for (int e = 0; e < 14; ++e) check += s.widths[c][e] * kLimitedWeights[14 * c + e];
        EXPECT_EQ(s.checksum, check % 89);
        ++checked;
    }
    EXPECT_GT(checked, 1000);
    // Every group of the Limited table is reached by a boundary value.
    for (int g = 0; g < 7; ++g) {
        int v = kLimitedGroups[g].first;
        LimitedSymbol s = encodeLimited(uint64_t(v));
        EXPECT_EQ(s.values[1], v);
        EXPECT_EQ(sum(s.widths[1], 14, 2, 0), kLimitedGroups[g].oddModules) << g;
    }
}

// Ranks of the width sets follow the count of admissible sets: the last rank
// of a group is its widest odd set, the first its narrowest.
TEST(DataBarCharacters, WidthRanksRunFromTheNarrowestSet) {
    int w[4];
    characterWidths(0, 12, 4, 8, true, w);
    EXPECT_EQ((std::vector<int>(w, w + 4)), (std::vector<int>{1, 1, 2, 8}));
    characterWidths(160, 12, 4, 8, true, w);
    EXPECT_EQ((std::vector<int>(w, w + 4)), (std::vector<int>{8, 2, 1, 1}));
    characterWidths(0, 4, 4, 1, false, w);
    EXPECT_EQ((std::vector<int>(w, w + 4)), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(combinations(17, 5), 6188);
    EXPECT_EQ(combinations(3, 5), 0);
}
