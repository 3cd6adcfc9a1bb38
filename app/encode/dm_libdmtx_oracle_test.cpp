// Our Data Matrix encoder beside libdmtx, an independent encoder used here
// as an oracle only: the same symbol table, the same codewords and modules
// where both must encode alike, and never more data codewords than its
// best encodation search, for a few hundred strings of mixed classes.
#include <gtest/gtest.h>
#include <dmtx.h>

#include <random>
#include <string>
#include <vector>

#include "app/encode/dm_encodation.h"
#include "app/encode/dm_placement.h"
#include "app/encode/dm_reed_solomon.h"
#include "app/encode/dm_test_util.h"

namespace quillet {
namespace {

struct Oracle {
    int rows = 0, cols = 0, dataWords = 0;
    std::vector<uint8_t> code;  // data and error correction
    std::vector<uint8_t> dark;  // row by row from the top-left
    int used = 0;               // data codewords before the pad codewords
};

int sizeIndex(int rows, int cols) {
    for (int i = 0; i < DmtxSymbolSquareCount + DmtxSymbolRectCount; ++i)
        if (dmtxGetSymbolAttribute(DmtxSymAttribSymbolRows, i) == rows &&
            dmtxGetSymbolAttribute(DmtxSymAttribSymbolCols, i) == cols)
            return i;
    return -1;
}

// The first pad is 129, each later one 129 randomised by its position.
bool isPadFrom(const std::vector<uint8_t>& code, int from, int dataWords) {
    if (code[size_t(from)] != 129) return false;
    for (int p = from + 1; p < dataWords; ++p) {
        int v = 129 + (149 * (p + 1)) % 253 + 1;
        if (v > 254) v -= 254;
        if (code[size_t(p)] != v) return false;
    }
    return true;
}

bool oracleEncode(const std::string& data, int sizeRequest, Oracle& out) {
    DmtxEncode* enc = dmtxEncodeCreate();
    dmtxEncodeSetProp(enc, DmtxPropScheme, DmtxSchemeAutoBest);
    dmtxEncodeSetProp(enc, DmtxPropSizeRequest, sizeRequest);
    dmtxEncodeSetProp(enc, DmtxPropModuleSize, 1);
    dmtxEncodeSetProp(enc, DmtxPropMarginSize, 0);
    std::vector<unsigned char> bytes(data.begin(), data.end());
    const bool ok = dmtxEncodeDataMatrix(enc, int(bytes.size()), bytes.data()) == DmtxPass;
    if (ok) {
        const int idx = enc->region.sizeIdx;
        out.rows = dmtxGetSymbolAttribute(DmtxSymAttribSymbolRows, idx);
        out.cols = dmtxGetSymbolAttribute(DmtxSymAttribSymbolCols, idx);
        out.dataWords = dmtxGetSymbolAttribute(DmtxSymAttribSymbolDataWords, idx);
        out.code.assign(enc->message->code, enc->message->code + enc->message->codeSize);
        // A lone 129 in the last place may as well be data (a Base 256
        // byte, say); it counts as data, which can only spare us here.
        out.used = out.dataWords;
        for (int p = 0; p + 1 < out.dataWords; ++p)
            if (isPadFrom(out.code, p, out.dataWords)) {
                out.used = p;
                break;
            }
        // libdmtx counts module rows from the bottom.
        out.dark.assign(size_t(out.rows) * out.cols, 0);
        for (int r = 0; r < out.rows; ++r)
            for (int c = 0; c < out.cols; ++c)
                out.dark[size_t(out.rows - 1 - r) * out.cols + c] =
                    (dmtxSymbolModuleStatus(enc->message, idx, r, c) & DmtxModuleOnRGB) ? 1 : 0;
    }
    dmtxEncodeDestroy(&enc);
    return ok;
}

TEST(DataMatrixOracle, SymbolTableMatches) {
    const auto sizes = dmSymbolSizes();
    ASSERT_EQ(int(sizes.size()), DmtxSymbolSquareCount + DmtxSymbolRectCount);
    for (int i = 0; i < int(sizes.size()); ++i) {
        const DmSymbolSize& s = sizes[size_t(i)];
        SCOPED_TRACE(std::to_string(s.rows) + "x" + std::to_string(s.cols));
        EXPECT_EQ(s.rows, dmtxGetSymbolAttribute(DmtxSymAttribSymbolRows, i));
        EXPECT_EQ(s.cols, dmtxGetSymbolAttribute(DmtxSymAttribSymbolCols, i));
        EXPECT_EQ(s.regionRows, dmtxGetSymbolAttribute(DmtxSymAttribDataRegionRows, i));
        EXPECT_EQ(s.regionCols, dmtxGetSymbolAttribute(DmtxSymAttribDataRegionCols, i));
        EXPECT_EQ(s.dataWords, dmtxGetSymbolAttribute(DmtxSymAttribSymbolDataWords, i));
        EXPECT_EQ(s.eccWords, dmtxGetSymbolAttribute(DmtxSymAttribSymbolErrorWords, i));
        EXPECT_EQ(s.blocks, dmtxGetSymbolAttribute(DmtxSymAttribInterleavedBlocks, i));
        // The mapping matrix holds the codewords, 8 modules each (four
        // modules left over in some squares).
        const int mapped = (s.rows - 2 * (s.rows / (s.regionRows + 2))) * (s.cols - 2 * (s.cols / (s.regionCols + 2)));
        EXPECT_EQ(mapped / 8, s.dataWords + s.eccWords);
    }
}

// One character is one ASCII codeword, and the pad codewords leave no
// choice: every size gives the same codewords, error correction included,
// and the same modules. (Longer digit runs differ: libdmtx leaves the last
// digits unpaired when the symbol has room.)
TEST(DataMatrixOracle, SameCodewordsAndModulesWhereThereIsNoChoice) {
    for (const DmSymbolSize& s : dmSymbolSizes()) {
        for (const std::string data : {"1", "A", "z"}) {
            SCOPED_TRACE(std::to_string(s.rows) + "x" + std::to_string(s.cols) + " " + data);
            const auto cw = dmCodewords(data, false, &s);
            ASSERT_TRUE(cw.has_value());
            Oracle o;
            ASSERT_TRUE(oracleEncode(data, sizeIndex(s.rows, s.cols), o));
            std::vector<uint8_t> theirs = o.code;
            if (s.rows == 144) interleave144Ecc(theirs, s.dataWords);  // readers' block order
            EXPECT_EQ(dmWithErrorCorrection(cw->data, s), theirs);
            if (s.rows == 144) continue;
            const auto symbol = encodeDataMatrix(data, false, &s);
            ASSERT_TRUE(symbol.has_value());
            EXPECT_EQ(symbol->dark, o.dark);
        }
    }
}

// The worked example "123456" in 10 x 10: both encoders give the standard's
// codewords and the same module matrix.
TEST(DataMatrixOracle, WorkedExampleMatrix) {
    Oracle o;
    ASSERT_TRUE(oracleEncode("123456", sizeIndex(10, 10), o));
    EXPECT_EQ(o.code, (std::vector<uint8_t>{142, 164, 186, 114, 25, 5, 88, 102}));
    const auto symbol = encodeDataMatrix("123456", false);
    ASSERT_TRUE(symbol.has_value());
    ASSERT_EQ(symbol->rows, 10);
    ASSERT_EQ(symbol->cols, 10);
    EXPECT_EQ(symbol->dark, o.dark);
}

// Runs of one class of characters after another, of random lengths.
std::string mixedString(std::mt19937& rng) {
    static const std::vector<std::string> kClasses = {
        "0123456789", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz", " .,-/",
        "\r*> ", ":;<=>?@[\\]^", "\x01\x02\x09\x0a\x1b\x1f", "\x80\xa9\xc4\xe9\xfc\xff", "!\"#$%&'()+_`{|}~"};
    std::string s;
    const int runs = 1 + int(rng() % 8);
    for (int r = 0; r < runs; ++r) {
        const std::string& cls = kClasses[rng() % kClasses.size()];
        const int length = 1 + int(rng() % 24);
        for (int i = 0; i < length; ++i) s.push_back(cls[rng() % cls.size()]);
    }
    return s;
}

TEST(DataMatrixOracle, NeverMoreCodewordsThanItsBestSearch) {
    std::mt19937 rng(2024);
    int fewer = 0, compared = 0;
    for (int n = 0; n < 400; ++n) {
        const std::string data = mixedString(rng);
        Oracle o;
        if (!oracleEncode(data, DmtxSymbolSquareAuto, o)) continue;
        ++compared;
        const DmPlan plan = dmPlan(dmChars(data, false));
        const auto symbol = encodeDataMatrix(data, false);
        ASSERT_TRUE(symbol.has_value()) << n;
        EXPECT_LE(plan.capacityNeeded, o.used) << n;
        EXPECT_LE(symbol->rows, o.rows) << n;
        if (plan.capacityNeeded < o.used) ++fewer;
        const auto d = test::decodeSymbol(*symbol);
        ASSERT_TRUE(d.ok) << n;
        EXPECT_EQ(d.bytes, data) << n;
    }
    EXPECT_GT(compared, 350);
    EXPECT_GT(fewer, 0);
}

}  // namespace
}  // namespace quillet
