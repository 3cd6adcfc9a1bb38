#include "app/encode/qr_versions.h"

#include <cstddef>

namespace quillet {

namespace {

// Error correction codewords in each block and the number of blocks, by
// level (L, M, Q, H) and version 1-40: the published table of QR Code's
// error correction characteristics.
constexpr int kEcPerBlock[4][40] = {
    {7, 10, 15, 20, 26, 18, 20, 24, 30, 18, 20, 24, 26, 30, 22, 24, 28, 30, 28, 28,
     28, 28, 30, 30, 26, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {10, 16, 26, 18, 24, 16, 18, 22, 22, 26, 30, 22, 22, 24, 24, 28, 28, 26, 26, 26,
     26, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28},
    {13, 22, 18, 26, 18, 24, 18, 22, 20, 24, 28, 26, 24, 20, 30, 24, 28, 28, 26, 30,
     28, 30, 30, 30, 30, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {17, 28, 22, 16, 22, 28, 26, 26, 24, 28, 24, 28, 22, 24, 24, 30, 28, 28, 26, 28,
     30, 24, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30}};
constexpr int kBlocks[4][40] = {
    {1, 1, 1, 1, 1, 2, 2, 2, 2, 4, 4, 4, 4, 4, 6, 6, 6, 6, 7, 8,
     8, 9, 9, 10, 12, 12, 12, 13, 14, 15, 16, 17, 18, 19, 19, 20, 21, 22, 24, 25},
    {1, 1, 1, 2, 2, 4, 4, 4, 5, 5, 5, 8, 9, 9, 10, 10, 11, 13, 14, 16,
     17, 17, 18, 20, 21, 23, 25, 26, 28, 29, 31, 33, 35, 37, 38, 40, 43, 45, 47, 49},
    {1, 1, 2, 2, 4, 4, 6, 6, 8, 8, 8, 10, 12, 16, 12, 17, 16, 18, 21, 20,
     23, 23, 25, 27, 29, 34, 34, 35, 38, 40, 43, 45, 48, 51, 53, 56, 59, 62, 65, 68},
    {1, 1, 2, 4, 4, 4, 5, 6, 8, 8, 11, 11, 16, 16, 18, 16, 19, 21, 25, 25,
     25, 34, 30, 32, 35, 37, 40, 42, 45, 48, 51, 54, 57, 60, 63, 66, 70, 74, 77, 81}};

int alignmentCount(int version) { return version < 2 ? 0 : version / 7 + 2; }

// Modules left for codewords once finder, timing, alignment and version
// patterns and the format information are placed (remainder bits included).
int codewordModules(int version) {
    const int side = qrSide(version);
    int modules = side * side - 3 * 64 - 2 * (side - 16) - 31;  // finders with separators, timing, format, dark
    const int n = alignmentCount(version);
    if (n > 0) modules -= 25 * (n * n - 3) - 10 * (n - 2);  // those on the timing lines share 5 modules with them
    if (version >= 7) modules -= 36;
    return modules;
}

}  // namespace

QrBlocks qrBlocks(int version, QrLevel level) {
    const int l = int(level), v = version - 1;
    return {codewordModules(version) / 8, kEcPerBlock[l][v], kBlocks[l][v]};
}

std::vector<int> qrAlignmentCentres(int version) {
    const int n = alignmentCount(version);
    if (n == 0) return {};
    const int last = qrSide(version) - 7;
    // Evenly spaced from the last towards 6 in even steps; version 32 is
    // the one exception to the rounding.
    const int span = last - 6;
    int step = version == 32 ? 26 : ((span + 2 * (n - 1) - 1) / (2 * (n - 1))) * 2;
    std::vector<int> centres(static_cast<size_t>(n));
    centres[0] = 6;
    for (int i = n - 1, c = last; i >= 1; --i, c -= step) centres[size_t(i)] = c;
    return centres;
}

}  // namespace quillet
