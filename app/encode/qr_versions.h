#pragma once
// QR Code (model 2) symbol versions: size, codeword capacity, error
// correction blocks and alignment pattern centres.
#include <vector>

namespace quillet {

enum class QrLevel { L = 0, M = 1, Q = 2, H = 3 };

struct QrBlocks {
    int totalCodewords = 0;  // data and error correction, all blocks
    int ecPerBlock = 0;
    int blocks = 0;
    int dataCodewords() const { return totalCodewords - ecPerBlock * blocks; }
};

inline int qrSide(int version) { return 17 + 4 * version; }
QrBlocks qrBlocks(int version, QrLevel level);
std::vector<int> qrAlignmentCentres(int version);

}  // namespace quillet
