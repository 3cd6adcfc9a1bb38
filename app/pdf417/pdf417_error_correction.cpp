// Error correction codewords: the remainder of the data polynomial times
// x^k divided by the generator polynomial, negated modulo 929.
#include "app/pdf417/pdf417_error_correction.h"

namespace quillet {

std::vector<int> Pdf417ErrorCorrection(const std::vector<int>& data, int level) {
    std::span<const uint16_t> a = Pdf417EcCoefficients(level);
    const size_t k = a.size();
    std::vector<int> ec(k, 0);
    if (k == 0) return ec;
    for (int d : data) {
        int t = (d + ec[k - 1]) % 929;
        for (size_t j = k - 1; j >= 1; --j) ec[j] = (ec[j - 1] + 929 - (t * a[j]) % 929) % 929;
        ec[0] = (929 - (t * a[0]) % 929) % 929;
    }
    std::vector<int> out(ec.rbegin(), ec.rend());
    for (int& v : out)
        if (v != 0) v = 929 - v;
    return out;
}

}  // namespace quillet
