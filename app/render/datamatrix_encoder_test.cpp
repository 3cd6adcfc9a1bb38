// The Data Matrix encoder library: sizes it reports, its module grid read
// back by zxing-cpp, its escapes and its result codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/render/datamatrix_symbol.h"
#include "app/render/encode32.h"
#include "tests/support/zxing_decode.h"

namespace quillet {
namespace {

struct Encoded {
    int16_t result = -1, rows = 0, cols = 0;
};

Encoded encode(const std::string& text, int rows = 0, int cols = 0, int ecc = 26, int format = 5, int gs1 = 0) {
    Encoded e;
    e.result = IDM_enc_complete(int16_t(format), int16_t(ecc), int16_t(rows), int16_t(cols), int16_t(gs1), 1,
                                text.data(), &e.rows, &e.cols, int16_t(text.size()));
    return e;
}

// The grid get_dm_cell reports, one ring of positions beyond it included
// (they must all be light).
std::vector<std::vector<bool>> grid(int rows, int cols) {
    std::vector<std::vector<bool>> g(size_t(rows), std::vector<bool>(size_t(cols), false));
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c) g[size_t(r - 1)][size_t(c - 1)] = get_dm_cell(int16_t(r), int16_t(c)) == 1;
    return g;
}

bool outsideIsLight(int rows, int cols) {
    for (int r = 0; r <= rows + 1; ++r)
        if (get_dm_cell(int16_t(r), 0) || get_dm_cell(int16_t(r), int16_t(cols + 1))) return false;
    for (int c = 0; c <= cols + 1; ++c)
        if (get_dm_cell(0, int16_t(c)) || get_dm_cell(int16_t(rows + 1), int16_t(c))) return false;
    return true;
}

test::Decoded decodeGrid(int rows, int cols) { return test::decode(test::matrixImage(grid(rows, cols), 4, 4), "DataMatrix"); }

TEST(DataMatrixEncoder, InitialiseAndSelfTest) {
    EXPECT_EQ(IDM_initialize(0), 0);
    EXPECT_EQ(IDM_self_test(), 0);
}

// Every fixed size is made as requested and reads back.
TEST(DataMatrixEncoder, EveryFixedSize) {
    for (int code = 1; code <= 30; ++code) {
        const DmSize want = dmRequestedSize(code);
        const Encoded e = encode("123456", want.rows, want.cols);
        ASSERT_EQ(e.result, 0) << code;
        EXPECT_EQ(e.rows, want.rows) << code;
        EXPECT_EQ(e.cols, want.cols) << code;
        EXPECT_TRUE(outsideIsLight(e.rows, e.cols)) << code;
        const auto d = decodeGrid(e.rows, e.cols);
        EXPECT_TRUE(d.ok) << code;
        EXPECT_EQ(d.bytes, "123456") << code;
    }
}

TEST(DataMatrixEncoder, AutomaticSizeIsTheSmallestSquare) {
    struct Case {
        std::string text;
        int side;
    };
    // ECC 200 data capacities: 10x10 holds 3 codewords, 12x12 5, 14x14 8;
    // digit pairs take one codeword each.
    for (const Case& c : {Case{"123456", 10}, Case{"1234567", 12}, Case{"1234567890", 12}, Case{"12345678901", 14},
                          Case{std::string(3116, '7'), 144}}) {
        const Encoded e = encode(c.text);
        ASSERT_EQ(e.result, 0) << c.text.size();
        EXPECT_EQ(e.rows, c.side) << c.text.size();
        EXPECT_EQ(e.cols, c.side) << c.text.size();
    }
}

TEST(DataMatrixEncoder, EscapesAndBytes) {
    struct Case {
        std::string given, decoded;
    };
    const std::string nul(1, '\0');
    std::string binary;
    for (int i = 0; i < 256; ++i) binary.push_back(char(i));
    for (const Case& c : {Case{"a~~b", "a~b"}, Case{"~@", nul}, Case{"x~@y~~~@", "x" + nul + "y~" + nul},
                          Case{"a~b", "a~b"}, Case{"tail~", "tail~"}, Case{"~1~d065", "~1~d065"},
                          Case{dataMatrixEncoderText(binary, 26, true), binary},
                          Case{dataMatrixEncoderText(binary, 26, false), binary}}) {
        const Encoded e = encode(c.given);
        ASSERT_EQ(e.result, 0);
        const auto d = decodeGrid(e.rows, e.cols);
        ASSERT_TRUE(d.ok) << c.given;
        EXPECT_EQ(d.bytes, c.decoded) << c.given;
    }
}

// The GS1 flag: every GS becomes FNC1, the leading one marking GS1 data;
// without it the same text is plain bytes. Escapes apply either way.
TEST(DataMatrixEncoder, Gs1Flag) {
    struct Case {
        std::string given;
        int gs1;
        std::string decoded, id;
    };
    for (const Case& c : {Case{"\x1d" "0109501101530003" "10AB12\x1d" "17260101", 1,
                               "0109501101530003" "10AB12\x1d" "17260101", "]d2"},
                          Case{"\x1d" "10lot~~one\x1d" "21X", 1, "10lot~one\x1d" "21X", "]d2"},
                          Case{"\x1d" "0109501101530003", 0, "\x1d" "0109501101530003", "]d1"}}) {
        const Encoded e = encode(c.given, 0, 0, 26, 5, c.gs1);
        ASSERT_EQ(e.result, 0) << c.given;
        const auto d = decodeGrid(e.rows, e.cols);
        ASSERT_TRUE(d.ok) << c.given;
        EXPECT_EQ(d.bytes, c.decoded) << c.given;
        EXPECT_EQ(d.symbologyId, c.id) << c.given;
    }
}

// Each rectangle takes its published capacity of upper case text (C40,
// three letters in two codewords) and refuses one letter more.
TEST(DataMatrixEncoder, RectanglesAtTheirCapacity) {
    struct Case {
        int rows, cols, letters;
    };
    for (const Case& c : {Case{8, 18, 6}, Case{8, 32, 13}, Case{12, 26, 22}, Case{12, 36, 31}, Case{16, 36, 46},
                          Case{16, 48, 72}}) {
        std::string text;
        for (int i = 0; i < c.letters; ++i) text.push_back(char('A' + i % 26));
        const Encoded e = encode(text, c.rows, c.cols);
        ASSERT_EQ(e.result, 0) << c.rows << "x" << c.cols;
        EXPECT_EQ(e.rows, c.rows);
        EXPECT_EQ(e.cols, c.cols);
        const auto d = decodeGrid(e.rows, e.cols);
        ASSERT_TRUE(d.ok) << c.rows << "x" << c.cols;
        EXPECT_EQ(d.bytes, text);
        EXPECT_EQ(encode(text + "Z", c.rows, c.cols).result, kIdmTooLongForSize) << c.rows << "x" << c.cols;
    }
}

TEST(DataMatrixEncoder, ResultCodes) {
    struct Case {
        const char* name;
        std::string text;
        int rows, cols, ecc, format;
        int16_t result;
    };
    const std::string digits3117(3117, '1'), bytes(1600, '\xC8');
    for (const Case& c : {
             Case{"empty", "", 0, 0, 26, 5, kIdmTooShort},
             Case{"over any symbol", digits3117, 0, 0, 26, 5, kIdmTooLongInput},
             Case{"over 144x144", bytes, 0, 0, 26, 5, kIdmTooLong},
             Case{"over the fixed size", "12345678", 10, 10, 26, 5, kIdmTooLongForSize},
             Case{"over a fixed size, any length", digits3117, 144, 144, 26, 5, kIdmTooLongForSize},
             Case{"no such size", "1", 11, 11, 26, 5, kIdmUnknownSize},
             Case{"numeric format, letter", "12A", 0, 0, 8, 1, kIdmInvalidCharacters},
             Case{"A-Z and space, digit", "AB 1", 0, 0, 0, 2, kIdmInvalidCharacters},
             Case{"punctuation format, other mark", "A.B,C-D/E!", 0, 0, 12, 4, kIdmInvalidCharacters},
             Case{"ASCII format, high byte", "caf\xE9", 0, 0, 6, 5, kIdmInvalidCharacters},
             Case{"ECC 100 valid data", "HELLO 1.2", 0, 0, 8, 4, kIdmEccNotAvailable},
             Case{"ECC 0 binary", "\x01\xFF", 0, 0, 0, 6, kIdmEccNotAvailable},
         }) {
        const Encoded e = encode(c.text, c.rows, c.cols, c.ecc, c.format);
        EXPECT_EQ(e.result, c.result) << c.name;
        EXPECT_EQ(e.rows, 0) << c.name;
        EXPECT_EQ(get_dm_cell(1, 1), 0) << c.name << ": a failed encode leaves no symbol behind";
    }
}

}  // namespace
}  // namespace quillet
