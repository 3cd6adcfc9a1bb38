#include "stripegen/gf929.h"

#include <cstddef>

namespace stripegen {

namespace {
int gPow[929];
int gLog[929];
}  // namespace

void buildGf929Tables() {
    int v = 1;
    for (int i = 0; i < 928; ++i) {
        gPow[i] = v;
        gLog[v] = i;
        v = v * 3 % 929;
    }
    gPow[928] = 1;
    gLog[0] = 0;
}

int gfMul(int a, int b) {
    if (a == 0 || b == 0) return 0;
    return gPow[(gLog[a] + gLog[b]) % 928];
}

// Generator polynomial (x - 3)(x - 3^2)...(x - 3^k), coefficients from the
// constant term up, leading 1 implied; the check codewords are the negated
// remainder of data(x) * x^k divided by it.
std::vector<int> reedSolomon929(const std::vector<int>& data, int k) {
    if (k <= 0) return {};
    if (gPow[0] != 1) buildGf929Tables();
    std::vector<int> g(size_t(k) + 1, 0);
    g[0] = 1;
    for (int i = 1; i <= k; ++i) {
        int root = gPow[i % 928];
        for (int j = i; j >= 0; --j) {
            int next = j > 0 ? g[size_t(j) - 1] : 0;
            g[size_t(j)] = (next + 929 - gfMul(g[size_t(j)], root)) % 929;
        }
    }
    // g[j] is the coefficient of x^j; g[k] == 1.
    std::vector<int> r(size_t(k), 0);  // r[j]: coefficient of x^j of the remainder
    for (int d : data) {
        int t = ((d % 929 + 929) % 929 + r[size_t(k) - 1]) % 929;
        for (int j = k - 1; j > 0; --j) r[size_t(j)] = (r[size_t(j) - 1] + 929 - gfMul(t, g[size_t(j)])) % 929;
        r[0] = (929 - gfMul(t, g[0])) % 929;
    }
    std::vector<int> ecc(static_cast<size_t>(k), 0);
    for (int j = 0; j < k; ++j) ecc[size_t(j)] = (929 - r[size_t(k) - 1 - j]) % 929;
    return ecc;
}

}  // namespace stripegen
