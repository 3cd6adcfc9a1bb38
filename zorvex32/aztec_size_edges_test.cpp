// The longest message of each automatically chosen size, for text of mixed
// modes, digits and bytes: that length keeps its size and data word count,
// one character more moves to a larger symbol.
#include <gtest/gtest.h>

#include <string>

#include "zorvex32/aztec_symbol.h"

namespace zorvex {
namespace {

enum Family { Text, Digits, Bytes };

std::string message(Family f, int length) {
    const std::string piece = f == Text ? "Aztec Code bench 0123456789 ABC xyz. " : f == Digits ? "7" : "\xe4";
    std::string s;
    while (int(s.size()) < length) s += piece;
    s.resize(size_t(length));
    return s;
}

struct Edge {
    int family;
    int sizeSpec;
    int longest;  // characters
    bool compact;
    int layers;
    int dataWords;
};

const Edge kEdges[] = {
        {0, 0, 10, true, 1, 10}, {0, 0, 32, true, 2, 28}, {0, 0, 54, true, 3, 37},
        {0, 0, 83, true, 4, 57}, {0, 0, 98, false, 4, 66}, {0, 0, 135, false, 5, 90},
        {0, 0, 177, false, 6, 118}, {0, 0, 222, false, 7, 148}, {0, 0, 273, false, 8, 183},
        {0, 0, 329, false, 9, 176}, {0, 0, 388, false, 10, 208}, {0, 0, 453, false, 11, 242},
        {0, 0, 523, false, 12, 279}, {0, 0, 597, false, 13, 319}, {0, 0, 675, false, 14, 361},
        {0, 0, 759, false, 15, 405}, {0, 0, 848, false, 16, 452}, {0, 0, 939, false, 17, 501},
        {0, 0, 1037, false, 18, 553}, {0, 0, 1140, false, 19, 607}, {0, 0, 1246, false, 20, 664},
        {0, 0, 1357, false, 21, 723}, {0, 0, 1473, false, 22, 784}, {0, 0, 1592, false, 23, 707},
        {0, 0, 1717, false, 24, 763}, {0, 0, 1847, false, 25, 820}, {0, 0, 1981, false, 26, 880},
        {0, 0, 2119, false, 27, 941}, {0, 0, 2263, false, 28, 1005}, {0, 0, 2411, false, 29, 1070},
        {0, 0, 2563, false, 30, 1138}, {0, 0, 2721, false, 31, 1208}, {0, 0, 2884, false, 32, 1280},
        {1, 0, 14, true, 1, 11}, {1, 0, 40, true, 2, 28}, {1, 0, 72, true, 3, 37},
        {1, 0, 111, true, 4, 57}, {1, 0, 129, false, 4, 66}, {1, 0, 179, false, 5, 91},
        {1, 0, 234, false, 6, 118}, {1, 0, 296, false, 7, 149}, {1, 0, 363, false, 8, 183},
        {1, 0, 437, false, 9, 176}, {1, 0, 517, false, 10, 208}, {1, 0, 604, false, 11, 243},
        {1, 0, 696, false, 12, 279}, {1, 0, 795, false, 13, 319}, {1, 0, 899, false, 14, 361},
        {1, 0, 1010, false, 15, 405}, {1, 0, 1127, false, 16, 452}, {1, 0, 1250, false, 17, 501},
        {1, 0, 1380, false, 18, 553}, {1, 0, 1515, false, 19, 607}, {1, 0, 1657, false, 20, 664},
        {1, 0, 1805, false, 21, 723}, {1, 0, 1959, false, 22, 785}, {1, 0, 2119, false, 23, 707},
        {1, 0, 2285, false, 24, 763}, {1, 0, 2458, false, 25, 820}, {1, 0, 2636, false, 26, 880},
        {1, 0, 2821, false, 27, 941}, {1, 0, 3012, false, 28, 1005}, {1, 0, 3209, false, 29, 1071},
        {1, 0, 3413, false, 30, 1139}, {1, 0, 3622, false, 31, 1208}, {1, 0, 3838, false, 32, 1280},
        {2, 36, 7, true, 1, 12}, {2, 36, 17, true, 2, 25}, {2, 36, 31, true, 3, 33},
        {2, 36, 45, true, 4, 48}, {2, 36, 53, false, 4, 56}, {2, 36, 74, false, 5, 77},
        {2, 36, 97, false, 6, 100}, {2, 36, 122, false, 7, 125}, {2, 36, 150, false, 8, 153},
        {2, 36, 181, false, 9, 147}, {2, 36, 214, false, 10, 174}, {2, 36, 250, false, 11, 203},
        {2, 36, 289, false, 12, 234}, {2, 36, 330, false, 13, 267}, {2, 36, 373, false, 14, 301},
        {2, 36, 419, false, 15, 338}, {2, 36, 468, false, 16, 377}, {2, 36, 519, false, 17, 418},
        {2, 36, 573, false, 18, 461}, {2, 36, 629, false, 19, 506}, {2, 36, 688, false, 20, 553},
        {2, 36, 749, false, 21, 602}, {2, 36, 813, false, 22, 653}, {2, 36, 880, false, 23, 589},
        {2, 36, 949, false, 24, 635}, {2, 36, 1021, false, 25, 683}, {2, 36, 1095, false, 26, 732},
        {2, 36, 1172, false, 27, 784}, {2, 36, 1251, false, 28, 836}, {2, 36, 1333, false, 29, 891},
        {2, 36, 1418, false, 30, 948}, {2, 36, 1505, false, 31, 1006}, {2, 36, 1594, false, 32, 1065},
};

TEST(AztecSizeEdges, LongestMessageOfEachAutomaticSize) {
    for (const Edge& e : kEdges) {
        const Family f = Family(e.family);
        auto sym = encodeAztec(message(f, e.longest), e.sizeSpec, false);
        ASSERT_TRUE(sym.has_value()) << e.family << "/" << e.longest;
        EXPECT_EQ(sym->size.compact, e.compact) << e.family << "/" << e.longest;
        EXPECT_EQ(sym->size.layers, e.layers) << e.family << "/" << e.longest;
        EXPECT_EQ(int(sym->dataWords.size()), e.dataWords) << e.family << "/" << e.longest;
        EXPECT_GE(int(sym->checkWords.size()), kMinCheckWords) << e.family << "/" << e.longest;
        auto longer = encodeAztec(message(f, e.longest + 1), e.sizeSpec, false);
        if (!longer) continue;  // the largest symbol is full
        EXPECT_GT(longer->size.capacity, sym->size.capacity) << e.family << "/" << e.longest;
    }
}

// Every size is some family's edge, and each family ends at the largest
// symbol (no message one longer fits).
TEST(AztecSizeEdges, TableCoversEverySizeUpToTheLargest) {
    for (int family : {Text, Digits, Bytes}) {
        int lastLayers = 0, lastLongest = 0;
        bool compactSeen = false, fullSeen = false;
        for (const Edge& e : kEdges) {
            if (e.family != family) continue;
            EXPECT_GT(e.longest, lastLongest) << family;
            lastLongest = e.longest;
            lastLayers = e.layers;
            (e.compact ? compactSeen : fullSeen) = true;
        }
        EXPECT_TRUE(compactSeen) << family;
        EXPECT_TRUE(fullSeen) << family;
        EXPECT_EQ(lastLayers, 32) << family;
        EXPECT_FALSE(encodeAztec(message(Family(family), lastLongest + 1), family == Bytes ? 36 : 0, false))
            << family;
    }
}

}  // namespace
}  // namespace zorvex
