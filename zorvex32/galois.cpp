#include "zorvex32/galois.h"

#include <stdexcept>

namespace zorvex {

int GaloisField::mul(int a, int b) const {
    if (a == 0 || b == 0) return 0;
    return exp[(log[a] + log[b]) % (size - 1)];
}

GaloisField makeField(int size, int polynomial) {
    GaloisField gf;
    gf.size = size;
    gf.exp.resize(size - 1);
    gf.log.assign(size, 0);
    int v = 1;
    for (int i = 0; i < size - 1; ++i) {
        gf.exp[i] = uint16_t(v);
        gf.log[v] = uint16_t(i);
        v <<= 1;
        if (v >= size) v ^= polynomial;
    }
    return gf;
}

const GaloisField& fieldForWordBits(int bits) {
    // x^4+x+1, x^6+x+1, x^8+x^5+x^3+x^2+1, x^10+x^3+1, x^12+x^6+x^5+x^3+1
    static const GaloisField gf16 = makeField(16, 0x13);
    static const GaloisField gf64 = makeField(64, 0x43);
    static const GaloisField gf256 = makeField(256, 0x12D);
    static const GaloisField gf1024 = makeField(1024, 0x409);
    static const GaloisField gf4096 = makeField(4096, 0x1069);
    switch (bits) {
        case 4: return gf16;
        case 6: return gf64;
        case 8: return gf256;
        case 10: return gf1024;
        case 12: return gf4096;
    }
    throw std::invalid_argument("no Aztec field for this word size");
}

std::vector<int> checkWords(const GaloisField& gf, const std::vector<int>& data, int n) {
    if (n <= 0) return {};
    // Generator coefficients, g[0] the highest power (always 1).
    std::vector<int> g{1};
    for (int i = 1; i <= n; ++i) {
        int root = gf.exp[i % (gf.size - 1)];
        std::vector<int> next(g.size() + 1, 0);
        for (size_t k = 0; k < g.size(); ++k) {
            next[k] ^= g[k];
            next[k + 1] ^= gf.mul(g[k], root);
        }
        g = std::move(next);
    }
    // Long division of data(x) * x^n by g(x); `rem` holds the running remainder.
    std::vector<int> rem(n, 0);
    for (int d : data) {
        int factor = d ^ rem[0];
        for (int k = 0; k + 1 < n; ++k) rem[k] = rem[k + 1] ^ gf.mul(factor, g[k + 1]);
        rem[n - 1] = gf.mul(factor, g[n]);
    }
    return rem;
}

}  // namespace zorvex
