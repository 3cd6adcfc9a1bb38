// Data Matrix from our own encoder, read back by an independent reader:
// every size at the published capacities, each encodation and the
// switches between them, the end of data in every state, GS1 data and
// bytes above 127.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/encode/dm_encodation.h"
#include "app/encode/dm_test_util.h"

namespace quillet {
namespace {

using test::cycled;
using test::decodeSymbol;

std::string highBytes() {
    std::string s;
    for (int c = 128; c < 256; ++c) s.push_back(char(c));
    return s;
}

const std::string kDigits = "0123456789";
const std::string kUpper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ ";

// The published capacities of ECC 200: numeric, alphanumeric (upper case
// and space) and bytes.
struct Capacity {
    int rows, cols, numeric, alphanumeric, bytes;
};
constexpr Capacity kCapacities[] = {
    {10, 10, 6, 3, 1},          {12, 12, 10, 6, 3},         {14, 14, 16, 10, 6},
    {16, 16, 24, 16, 10},       {18, 18, 36, 25, 16},       {20, 20, 44, 31, 20},
    {22, 22, 60, 43, 28},       {24, 24, 72, 52, 34},       {26, 26, 88, 64, 42},
    {32, 32, 124, 91, 60},      {36, 36, 172, 127, 84},     {40, 40, 228, 169, 112},
    {44, 44, 288, 214, 142},    {48, 48, 348, 259, 172},    {52, 52, 408, 304, 202},
    {64, 64, 560, 418, 278},    {72, 72, 736, 550, 366},    {80, 80, 912, 682, 454},
    {88, 88, 1152, 862, 574},   {96, 96, 1392, 1042, 694},  {104, 104, 1632, 1222, 814},
    {120, 120, 2100, 1573, 1048}, {132, 132, 2608, 1954, 1302}, {144, 144, 3116, 2335, 1556},
    {8, 18, 10, 6, 3},          {8, 32, 20, 13, 8},         {12, 26, 32, 22, 14},
    {12, 36, 44, 31, 20},       {16, 36, 64, 46, 30},       {16, 48, 98, 72, 47},
};

// The largest data of each class fits the size asked for and reads back;
// one character more does not fit it, and the automatic choice of a square
// takes exactly this one for the first and the next square for the second.
TEST(DataMatrixMatrix, EverySizeAtItsCapacityEdge) {
    for (const Capacity& c : kCapacities) {
        const DmSymbolSize* size = dmFindSize(c.rows, c.cols);
        ASSERT_NE(size, nullptr);
        const bool square = c.rows == c.cols;
        const DmSymbolSize* next = square ? dmSmallestSquare(size->dataWords + 1) : nullptr;
        struct Class {
            const char* name;
            const std::string& alphabet;
            int capacity;
        };
        const std::string high = highBytes();
        for (const Class& k : {Class{"numeric", kDigits, c.numeric}, Class{"alphanumeric", kUpper, c.alphanumeric},
                               Class{"bytes", high, c.bytes}}) {
            SCOPED_TRACE(std::to_string(c.rows) + "x" + std::to_string(c.cols) + " " + k.name);
            const std::string full = cycled(k.alphabet, size_t(k.capacity));
            const std::string over = cycled(k.alphabet, size_t(k.capacity) + 1);
            const auto symbol = encodeDataMatrix(full, false, size);
            ASSERT_TRUE(symbol.has_value());
            EXPECT_EQ(symbol->rows, c.rows);
            EXPECT_EQ(symbol->cols, c.cols);
            const auto d = decodeSymbol(*symbol);
            ASSERT_TRUE(d.ok);
            EXPECT_EQ(d.bytes, full);
            EXPECT_FALSE(encodeDataMatrix(over, false, size).has_value());
            if (!square) continue;
            const auto automatic = encodeDataMatrix(full, false);
            ASSERT_TRUE(automatic.has_value());
            EXPECT_EQ(automatic->rows, c.rows);
            const auto bigger = encodeDataMatrix(over, false);
            ASSERT_EQ(bigger.has_value(), next != nullptr);
            if (next) {
                EXPECT_EQ(bigger->rows, next->rows);
                EXPECT_EQ(decodeSymbol(*bigger).bytes, over);
            }
        }
    }
}

bool planUses(const DmPlan& plan, DmMode mode) {
    return std::any_of(plan.segments.begin(), plan.segments.end(), [&](const DmSegment& s) { return s.mode == mode; });
}

// Each encodation where it is the cheapest, and runs that switch between
// them; all read back.
TEST(DataMatrixMatrix, EncodationsAndSwitches) {
    struct Case {
        const char* name;
        std::string data;
        std::vector<DmMode> uses;
    };
    using M = DmMode;
    const std::string high = highBytes();
    for (const Case& c : {
             Case{"digit pairs", "01234567890123456789", {M::Ascii}},
             Case{"C40 upper case with a stop", "QUILLET DATA MATRIX. CODE", {M::C40}},
             Case{"Text lower case", "quillet data matrix code", {M::Text}},
             Case{"X12 separators", "ABC*DEF>GHI\rJKL*MNO>PQR*STU", {M::X12}},
             Case{"EDIFACT punctuation", "A.B:C;D<E=F?G@H[I\\J]K^L", {M::Edifact}},
             Case{"Base 256 bytes", cycled(high, 40), {M::Base256}},
             Case{"C40 then digits then Text", "PART NUMBER 123456789012345678 lower case text here",
                  {M::C40, M::Ascii, M::Text}},
             Case{"Text then bytes then C40", "some text " + cycled(high, 12) + "AND UPPER CASE AGAIN",
                  {M::Text, M::Base256, M::C40}},
             Case{"EDIFACT then X12", "A:B;C<D=E?F@G[H]I^J:K;L<" "ABC*DEF*GHI*JKL*MNO*PQR*",
                  {M::Edifact, M::X12}},
             Case{"shifts inside C40: controls, marks, lower case, bytes",
                  "ABCDEFGH\x01IJKL#MNOP\xC1QRSTU\x7fVWXYZ", {M::C40}},
             Case{"Upper Shift inside Text", "abcdefghij\xe9klmnopqrs\xe8tuvwxyz", {M::Text}},
             Case{"all bytes", [] { std::string s; for (int i = 0; i < 256; ++i) s.push_back(char(i)); return s; }(),
                  {M::Base256}},
         }) {
        SCOPED_TRACE(c.name);
        const DmPlan plan = dmPlan(dmChars(c.data, false));
        for (DmMode m : c.uses) EXPECT_TRUE(planUses(plan, m)) << int(m);
        const auto symbol = encodeDataMatrix(c.data, false);
        ASSERT_TRUE(symbol.has_value());
        const auto d = decodeSymbol(*symbol);
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(d.bytes, c.data);
    }
}

// Every length of each character class in the small sizes, so that data
// ends in every state of every encodation: after whole and partial
// triplets and groups, with the symbol full or not.
TEST(DataMatrixMatrix, EveryEndOfDataReadsBack) {
    const std::string high = highBytes();
    const std::vector<std::string> alphabets = {
        kUpper, "abcdefghijklmnopqrstuvwxyz ", "ABC*>\r0123 XYZ", "ABC:;<=>?@[]^ 0123", high,
        "aB3.\x01" "xY9~", "AB12cd" + high.substr(0, 3)};
    for (const DmSymbolSize& size : dmSymbolSizes()) {
        if (size.dataWords > 44) continue;
        for (size_t a = 0; a < alphabets.size(); ++a) {
            int fitted = 0;
            for (size_t length = 1; length <= size_t(3 * size.dataWords); ++length) {
                const std::string data = cycled(alphabets[a], length, 5);
                const auto symbol = encodeDataMatrix(data, false, &size);
                if (!symbol) break;
                ++fitted;
                const auto d = decodeSymbol(*symbol);
                ASSERT_TRUE(d.ok) << size.rows << "x" << size.cols << " alphabet " << a << " length " << length;
                ASSERT_EQ(d.bytes, data) << size.rows << "x" << size.cols << " alphabet " << a;
            }
            EXPECT_GT(fitted, 0) << size.rows << "x" << size.cols << " alphabet " << a;
        }
    }
}

// GS1 data: the leading FNC1 first, the others inside whatever encodation
// holds them; read back as GS1 (]d2) with GS separators.
TEST(DataMatrixMatrix, Gs1DataReadsAsGs1) {
    struct Case {
        const char* name;
        std::string data;
    };
    for (const Case& c : {
             Case{"one field", "\x1d" "0109501101530003"},
             Case{"separator after a lot", "\x1d" "0109501101530003" "10AB12\x1d" "17260101"},
             Case{"separator inside a C40 run", "\x1d" "10ABCDEFGHIJKLMNOP\x1d" "21QRSTUVWXYZABCD"},
             Case{"separator inside a Text run", "\x1d" "10abcdefghijklmnop\x1d" "21qrstuvwxyzabcd"},
             Case{"separator beside bytes", "\x1d" "21\xc1\xc2\xc3\xc4\xc5\xc6\xc7\xc8\x1d" "10XYZ"},
         }) {
        SCOPED_TRACE(c.name);
        const auto cw = dmCodewords(c.data, true);
        ASSERT_TRUE(cw.has_value());
        EXPECT_EQ(cw->data.front(), 232);
        const auto symbol = encodeDataMatrix(c.data, true);
        ASSERT_TRUE(symbol.has_value());
        const auto d = decodeSymbol(*symbol);
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(d.symbologyId, "]d2");
        EXPECT_EQ(d.bytes, c.data.substr(1));
        // Without the GS1 flag the same bytes are plain data.
        const auto plain = encodeDataMatrix(c.data, false);
        ASSERT_TRUE(plain.has_value());
        const auto p = decodeSymbol(*plain);
        EXPECT_EQ(p.symbologyId, "]d1");
        EXPECT_EQ(p.bytes, c.data);
    }
}

}  // namespace
}  // namespace quillet
