#include "app/encode/qr_matrix.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace quillet {

namespace {

struct Gf256 {
    std::array<uint8_t, 512> exp{};
    std::array<int, 256> log{};
    Gf256() {
        int x = 1;
        for (int i = 0; i < 255; ++i) {
            exp[size_t(i)] = uint8_t(x);
            log[size_t(x)] = i;
            x <<= 1;
            if (x & 0x100) x ^= 0x11D;
        }
        for (int i = 255; i < 512; ++i) exp[size_t(i)] = exp[size_t(i - 255)];
    }
    uint8_t mul(uint8_t a, uint8_t b) const {
        return a && b ? exp[size_t(log[a] + log[b])] : 0;
    }
};

const Gf256& gf() {
    static const Gf256 field;
    return field;
}

// The generator polynomial (x - a^0)...(x - a^(n-1)), highest term first
// and left out (it is 1).
std::vector<uint8_t> generator(int n) {
    std::vector<uint8_t> poly{1};
    for (int i = 0; i < n; ++i) {
        std::vector<uint8_t> next(poly.size() + 1, 0);
        for (size_t j = 0; j < poly.size(); ++j) {
            next[j] ^= poly[j];
            next[j + 1] ^= gf().mul(poly[j], gf().exp[size_t(i)]);
        }
        poly = std::move(next);
    }
    return std::vector<uint8_t>(poly.begin() + 1, poly.end());
}

// Which modules hold a function pattern, and their colour.
struct Grid {
    int side;
    std::vector<uint8_t> dark, function;
    explicit Grid(int s) : side(s), dark(size_t(s) * s), function(size_t(s) * s) {}
    void set(int x, int y, bool d) {
        dark[size_t(y) * side + x] = d;
        function[size_t(y) * side + x] = 1;
    }
    bool isFunction(int x, int y) const { return function[size_t(y) * side + x]; }
};

void finder(Grid& g, int cx, int cy) {
    for (int dy = -4; dy <= 4; ++dy)
        for (int dx = -4; dx <= 4; ++dx) {
            const int x = cx + dx, y = cy + dy;
            if (x < 0 || y < 0 || x >= g.side || y >= g.side) continue;
            const int d = std::max(std::abs(dx), std::abs(dy));
            g.set(x, y, d != 2 && d != 4);
        }
}

void alignment(Grid& g, int cx, int cy) {
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) g.set(cx + dx, cy + dy, std::max(std::abs(dx), std::abs(dy)) != 1);
}

// BCH remainder of `value` shifted by the generator's degree.
int bchRemainder(int value, int generatorPoly, int degree) {
    int r = value << degree;
    for (int bit = 30; bit >= degree; --bit)
        if (r & (1 << bit)) r ^= generatorPoly << (bit - degree);
    return r;
}

void formatInformation(Grid& g, QrLevel level, int mask) {
    static constexpr int kLevelBits[4] = {1, 0, 3, 2};  // L, M, Q, H
    const int data = kLevelBits[int(level)] << 3 | mask;
    const int bits = ((data << 10) | bchRemainder(data, 0x537, 10)) ^ 0x5412;
    const int s = g.side;
    for (int i = 0; i < 15; ++i) {
        const bool d = (bits >> i) & 1;
        // Around the top-left finder.
        if (i < 6) g.set(8, i, d);
        else if (i < 8) g.set(8, i + 1, d);
        else if (i == 8) g.set(7, 8, d);
        else g.set(14 - i, 8, d);
        // Split between the other two finders.
        if (i < 8) g.set(s - 1 - i, 8, d);
        else g.set(8, s - 15 + i, d);
    }
    g.set(8, s - 8, true);
}

void versionInformation(Grid& g, int version) {
    if (version < 7) return;
    const int bits = (version << 12) | bchRemainder(version, 0x1F25, 12);
    for (int i = 0; i < 18; ++i) {
        const bool d = (bits >> i) & 1;
        const int a = g.side - 11 + i % 3, b = i / 3;
        g.set(a, b, d);
        g.set(b, a, d);
    }
}

Grid functionPatterns(int version) {
    Grid g(qrSide(version));
    const int s = g.side;
    for (int i = 8; i < s - 8; ++i) {
        g.set(i, 6, i % 2 == 0);
        g.set(6, i, i % 2 == 0);
    }
    finder(g, 3, 3);
    finder(g, s - 4, 3);
    finder(g, 3, s - 4);
    const std::vector<int> centres = qrAlignmentCentres(version);
    const size_t n = centres.size();
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < n; ++j) {
            const bool onFinder = (i == 0 && j == 0) || (i == 0 && j == n - 1) || (i == n - 1 && j == 0);
            if (!onFinder) alignment(g, centres[i], centres[j]);
        }
    formatInformation(g, QrLevel::L, 0);  // reserves the modules; written again with the mask
    versionInformation(g, version);
    return g;
}

