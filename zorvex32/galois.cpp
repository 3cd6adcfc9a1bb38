#include "zorvex32/galois.h"

#include <map>
#include <stdexcept>
#include <utility>

namespace zorvex {

int GaloisField::mul(int a, int b) const {
    if (a == 0 || b == 0) return 0;
    return exp[(log[a] + log[b]) % (size - 1)];
}

GaloisField makeField(int size, int polynomial) {
    GaloisField gf;
    gf.size = size;
    gf.polynomial = polynomial;
    gf.exp.resize(size - 1);
    gf.log.assign(size, 0);
    int v = 1;
    for (int i = 0; i < size - 1; ++i) {
        gf.exp[i] = uint16_t(v);
        gf.log[v] = uint16_t(i);
        v <<= 1;
        if (v >= size) v ^= polynomial;
    }
    gf.wideExp.assign(size_t(4) * (size - 1) + 1, 0);
    for (int i = 0; i < 2 * (size - 1); ++i) gf.wideExp[i] = gf.exp[i % (size - 1)];
    return gf;
}

const GaloisField& fieldForWordBits(int bits) {
    // x^4+x+1, x^6+x+1, x^8+x^5+x^3+x^2+1, x^10+x^3+1, x^12+x^6+x^5+x^3+1;
    // each built when first asked for, as a symbol needs only two of them.
    switch (bits) {
        case 4: { static const GaloisField gf = makeField(16, 0x13); return gf; }
        case 6: { static const GaloisField gf = makeField(64, 0x43); return gf; }
        case 8: { static const GaloisField gf = makeField(256, 0x12D); return gf; }
        case 10: { static const GaloisField gf = makeField(1024, 0x409); return gf; }
        case 12: { static const GaloisField gf = makeField(4096, 0x1069); return gf; }
    }
    throw std::invalid_argument("no Aztec field for this word size");
}

namespace {

int logOf(const GaloisField& gf, int v) { return v ? gf.log[v] : gf.zeroLog(); }

// Logs of the generator's coefficients with roots 2^1 .. 2^n, g[0] the
// highest power (always 1). Kept per field and degree: the library runs on
// one thread, and a program run asks for few degrees.
const std::vector<uint16_t>& generatorLogs(const GaloisField& gf, int n) {
    static std::map<std::pair<int, int>, std::vector<uint16_t>> cache;
    auto [it, added] = cache.try_emplace({gf.polynomial, n});
    if (!added) return it->second;
    std::vector<int> g{1};
    g.reserve(size_t(n) + 1);
    for (int i = 1; i <= n; ++i) {
        const int rootLog = i % (gf.size - 1);
        g.push_back(0);
        for (size_t k = g.size() - 1; k > 0; --k) g[k] ^= gf.wideExp[logOf(gf, g[k - 1]) + rootLog];
    }
    std::vector<uint16_t>& logs = it->second;
    logs.reserve(g.size());
    for (int c : g) logs.push_back(uint16_t(logOf(gf, c)));
    return logs;
}

}  // namespace

std::vector<int> checkWords(const GaloisField& gf, const std::vector<int>& data, int n) {
    if (n <= 0) return {};
    const uint16_t* g = generatorLogs(gf, n).data();
    const uint16_t* wide = gf.wideExp.data();
    // Long division of data(x) * x^n by g(x); `rem` holds the running remainder.
    std::vector<uint16_t> rem(size_t(n), 0);
    for (int d : data) {
        const int factor = d ^ rem[0];
        const int f = logOf(gf, factor);
        for (int k = 0; k + 1 < n; ++k) rem[k] = uint16_t(rem[k + 1] ^ wide[f + g[k + 1]]);
        rem[n - 1] = wide[f + g[n]];
    }
    return std::vector<int>(rem.begin(), rem.end());
}

}  // namespace zorvex
