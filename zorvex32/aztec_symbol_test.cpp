#include "zorvex32/aztec_symbol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "zorvex32/aztec_test_util.h"

namespace zorvex {
namespace {

using test::decodeMatrix;

std::string printable(const std::string& s) {
    std::string out;
    for (unsigned char c : s.substr(0, 40)) out += c >= 32 && c < 127 ? std::string(1, char(c)) : "\\x" + std::to_string(c);
    return out;
}

// zxing-cpp 1.4 reads ten or more padding ones after the last code as a
// binary shift announcing 31 bytes, and returns 31 bytes read from beyond
// the data words, where a strict reader stops at the incomplete shift. Only
// 12-bit words leave that much padding; everything before must still match.
bool readerPaddingQuirk(const AztecSymbol& sym, const std::string& decoded, const std::string& msg) {
    return sym.size.wordBits == 12 && sym.padBits >= 10 && decoded.size() == msg.size() + 31 &&
           decoded.compare(0, msg.size(), msg) == 0;
}

// Encodes, decodes with the independent reader and compares byte for byte.
void expectRoundTrip(const std::string& msg, int sizeSpec = 0, bool menu = false) {
    auto sym = encodeAztec(msg, sizeSpec, menu);
    ASSERT_TRUE(sym.has_value()) << printable(msg) << " size selector " << sizeSpec;
    auto d = decodeMatrix(sym->matrix);
    ASSERT_TRUE(d.ok) << printable(msg) << " size selector " << sizeSpec << " side " << sym->size.side;
    if (readerPaddingQuirk(*sym, d.bytes, msg)) return;
    EXPECT_TRUE(d.bytes == msg) << printable(msg) << " size selector " << sizeSpec << ": decoded " << d.bytes.size()
                                << " bytes of " << msg.size() << ", first difference at "
                                << std::mismatch(d.bytes.begin(), d.bytes.end(), msg.begin(), msg.end()).first - d.bytes.begin();
}

std::string allBytes() {
    std::string s;
    for (int i = 0; i < 256; ++i) s += char(i);
    return s;
}

TEST(AztecSymbol, MessagesInEveryModeAndMix) {
    const std::string cases[] = {
        "ABC",
        "abc",
        "12345",
        "@\\^_`|~\x7f\x01\x1f",
        "!\"#$%&'()*+,-./:;<=>?[]{}",
        "Hello, World. 123: done\r\nNext line\r\n",
        "A. B",
        "\r\n. , : ",
        "a1b2c3 D4E5F6 !@#",
        "\x80\x81\xfe\xff",
        "MiXeD cAsE wItH dIgItS 0987654321 and punct; yes!",
        "3.14159, 2.71828. 1.41421",
        "a\rb\nc\r\nd",
        "THE QUICK BROWN FOX JUMPS over the lazy dog 1234567890 times.",
        "\x1b[0m",
        "ab\x80" "cd\x81" "EF\x82",
        std::string(1, '\0'),
        std::string("NUL\0INSIDE", 10),
    };
    for (const std::string& c : cases) expectRoundTrip(c);
}

TEST(AztecSymbol, AllByteValuesAndPairs) {
    expectRoundTrip(allBytes());
    std::string reversed = allBytes();
    std::reverse(reversed.begin(), reversed.end());
    expectRoundTrip(reversed);
    for (const char* pair : {"\r\n", ". ", ", ", ": "}) {
        expectRoundTrip(std::string("x") + pair + "y");
        expectRoundTrip(std::string("X") + pair + "Y");
        expectRoundTrip(std::string("7") + pair + "8");
        expectRoundTrip(std::string("\xe9") + pair + "\xe9");
        expectRoundTrip(pair);
    }
}

TEST(AztecSymbol, BinaryRunLengths) {
    // Runs past 2078 bytes need a second binary shift and the largest symbol.
    for (int len : {1, 31, 32, 33, 63, 1000, 2046, 2047, 2048, 2076, 2077, 2078, 2079, 2100, 2400}) {
        std::string msg;
        for (int i = 0; i < len; ++i) msg += char(128 + i % 128);
        int selector = len > 1500 ? 232 : 0;
        expectRoundTrip(msg, selector);
        expectRoundTrip("Ab" + msg + "cD", selector);
    }
    EXPECT_FALSE(encodeAztec(std::string(2500, '\x90'), 232, false).has_value());
}

TEST(AztecSymbol, EverySizeAcrossTheFieldChanges) {
    struct Case {
        int selector, side, wordBits;
    };
    const Case cases[] = {
        {101, 15, 6}, {102, 19, 6}, {103, 23, 8}, {104, 27, 8},
        {201, 19, 6}, {202, 23, 6}, {203, 27, 8}, {208, 49, 8}, {209, 53, 10},
        {212, 67, 10}, {222, 109, 10}, {223, 113, 12}, {232, 151, 12},
    };
    const std::string msg = "SIZE 2026";
    for (const Case& c : cases) {
        auto sym = encodeAztec(msg, c.selector, false);
        ASSERT_TRUE(sym.has_value()) << c.selector;
        EXPECT_EQ(sym->size.side, c.side) << c.selector;
        EXPECT_EQ(sym->size.wordBits, c.wordBits) << c.selector;
        EXPECT_EQ(sym->matrix.side, c.side) << c.selector;
        expectRoundTrip(msg, c.selector);
    }
}

// Digits and bytes up to the limit of every size: the longest message that
// is accepted reads back, one more character is refused.
TEST(AztecSymbol, LongestMessageEachSizeHolds) {
    std::vector<int> specs{101, 102, 103, 104};
    for (int l = 1; l <= 32; ++l) specs.push_back(200 + l);
    for (int selector : specs) {
        for (char fill : {'7', '\xe4'}) {
            int lo = 0, hi = 6000;  // lo fits (or is 0), hi does not
            while (hi - lo > 1) {
                int mid = (lo + hi) / 2;
                (encodeAztec(std::string(mid, fill), selector, false) ? lo : hi) = mid;
            }
            ASSERT_GT(lo, 0) << selector;
            EXPECT_FALSE(encodeAztec(std::string(lo + 1, fill), selector, false)) << selector;
            if (fill == '\xe4' && selector > 104 && selector % 4) continue;  // bytes: a sample of the larger sizes
            expectRoundTrip(std::string(lo, fill), selector);
        }
    }
}

TEST(AztecSymbol, ErrorCorrectionPercentages) {
    const std::string msg = "Error correction share 0123456789 ABCDEFGH abcdefgh";
    int lastCapacity = 0;
    for (int pct : {1, 5, 10, 23, 36, 50, 66, 77, 90, 95}) {
        auto sym = encodeAztec(msg, pct, false);
        ASSERT_TRUE(sym.has_value()) << pct;
        int total = int(sym->dataWords.size() + sym->checkWords.size());
        EXPECT_EQ(total, sym->size.totalWords);
        // The check words hold at least the requested share, less the
        // rounding of the size steps.
        EXPECT_GE(100.0 * double(sym->checkWords.size()) / total, pct - 3.0) << pct;
        EXPECT_GE(sym->size.capacity, lastCapacity) << pct;
        lastCapacity = sym->size.capacity;
        expectRoundTrip(msg, pct);
    }
    // 99 % asks for a symbol a hundred times the message.
    EXPECT_FALSE(encodeAztec(msg, 99, false).has_value());
    expectRoundTrip("A", 99);
    EXPECT_EQ(encodeAztec("A", 99, false)->size.capacity, 608);
}

TEST(AztecSymbol, MenuSymbols) {
    struct Case {
        std::string msg;
        bool compact;
    };
    const Case cases[] = {
        {"MENU", true},
        {"Reader programming: 0123456789012345678901234567890", false},
    };
    for (const Case& c : cases) {
        auto sym = encodeAztec(c.msg, 0, true);
        ASSERT_TRUE(sym.has_value());
        EXPECT_EQ(sym->size.compact, c.compact);
        // Same codewords as the plain symbol of that size; only the mode message differs.
        int selector = (c.compact ? 100 : 200) + sym->size.layers;
        auto plain = encodeAztec(c.msg, selector, false);
        ASSERT_TRUE(plain.has_value());
        EXPECT_EQ(plain->dataWords, sym->dataWords);
        EXPECT_NE(plain->matrix.bytes, sym->matrix.bytes);
        int differing = 0;
        for (Point p : modeMessagePath(c.compact)) differing += plain->matrix.darkXY(p.x, p.y) != sym->matrix.darkXY(p.x, p.y);
        EXPECT_GT(differing, 0);
        expectRoundTrip(c.msg, 0, true);
    }
}

TEST(AztecSymbol, StuffingMovesAutomaticSizingUpAndRefusesExplicitSizes) {
    // Eighteen Upper letters plan 90 bits, within the 104 of one compact
    // layer, but need 15 data words of its 17.
    const std::string letters(18, 'A');
    EXPECT_TRUE(chooseSymbol(90, 101, false).has_value());
    EXPECT_FALSE(encodeAztec(letters, 101, false).has_value());
    // NUL bytes stuff a bit into nearly every word.
    int bumped = 0;
    for (int n = 1; n <= 120; ++n) {
        std::string zeros(size_t(n), '\0');
        auto sym = encodeAztec(zeros, 1, false);
        ASSERT_TRUE(sym.has_value()) << n;
        auto planned = chooseSymbol(sym->plannedBits, 1, false);
        ASSERT_TRUE(planned.has_value());
        EXPECT_GE(int(sym->checkWords.size()), kMinCheckWords) << n;
        if (sym->size.capacity > planned->capacity) {
            ++bumped;
            expectRoundTrip(zeros, 1);
        }
    }
    EXPECT_GT(bumped, 0);
}

TEST(AztecSymbol, DataLayerPathsCoverTheCapacityOnce) {
    for (int compact = 1; compact >= 0; --compact) {
        for (int layers = 1; layers <= (compact ? 4 : 32); ++layers) {
            SymbolSize s = symbolSize(compact, layers);
            std::vector<Point> path = dataLayerPath(s);
            ASSERT_EQ(int(path.size()), s.capacity) << compact << "/" << layers;
            std::vector<bool> used(size_t(s.side) * s.side, false);
            const int half = s.side / 2, core = compact ? 5 : 7;
            for (Point p : path) {
                ASSERT_LE(std::abs(p.x), half);
                ASSERT_LE(std::abs(p.y), half);
                EXPECT_GT(std::max(std::abs(p.x), std::abs(p.y)), core) << "inside the core";
                if (!compact) {
                    EXPECT_NE(p.x % 16, 0) << "on a reference grid line";
                    EXPECT_NE(p.y % 16, 0) << "on a reference grid line";
                }
                size_t k = size_t(half - p.y) * s.side + (half + p.x);
                EXPECT_FALSE(used[k]) << "position used twice";
                used[k] = true;
            }
            // The outermost ring reaches the edge of the symbol.
            EXPECT_TRUE(used[0] || used[size_t(s.side) - 1]) << compact << "/" << layers;
        }
    }
}

}  // namespace
}  // namespace zorvex
