// Composite components: general-purpose compaction read back by a decoder of
// our own, component sizes, and error correction checked by evaluating the
// codeword polynomial at the generator's roots.
#include <gtest/gtest.h>

#include "stripegen/cc_bits.h"
#include "stripegen/cc_date_lot.h"
#include "stripegen/cc_encode.h"
#include "stripegen/cc_rows.h"
#include "stripegen/gf929.h"
#include "stripegen/stripegen_test_util.h"

using namespace stripegen;
using stripegen::test::ccbPayloadBits;

namespace {

// Reads general-purpose compacted data from `pos`; FNC1 comes back as the
// group separator, a final digit's FNC1 pad is dropped.
std::string decodeGeneralPurpose(const std::string& bits, size_t pos, bool& ok) {
    ok = false;
    if (pos > bits.size()) return {};
    bool padAfterDigit = false;
    auto peek = [&](int n) {
        int v = 0;
        for (int i = 0; i < n; ++i) v = v * 2 + (bits[pos + size_t(i)] == '1');
        return v;
    };
    auto digit = [](int d) { return d == 10 ? '\x1d' : char('0' + d); };
    enum { Numeric, Alpha, Iso } mode = Numeric;
    std::string out;
    const char* punct = "!\"%&'()*+,-./:;<=>?_ ";
    for (;;) {
        size_t rem = bits.size() - pos;
        if (mode == Numeric) {
            if (rem < 7) {
                if (rem >= 4 && peek(4) != 0) out += char('0' + peek(4) - 1), padAfterDigit = false;
                break;
            }
            if (peek(4) == 0) {
                pos += 4;
                mode = Alpha;
                continue;
            }
            int v = peek(7) - 8;
            pos += 7;
            if (v < 0 || v > 120) return {};
            out += digit(v / 11);
            out += digit(v % 11);
            padAfterDigit = v / 11 < 10 && v % 11 == 10;
            continue;
        }
        if (rem < 3) break;
        if (peek(3) == 0) {
            pos += 3;
            mode = Numeric;
            continue;
        }
        if (rem < 5) break;
        int v5 = peek(5);
        if (v5 == 4) {
            pos += 5;
            mode = mode == Alpha ? Iso : Alpha;
            continue;
        }
        padAfterDigit = false;
        if (v5 >= 5 && v5 <= 15) {
            pos += 5;
            out += digit(v5 - 5);
            if (v5 == 15) mode = Numeric;
            continue;
        }
        if (mode == Alpha) {
            if (rem < 6) break;
            int v = peek(6);
            pos += 6;
            if (v >= 32 && v <= 57) out += char('A' + v - 32);
            else if (v >= 58 && v <= 62) out += "*,-./"[v - 58];
            else return {};
            continue;
        }
        if (rem < 7) break;
        int v7 = peek(7);
        if (v7 < 116) {
            pos += 7;
            if (v7 >= 64 && v7 <= 89) out += char('A' + v7 - 64);
            else if (v7 >= 90) out += char('a' + v7 - 90);
            else return {};
            continue;
        }
        if (rem < 8) break;
        int v8 = peek(8);
        pos += 8;
        if (v8 < 232 || v8 > 252) return {};
        out += punct[v8 - 232];
    }
    if (padAfterDigit) out.pop_back();
    ok = true;
    return out;
}

// Reads the encodation method, the compressed date and lot field of method
// "10", then the general-purpose field.
std::string decodeComposite(const std::string& bits, bool& ok) {
    ok = false;
    if (bits.compare(0, 1, "0") == 0) return decodeGeneralPurpose(bits, 1, ok);
    if (bits.size() < 4 || bits.compare(0, 2, "10") != 0) return {};
    if (bits.compare(2, 2, "11") == 0) return "10" + decodeGeneralPurpose(bits, 4, ok);
    if (bits.size() < 19) return {};
    int v = std::stoi(bits.substr(2, 16), nullptr, 2);
    char date[7];
    std::snprintf(date, sizeof date, "%02d%02d%02d", v / 384, v % 384 / 32 + 1, v % 32);
    std::string head = (bits[18] == '1' ? "17" : "11") + std::string(date);
    std::string rest = decodeGeneralPurpose(bits, 19, ok);
    return !rest.empty() && rest[0] == '\x1d' ? head + rest.substr(1) : head + "10" + rest;
}

std::string bitsOfCca(const std::vector<int>& data) {
    static const int tailBits[7] = {0, 9, 19, 29, 39, 49, 59};
    std::string bits;
    for (size_t i = 0; i < data.size(); i += 7) {
        size_t k = std::min<size_t>(7, data.size() - i);
        unsigned __int128 v = 0;
        for (size_t j = 0; j < k; ++j) v = v * 928 + unsigned(data[i + j]);
        int n = k == 7 ? 69 : tailBits[k];
        for (int b = n - 1; b >= 0; --b) bits += ((v >> b) & 1) ? '1' : '0';
    }
    return bits;
}

int powMod(int base, int exp) {
    int r = 1;
    for (int i = 0; i < exp; ++i) r = r * base % 929;
    return r;
}

// The codeword polynomial vanishes at 3^1 .. 3^k.
bool syndromesVanish(const std::vector<int>& all, int k) {
    int n = int(all.size());
    for (int i = 1; i <= k; ++i) {
        int x = powMod(3, i), s = 0;
        for (int j = 0; j < n; ++j) s = (s * x + all[size_t(j)]) % 929;
        if (s != 0) return false;
    }
    return true;
}

std::string withGs(std::string s) {
    for (char& c : s)
        if ((unsigned char)c == 128) c = '\x1d';
    return s;
}

}  // namespace

