#include "stripegen/cc_encode.h"

#include "stripegen/cc_bits.h"
#include "stripegen/cc_date_lot.h"
#include "stripegen/gf929.h"

namespace stripegen {

namespace {
// Bits held by the final 0-6 codewords of CC-A: the largest b with 2^b < 928^k.
const int kCcaTailBits[7] = {0, 9, 19, 29, 39, 49, 59};
}  // namespace

int ccaBitCapacity(int dataCodewords) {
    if (dataCodewords < 0) return 0;
    return 69 * (dataCodewords / 7) + kCcaTailBits[dataCodewords % 7];
}

int ccbByteCapacity(int dataCodewords) {
    int cw = dataCodewords - 2;
    if (cw <= 0) return 0;
    return 6 * (cw / 5) + cw % 5;
}

std::vector<int> ccaCodewordsFromBits(const std::string& bits) {
    std::vector<int> out;
    size_t pos = 0;
    while (pos < bits.size()) {
        size_t len = bits.size() - pos < 69 ? bits.size() - pos : 69;
        int k = 7;
        if (len < 69) {
            k = 1;
            while (k < 7 && kCcaTailBits[k] < int(len)) ++k;
        }
        unsigned __int128 v = 0;
        for (size_t i = 0; i < len; ++i) v = (v << 1) | (bits[pos + i] == '1' ? 1u : 0u);
        std::vector<int> group(size_t(k), 0);
        for (int j = k - 1; j >= 0; --j) {
            group[size_t(j)] = int(v % 928);
            v /= 928;
        }
        out.insert(out.end(), group.begin(), group.end());
        pos += len;
    }
    return out;
}

std::vector<int> ccbCodewordsFromBytes(const std::vector<int>& bytes) {
    std::vector<int> out{920, bytes.size() % 6 == 0 ? 924 : 901};
    size_t i = 0;
    for (; i + 6 <= bytes.size(); i += 6) {
        uint64_t v = 0;
        for (size_t j = 0; j < 6; ++j) v = v * 256 + uint64_t(bytes[i + j] & 0xff);
        int group[5];
        for (int j = 4; j >= 0; --j) {
            group[j] = int(v % 900);
            v /= 900;
        }
        out.insert(out.end(), group, group + 5);
    }
    for (; i < bytes.size(); ++i) out.push_back(bytes[i] & 0xff);
    return out;
}

namespace {

// The data codewords of `gp` in one size; empty when they do not fit.
std::vector<int> dataCodewords(const GpBits& gp, const CcSize& size, bool isCcb) {
    if (!isCcb) {
        std::string bits = finishBits(gp, ccaBitCapacity(size.dataCodewords));
        return bits.empty() ? std::vector<int>{} : ccaCodewordsFromBits(bits);
    }
    int byteCount = ccbByteCapacity(size.dataCodewords);
    std::string bits = finishBits(gp, 8 * byteCount);
    if (bits.empty()) return {};
    std::vector<int> bytes(size_t(byteCount), 0);
    for (size_t i = 0; i < bits.size(); ++i)
        if (bits[i] == '1') bytes[i / 8] |= 0x80 >> (i % 8);
    std::vector<int> data = ccbCodewordsFromBytes(bytes);
    while (int(data.size()) < size.dataCodewords) data.push_back(900);
    return data;
}

CcComponent component(const std::vector<int>& data, const CcSize& size, int columns, bool isCcb) {
    CcComponent cc;
    cc.columns = columns;
    cc.isCcb = isCcb;
    if (int(data.size()) != size.dataCodewords) return cc;
    std::vector<int> ecc = reedSolomon929(data, size.eccCodewords);
    cc.codewords = data;
    cc.codewords.insert(cc.codewords.end(), ecc.begin(), ecc.end());
    cc.rows = size.rows;
    cc.ok = true;
    return cc;
}

}  // namespace

// The smallest CC-A that holds the data, else the smallest CC-B.
CcComponent encodeComposite(const std::string& message, int columns) {
    GpBits gp = compactComposite(message);
    if (gp.ok)
        for (bool isCcb : {false, true})
            for (const CcSize& s : isCcb ? ccbSizes(columns) : ccaSizes(columns)) {
                std::vector<int> data = dataCodewords(gp, s, isCcb);
                if (!data.empty()) return component(data, s, columns, isCcb);
            }
    CcComponent none;
    none.columns = columns;
    return none;
}

CcComponent encodeCompositeIn(const std::string& message, int columns, bool isCcb, int rows) {
    GpBits gp = compactComposite(message);
    for (const CcSize& s : isCcb ? ccbSizes(columns) : ccaSizes(columns))
        if (gp.ok && s.rows == rows) return component(dataCodewords(gp, s, isCcb), s, columns, isCcb);
    CcComponent none;
    none.columns = columns;
    return none;
}

}  // namespace stripegen
