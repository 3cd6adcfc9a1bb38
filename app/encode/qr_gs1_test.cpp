// QR Code's GS1 mode from our own encoder: every version and level reads
// back through an independent reader as GS1 data (]Q3) with the typed
// separators, every mask pattern is read, and the error correction matches
// the standard's worked example.
#include <gtest/gtest.h>

#include <string>

#include "app/encode/qr_gs1.h"
#include "tests/support/zxing_decode.h"

namespace quillet {
namespace {

test::GreyImage symbolImage(const QrSymbol& s, int scale) {
    std::vector<std::vector<bool>> rows(size_t(s.side), std::vector<bool>(size_t(s.side)));
    for (int y = 0; y < s.side; ++y)
        for (int x = 0; x < s.side; ++x) rows[size_t(y)][size_t(x)] = s.dark[size_t(y) * s.side + x];
    return test::matrixImage(rows, scale, 4);
}

// GS1 data that needs every segment kind: numeric runs, alphanumerics with
// FNC1 as %, and a literal % and lower case in byte segments.
std::string gs1Data(size_t length) {
    static const std::string kUnit = "0109501101530003" "10AB-12%/X\x1d" "21abc.def\x1d" "17260101";
    std::string data;
    while (data.size() < length) data += kUnit;
    data.resize(length);
    return data;
}

// The shortest data of gs1Data's kind that needs `version` at the level.
size_t shortestFor(int version, QrLevel level) {
    size_t lo = 1, hi = 8000;
    while (lo < hi) {
        const size_t mid = (lo + hi) / 2;
        const auto c = qrGs1Codewords(gs1Data(mid), level);
        if (c && c->version < version) lo = mid + 1;
        else hi = mid;
    }
    return lo;
}

const char* levelName(QrLevel l) { return l == QrLevel::L ? "L" : l == QrLevel::M ? "M" : l == QrLevel::Q ? "Q" : "H"; }

TEST(QrGs1, EveryVersionAndLevelReadsBackAsGs1Data) {
    for (QrLevel level : {QrLevel::L, QrLevel::M, QrLevel::Q, QrLevel::H}) {
        for (int version = 1; version <= 40; ++version) {
            SCOPED_TRACE(std::string(levelName(level)) + " version " + std::to_string(version));
            const std::string data = gs1Data(shortestFor(version, level));
            const auto symbol = encodeQrGs1(data, level);
            ASSERT_TRUE(symbol.has_value());
            ASSERT_EQ(symbol->version, version);
            ASSERT_EQ(symbol->side, 17 + 4 * version);
            const test::Decoded d = test::decode(symbolImage(*symbol, version > 20 ? 2 : 3), "QRCode", true);
            ASSERT_TRUE(d.ok);
            EXPECT_EQ(d.bytes, data);
            EXPECT_EQ(d.symbologyId, "]Q3");
            EXPECT_EQ(d.ecLevel, levelName(level));
        }
    }
}

TEST(QrGs1, EveryMaskPatternReads) {
    const std::string data = gs1Data(60);
    const auto c = qrGs1Codewords(data, QrLevel::Q);
    ASSERT_TRUE(c.has_value());
    for (int mask = 0; mask < 8; ++mask) {
        const QrSymbol s = qrSymbol(c->version, QrLevel::Q, c->data, mask);
        EXPECT_EQ(s.mask, mask);
        const test::Decoded d = test::decode(symbolImage(s, 4), "QRCode", true);
        EXPECT_TRUE(d.ok) << "mask " << mask;
        EXPECT_EQ(d.bytes, data) << "mask " << mask;
    }
}

TEST(QrGs1, TooMuchDataForVersion40IsNothing) {
    EXPECT_FALSE(qrGs1Codewords(gs1Data(2000), QrLevel::H).has_value());
    // Version 40-L holds 23,648 data bits: 7,087 digits take 4 (FNC1) + 4 + 14
    // + 23,624; one digit more takes a bit too many.
    EXPECT_TRUE(qrGs1Codewords(std::string(7087, '1'), QrLevel::L).has_value());
    EXPECT_FALSE(qrGs1Codewords(std::string(7088, '1'), QrLevel::L).has_value());
}

// Digits cost 10 bits per three in a numeric segment and the FNC1 indicator
// 4 bits, so a version's edge falls where the bit count says.
TEST(QrGs1, SegmentsKeepTheBitCountSmall) {
    struct Case {
        std::string data;
        QrLevel level;
        int version;
    };
    const Case cases[] = {
        {"0109501101530003", QrLevel::M, 1},  // 4 + 4 + 10 + 54 of 128 bits
        {"010950110153000317260101", QrLevel::M, 1},
        {"0109501101530003" "10" "1234567\x1d" "17260101", QrLevel::M, 2},
        {std::string(40, '1'), QrLevel::L, 1},  // 4 + 4 + 10 + 134: all 152 bits of 1-L
        {std::string(41, '1'), QrLevel::L, 2},  // 155 bits
    };
    for (const Case& c : cases) {
        const auto cw = qrGs1Codewords(c.data, c.level);
        ASSERT_TRUE(cw.has_value()) << c.data;
        EXPECT_EQ(cw->version, c.version) << c.data;
    }
}

// The worked example of the standard: "01234567" at 1-M.
TEST(QrGs1, ErrorCorrectionMatchesTheWorkedExample) {
    const std::vector<uint8_t> data = {0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11,
                                       0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11};
    const std::vector<uint8_t> ec = {0xA5, 0x24, 0xD4, 0xC1, 0xED, 0x36, 0xC7, 0x87, 0x2C, 0x55};
    EXPECT_EQ(qrErrorCorrection(data, 10), ec);
    EXPECT_EQ(qrBlocks(1, QrLevel::M).dataCodewords(), 16);
}

}  // namespace
}  // namespace quillet