TEST(CompositeSizes, RowsTimesColumnsHoldDataAndCheckCodewords) {
    for (int cols = 2; cols <= 4; ++cols) {
        for (const auto* sizes : {&ccaSizes(cols), &ccbSizes(cols)}) {
            ASSERT_FALSE(sizes->empty());
            int lastData = 0;
            for (const CcSize& s : *sizes) {
                EXPECT_EQ(s.rows * cols, s.dataCodewords + s.eccCodewords) << cols << " " << s.rows;
                EXPECT_GT(s.dataCodewords, lastData);
                lastData = s.dataCodewords;
            }
        }
    }
    // Bits a CC-A holds: 69 in every seven codewords, and for the rest the
    // largest bit count below 928^k.
    const int caps[][2] = {{6, 59}, {8, 78}, {9, 88}, {10, 98}, {11, 108}, {12, 118}, {14, 138}, {17, 167}, {20, 197}};
    for (const auto& c : caps) EXPECT_EQ(ccaBitCapacity(c[0]), c[1]) << c[0];
    EXPECT_EQ(ccbByteCapacity(37), 42);
    EXPECT_EQ(ccbByteCapacity(126), 148);
    EXPECT_EQ(ccRowElements(4, false), 53);
    EXPECT_EQ(ccRowElements(2, true), 31);
    EXPECT_EQ(ccRowElements(3, false), 39);
    EXPECT_EQ(ccRowElements(3, true), 45);
}

// The published byte capacities of the MicroPDF417 sizes (one mode codeword,
// then byte compaction) follow from the data codeword counts of CC-B.
TEST(CompositeSizes, CcbSizesHoldThePublishedByteCapacities) {
    const std::vector<int> published[] = {{8, 14, 21, 27, 33, 38, 43},
                                          {6, 10, 15, 20, 27, 39, 54, 68, 82, 97},
                                          {8, 13, 20}};
    for (int cols = 2; cols <= 4; ++cols) {
        const auto& sizes = ccbSizes(cols);
        const auto& bytes = published[cols - 2];
        for (size_t i = 0; i < bytes.size(); ++i) {
            int cw = sizes[i].dataCodewords - 1;
            EXPECT_EQ(6 * (cw / 5) + cw % 5, bytes[i]) << cols << " columns, " << sizes[i].rows << " rows";
        }
    }
}

// Published capacities with four columns: CC-A holds up to 56 digits, CC-B
// up to 338.
TEST(CompositeSizes, PublishedDigitCapacitiesWithFourColumns) {
    CcComponent a = encodeComposite(std::string(56, '5'), 4);
    ASSERT_TRUE(a.ok);
    EXPECT_FALSE(a.isCcb);
    EXPECT_EQ(a.rows, 7);
    for (int n : {57, 58}) EXPECT_TRUE(encodeComposite(std::string(size_t(n), '5'), 4).isCcb) << n;
    CcComponent b = encodeComposite(std::string(338, '9'), 4);
    ASSERT_TRUE(b.ok);
    EXPECT_TRUE(b.isCcb);
    EXPECT_EQ(b.rows, 44);
    EXPECT_FALSE(encodeComposite(std::string(339, '9'), 4).ok);
}

