// POSTNET and BPO 4 State: tables against the published weight rules, ZIP
// code extraction, filtering, check characters, and known symbols read
// back bar by bar.
#include <gtest/gtest.h>

#include <string>

#include "app/encode/encode_test_util.h"
#include "app/encode/postal.h"
#include "app/model/messages.h"

namespace quillet {
namespace {

using test::encodeWith;
using test::settingsFor;

// POSTNET digit from its five bars: the full bars carry the weights
// 7 4 2 1 0, and 7 + 4 stands for 0.
int postnetDigit(const std::string& bars) {
    static const int weights[] = {7, 4, 2, 1, 0};
    int v = 0, full = 0;
    for (size_t i = 0; i < 5; ++i) {
        if (bars[i] == '4') { v += weights[i]; ++full; }
        else if (bars[i] != '3') return -1;
    }
    if (full != 2) return -1;
    return v == 11 ? 0 : v;
}

// Reads a POSTNET pattern back: frame bars, then one digit per five bars.
std::string readPostnet(const std::string& p) {
    if (p.size() < 2 || (p.size() - 2) % 5 != 0 || p.front() != '4' || p.back() != '4') return "frame?";
    std::string digits;
    for (size_t i = 1; i + 1 < p.size(); i += 5) {
        int d = postnetDigit(p.substr(i, 5));
        digits += d < 0 ? '?' : char('0' + d);
    }
    return digits;
}

TEST(PostnetTable, EveryDigitFollowsThePublishedWeights) {
    PatternTables t;
    buildPatternTables(t, 24);
    for (int d = 0; d < 10; ++d) EXPECT_EQ(postnetDigit(t.main[size_t('0' + d)]), d) << d;
    EXPECT_EQ(t.main['0'], "44333");
    EXPECT_EQ(t.main['1'], "33344");
    EXPECT_EQ(t.start, "4");
    EXPECT_EQ(t.stop, "4");
}

TEST(PostnetEncode, KnownSymbolBarByBar) {
    // 1+2+3+4+5 = 15: check digit 5.
    auto r = encodeWith(settingsFor(24), "12345");
    ASSERT_EQ(r.error, 0);
    EXPECT_EQ(r.pattern, "4" "33344" "33434" "33443" "34334" "34343" "34343" "4");
    EXPECT_TRUE(r.checkText.empty());
}

TEST(PostnetEncode, ZipCodeFromAnAddressLine) {
    struct Case {
        const char* message;
        const char* normalised;  // nullptr: refused with message code 1
        const char* encoded;     // digits read back from the bars, check digit last
    };
    const Case cases[] = {
        {"Anytown PA 19123-4567", "19123-4567", "1912345672"},
        {"19123-45", "19123", "191234"},  // incomplete ZIP+4
        {"19123", "19123", "191234"},
        {"191234567", "19123-4567", "1912345672"},
        {"19123 - 4567", "19123-4567", "1912345672"},
        {"Springfield, IL 62704.", "62704", "627041"},
        {"  62704  ", "62704", "627041"},
        {"12345678901", "12345-678901", "123456789014"},
        {"123456789012", "12345-678901", "123456789014"},  // twelfth digit dropped
        {"1234", nullptr, nullptr},
        {"123456", nullptr, nullptr},
        {"1234567890123", nullptr, nullptr},
        {"Anytown PA", nullptr, nullptr},
        {"", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        auto r = encodeWith(settingsFor(24), c.message);
        if (!c.normalised) {
            EXPECT_EQ(r.error, 1);
            continue;
        }
        ASSERT_EQ(r.error, 0);
        EXPECT_EQ(r.text, c.normalised);
        EXPECT_EQ(readPostnet(r.pattern), c.encoded);
    }
}

TEST(PostnetEncode, RefusalText) {
    auto r = encodeWith(settingsFor(24), "Anytown");
    ASSERT_EQ(r.error, 1);
    EXPECT_EQ(messageText(r.error),
              "Invalid POSTNET message!  POSTNET bar codes must consist of 5, 9 or 11 numeric digits only.");
}

// 4-state: ascenders give the row, descenders the column, each half read
// with the published weights 4 2 1 0.
struct FourState {
    int row = 0, column = 0;
};
FourState readFourState(const std::string& bars) {
    static const int weights[] = {4, 2, 1, 0};
    FourState f;
    for (size_t i = 0; i < 4; ++i) {
        bool up = bars[i] == 'X' || bars[i] == 'Z';
        bool down = bars[i] == 'Y' || bars[i] == 'Z';
        if (up) f.row += weights[i];
        if (down) f.column += weights[i];
    }
    return f;
}

const std::string kChars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

std::string readBpo(const std::string& p) {
    if (p.size() < 2 || (p.size() - 2) % 4 != 0 || p.front() != 'X' || p.back() != 'Z') return "frame?";
    std::string out;
    for (size_t i = 1; i + 1 < p.size(); i += 4) {
        FourState f = readFourState(p.substr(i, 4));
        bool ok = f.row >= 1 && f.row <= 6 && f.column >= 1 && f.column <= 6;
        out += ok ? kChars[size_t((f.row - 1) * 6 + f.column - 1)] : '?';
    }
    return out;
}

TEST(BpoTable, EveryCharacterHasTwoAscendersAndTwoDescendersAtItsPlace) {
    PatternTables t;
    buildPatternTables(t, 25);
    for (size_t i = 0; i < kChars.size(); ++i) {
        const std::string& bars = t.main[static_cast<unsigned char>(kChars[i])];
        ASSERT_EQ(bars.size(), 4u) << kChars[i];
        int up = 0, down = 0;
        for (char b : bars) {
            up += b == 'X' || b == 'Z';
            down += b == 'Y' || b == 'Z';
        }
        EXPECT_EQ(up, 2) << kChars[i];
        EXPECT_EQ(down, 2) << kChars[i];
        EXPECT_EQ(readBpo("X" + bars + "Z"), std::string(1, kChars[i]));
    }
    EXPECT_EQ(t.main['0'], "WWZZ");
    EXPECT_EQ(t.main['1'], "WYXZ");
    EXPECT_EQ(t.main['Z'], "ZZWW");
    EXPECT_EQ(t.start, "X");
    EXPECT_EQ(t.stop, "Z");
}

TEST(BpoEncode, FilteringLengthAndCheckCharacter) {
    struct Case {
        const char* message;
        const char* text;     // nullptr: refused with message code 34
        const char* symbols;  // characters read back from the bars, check last
    };
    const Case cases[] = {
        // rows 2+6+1+1+4+5+1+2 = 22 -> 4, columns 6+4+2+2+4+6+2+5 = 31 -> 1: I
        {"BX11LT1A", "BX11LT1A", "BX11LT1AI"},
        // rows 2+2+1+1+1+3 = 10 -> 4, columns 5+6+2+3+4+1 = 21 -> 3: K
        {"ab-12 3c", "AB123C", "AB123CK"},
        // rows 6 x 5 = 30 -> 0 counts 6, columns 6 x 5 = 30 -> 6: Z
        {"zzzzz", "ZZZZZ", "ZZZZZZ"},
        {"00000", "00000", "00000S"},  // rows 5, columns 5: S
        {"A1B2C3D4E5F6", "A1B2C3D4E5F6", nullptr},
        {"ABCD", nullptr, nullptr},
        {"A-B-C-D", nullptr, nullptr},
        {"ABCDEFGHIJKLM", nullptr, nullptr},
        {"\xC4" "BCD", nullptr, nullptr},  // not one of the 36 characters
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        auto r = encodeWith(settingsFor(25), c.message);
        if (!c.text) {
            EXPECT_EQ(r.error, 34);
            EXPECT_EQ(messageText(r.error), "Invalid BPO 4 State Code message. Please Re-Enter.");
            continue;
        }
        ASSERT_EQ(r.error, 0);
        EXPECT_EQ(r.text, c.text);
        EXPECT_EQ(r.pattern.size(), 2 + 4 * (std::string(c.text).size() + 1));
        if (c.symbols) { EXPECT_EQ(readBpo(r.pattern), c.symbols); }
    }
}

TEST(BpoEncode, KnownSymbolBarByBar) {
    auto r = encodeWith(settingsFor(25), "BX11LT1A");
    ASSERT_EQ(r.error, 0);
    // B = row 2 col 6, X = 6/4, 1 = 1/2, L = 4/4, T = 5/6, A = 2/5, check I = 4/1;
    // rows 0011 0101 0110 1001 1010 1100 = 1..6 give the ascenders, the
    // columns the descenders.
    EXPECT_EQ(r.pattern, "X" "YZWX" "ZXWY" "WYXZ" "WYXZ" "ZWWZ" "ZYXW" "WYXZ" "YXYX" "XWYZ" "Z");
}

}  // namespace
}  // namespace quillet