// Data and error correction codewords interleaved block by block.
std::vector<uint8_t> interleave(int version, QrLevel level, const std::vector<uint8_t>& data) {
    const QrBlocks b = qrBlocks(version, level);
    const int longBlocks = b.totalCodewords % b.blocks;
    const int shortBlocks = b.blocks - longBlocks;
    const int shortData = b.totalCodewords / b.blocks - b.ecPerBlock;
    std::vector<std::vector<uint8_t>> dataBlocks, ecBlocks;
    size_t at = 0;
    for (int i = 0; i < b.blocks; ++i) {
        const size_t n = size_t(shortData + (i < shortBlocks ? 0 : 1));
        dataBlocks.emplace_back(data.begin() + long(at), data.begin() + long(at + n));
        at += n;
        ecBlocks.push_back(qrErrorCorrection(dataBlocks.back(), b.ecPerBlock));
    }
    std::vector<uint8_t> out;
    out.reserve(size_t(b.totalCodewords));
    for (int i = 0; i <= shortData; ++i)
        for (const auto& block : dataBlocks)
            if (size_t(i) < block.size()) out.push_back(block[size_t(i)]);
    for (int i = 0; i < b.ecPerBlock; ++i)
        for (const auto& block : ecBlocks) out.push_back(block[size_t(i)]);
    return out;
}

// Codeword bits upwards and downwards in column pairs from the bottom
// right, stepping over the vertical timing pattern.
void placeCodewords(Grid& g, const std::vector<uint8_t>& codewords) {
    const size_t bits = codewords.size() * 8;
    size_t i = 0;
    for (int right = g.side - 1; right >= 1; right -= 2) {
        if (right == 6) right = 5;
        const bool upwards = ((right + 1) & 2) == 0;
        for (int v = 0; v < g.side; ++v) {
            const int y = upwards ? g.side - 1 - v : v;
            for (int x = right; x >= right - 1; --x) {
                if (g.isFunction(x, y)) continue;
                g.dark[size_t(y) * g.side + x] = i < bits && ((codewords[i / 8] >> (7 - i % 8)) & 1);
                ++i;
            }
        }
    }
}

bool maskedAt(int mask, int x, int y) {
    switch (mask) {
    case 0: return (x + y) % 2 == 0;
    case 1: return y % 2 == 0;
    case 2: return x % 3 == 0;
    case 3: return (x + y) % 3 == 0;
    case 4: return (y / 2 + x / 3) % 2 == 0;
    case 5: return (x * y) % 2 + (x * y) % 3 == 0;
    case 6: return ((x * y) % 2 + (x * y) % 3) % 2 == 0;
    default: return ((x + y) % 2 + (x * y) % 3) % 2 == 0;
    }
}

void applyMask(Grid& g, int mask) {
    for (int y = 0; y < g.side; ++y)
        for (int x = 0; x < g.side; ++x)
            if (!g.isFunction(x, y) && maskedAt(mask, x, y)) g.dark[size_t(y) * g.side + x] ^= 1;
}

// The four penalty rules for a masked symbol: runs of five or more, 2x2
// blocks, finder-like 1:1:3:1:1 patterns beside four light modules, and
// the dark share's distance from half.
long penalty(const Grid& g) {
    const int s = g.side;
    auto at = [&](int x, int y) { return g.dark[size_t(y) * s + x] != 0; };
    long score = 0;
    for (int pass = 0; pass < 2; ++pass) {
        for (int a = 0; a < s; ++a) {
            auto cell = [&](int b) { return pass == 0 ? at(b, a) : at(a, b); };
            int run = 1;
            for (int b = 1; b <= s; ++b) {
                if (b < s && cell(b) == cell(b - 1)) {
                    ++run;
                    continue;
                }
                if (run >= 5) score += 3 + (run - 5);
                run = 1;
            }
            for (int b = 0; b + 6 < s; ++b) {
                static constexpr bool kFinder[7] = {true, false, true, true, true, false, true};
                bool match = true;
                for (int k = 0; k < 7 && match; ++k) match = cell(b + k) == kFinder[k];
                if (!match) continue;
                auto lightRun = [&](int from, int to) {
                    for (int k = from; k < to; ++k)
                        if (k >= 0 && k < s && cell(k)) return false;
                    return true;
                };
                if (lightRun(b - 4, b) || lightRun(b + 7, b + 11)) score += 40;
            }
        }
    }
    long darkCount = 0;
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x) {
            darkCount += at(x, y);
            if (x + 1 < s && y + 1 < s && at(x, y) == at(x + 1, y) && at(x, y) == at(x, y + 1) &&
                at(x, y) == at(x + 1, y + 1))
                score += 3;
        }
    const long total = long(s) * s;
    const long k = (std::labs(darkCount * 20 - total * 10) + total - 1) / total - 1;
    score += 10 * std::max(0L, k);
    return score;
}

}  // namespace

std::vector<uint8_t> qrErrorCorrection(const std::vector<uint8_t>& block, int ecCodewords) {
    const std::vector<uint8_t> g = generator(ecCodewords);
    std::vector<uint8_t> r(size_t(ecCodewords), 0);
    for (uint8_t d : block) {
        const uint8_t factor = d ^ r[0];
        r.erase(r.begin());
        r.push_back(0);
        for (size_t j = 0; j < r.size(); ++j) r[j] ^= gf().mul(g[j], factor);
    }
    return r;
}

QrSymbol qrSymbol(int version, QrLevel level, const std::vector<uint8_t>& data, int mask) {
    const Grid base = functionPatterns(version);
    Grid placed = base;
    placeCodewords(placed, interleave(version, level, data));
    QrSymbol best;
    long bestPenalty = -1;
    for (int m = 0; m < 8; ++m) {
        if (mask >= 0 && m != mask) continue;
        Grid g = placed;
        applyMask(g, m);
        formatInformation(g, level, m);
        const long p = mask >= 0 ? 0 : penalty(g);
        if (bestPenalty >= 0 && p >= bestPenalty) continue;
        bestPenalty = p;
        best = QrSymbol{version, g.side, std::move(g.dark), m};
    }
    return best;
}

}  // namespace quillet