TEST(CompositeEncoding, MessagesRoundTripAtEveryColumnCount) {
    const std::string messages[] = {
        "",
        "1",
        "10ABC123",
        "1712345621ABC",
        "21abc-def/GHI.jkl",
        "91 %&'()*+,-./:;<=>?_!\"",
        std::string("10LOT7") + char(128) + "2112345",
        "0123456789012345678901234567890123456789",
        "99ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
        std::string(120, '7'),
        std::string(90, 'x'),
        "-\x1d\x1d\x1d" "57752w",  // a pair of FNC1 cannot be held in numeric encodation
        std::string("\x80\x80") + "12",
    };
    int ccaSeen = 0, ccbSeen = 0;
    for (int cols = 2; cols <= 4; ++cols)
        for (const std::string& msg : messages) {
            SCOPED_TRACE(std::to_string(cols) + " columns: " + msg);
            CcComponent cc = encodeComposite(msg, cols);
            if (!cc.ok) {
                // Only messages beyond the largest CC-B may fail.
                EXPECT_GT(msg.size(), 40u);
                continue;
            }
            const auto& sizes = cc.isCcb ? ccbSizes(cols) : ccaSizes(cols);
            const CcSize* size = nullptr;
            for (const CcSize& s : sizes)
                if (s.rows == cc.rows) size = &s;
            ASSERT_NE(size, nullptr);
            ASSERT_EQ(cc.codewords.size(), size_t(cc.rows * cols));
            EXPECT_TRUE(syndromesVanish(cc.codewords, size->eccCodewords));
            std::vector<int> data(cc.codewords.begin(), cc.codewords.begin() + size->dataCodewords);
            bool ok = true;
            std::string bits = cc.isCcb ? ccbPayloadBits(data, ok) : bitsOfCca(data);
            ASSERT_TRUE(ok);
            std::string back = decodeComposite(bits, ok);
            ASSERT_TRUE(ok);
            EXPECT_EQ(back, withGs(msg));
            (cc.isCcb ? ccbSeen : ccaSeen)++;
            // The smallest size that holds the message was taken.
            GpBits gp = compactComposite(msg);
            if (size != &sizes.front()) {
                const CcSize& smaller = *(size - 1);
                int cap = cc.isCcb ? 8 * ccbByteCapacity(smaller.dataCodewords) : ccaBitCapacity(smaller.dataCodewords);
                EXPECT_TRUE(finishBits(gp, cap).empty());
            } else if (cc.isCcb) {
                EXPECT_TRUE(finishBits(gp, ccaBitCapacity(ccaSizes(cols).back().dataCodewords)).empty());
            }
        }
    EXPECT_GT(ccaSeen, 10);
    EXPECT_GT(ccbSeen, 5);
}

TEST(CompositeEncoding, CharactersOutsideTheSetAndOverlongMessagesFail) {
    for (const std::string& msg : {std::string("AB~"), std::string("tab\there"), std::string("\xe9"),
                                   std::string("x|y"), std::string(400, 'a')}) {
        SCOPED_TRACE(msg);
        for (int cols = 2; cols <= 4; ++cols) EXPECT_FALSE(encodeComposite(msg, cols).ok);
        stripegen::test::Omni o = stripegen::test::callOmni("123|" + msg);
        EXPECT_EQ(o.status, 1);
        EXPECT_TRUE(o.rows.untouched());
        EXPECT_EQ(o.rowCount, -1);
        EXPECT_FALSE(o.pattern.untouched());  // the primary outputs come first
    }
}

TEST(CompositeEncoding, ErrorCorrectionOfKnownVectors) {
    // Changing any one data codeword changes the check codewords.
    std::vector<int> data{920, 901, 12, 34, 56, 78, 90, 0};
    auto base = reedSolomon929(data, 8);
    std::vector<int> all = data;
    all.insert(all.end(), base.begin(), base.end());
    EXPECT_TRUE(syndromesVanish(all, 8));
    for (size_t i = 0; i < data.size(); ++i) {
        auto d = data;
        d[i] = (d[i] + 1) % 929;
        EXPECT_NE(reedSolomon929(d, 8), base) << i;
    }
}

TEST(CompositeRows, RowsOfEveryColumnCount) {
    for (int cols : {2, 3, 4}) {
        CcComponent cc = encodeComposite("10ABC", cols);
        ASSERT_TRUE(cc.ok);
        Widths rows;
        ASSERT_TRUE(buildCcRows(cc, rows));
        EXPECT_EQ(rows.size(), size_t(cc.rows * ccRowElements(cols, cc.isCcb))) << cols;
        // A component whose codewords do not fill its rows is not drawn.
        cc.codewords.pop_back();
        EXPECT_FALSE(buildCcRows(cc, rows)) << cols;
    }
}
