#include "app/encode/dm_reed_solomon.h"

#include <array>

#include "app/encode/dm_placement.h"

namespace quillet {

namespace {

struct Field {
    std::array<uint8_t, 512> exp{};
    std::array<int, 256> log{};
};

constexpr Field makeField() {
    Field f;
    int x = 1;
    for (int i = 0; i < 255; ++i) {
        f.exp[size_t(i)] = uint8_t(x);
        f.log[size_t(x)] = i;
        x <<= 1;
        if (x & 0x100) x ^= 0x12D;
    }
    for (int i = 255; i < 512; ++i) f.exp[size_t(i)] = f.exp[size_t(i - 255)];
    return f;
}

constexpr Field kField = makeField();

uint8_t mul(uint8_t a, uint8_t b) {
    return a && b ? kField.exp[size_t(kField.log[a] + kField.log[b])] : 0;
}

}  // namespace

std::vector<uint8_t> dmGenerator(int eccWords) {
    // g(x) = (x + 2^1)(x + 2^2)...; poly[0] is the leading coefficient.
    std::vector<uint8_t> poly{1};
    for (int i = 1; i <= eccWords; ++i) {
        const uint8_t root = kField.exp[size_t(i)];
        poly.push_back(0);
        for (size_t j = poly.size() - 1; j > 0; --j) poly[j] ^= mul(poly[j - 1], root);
    }
    poly.erase(poly.begin());
    return poly;
}

std::vector<uint8_t> dmBlockEcc(const std::vector<uint8_t>& data, const std::vector<uint8_t>& g) {
    std::vector<uint8_t> rem(g.size(), 0);
    for (uint8_t d : data) {
        const uint8_t factor = d ^ rem[0];
        for (size_t j = 0; j + 1 < rem.size(); ++j) rem[j] = rem[j + 1] ^ mul(g[j], factor);
        rem.back() = mul(g.back(), factor);
    }
    return rem;
}

std::vector<uint8_t> dmWithErrorCorrection(const std::vector<uint8_t>& data, const DmSymbolSize& size) {
    std::vector<uint8_t> out = data;
    out.resize(size_t(size.dataWords + size.eccWords), 0);
    const int blocks = size.blocks, eccPerBlock = size.eccWords / blocks;
    const std::vector<uint8_t> generator = dmGenerator(eccPerBlock);
    std::vector<uint8_t> block;
    for (int b = 0; b < blocks; ++b) {
        block.clear();
        for (int i = b; i < size.dataWords; i += blocks) block.push_back(data[size_t(i)]);
        const std::vector<uint8_t> ecc = dmBlockEcc(block, generator);
        for (int j = 0; j < eccPerBlock; ++j) out[size_t(size.dataWords + j * blocks + b)] = ecc[size_t(j)];
    }
    // The largest symbol's blocks are not all the same length, so its
    // error correction codewords go on with the block after the last data.
    if (size.rows == 144) interleave144Ecc(out, size.dataWords);
    return out;
}

}  // namespace quillet
