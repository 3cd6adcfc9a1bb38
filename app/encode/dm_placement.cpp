#include "app/encode/dm_placement.h"

#include <cstddef>

namespace quillet {

namespace {

// The mapping matrix: codeword number and bit (1 = most significant) for
// every position, or unset.
struct Mapping {
    int nrow, ncol;
    std::vector<int> cell;  // 8 * codeword + (bit - 1); -1 unset; -2 fixed dark; -3 fixed light

    Mapping(int r, int c) : nrow(r), ncol(c), cell(std::size_t(r) * c, -1) {}
    int& at(int r, int c) { return cell[std::size_t(r) * ncol + c]; }

    void module(int r, int c, int chr, int bit) {
        if (r < 0) {
            r += nrow;
            c += 4 - ((nrow + 4) % 8);
        }
        if (c < 0) {
            c += ncol;
            r += 4 - ((ncol + 4) % 8);
        }
        at(r, c) = 8 * chr + (bit - 1);
    }
    // The regular L-shaped 8-module character whose last bit is at (r, c).
    void utah(int r, int c, int chr) {
        module(r - 2, c - 2, chr, 1);
        module(r - 2, c - 1, chr, 2);
        module(r - 1, c - 2, chr, 3);
        module(r - 1, c - 1, chr, 4);
        module(r - 1, c, chr, 5);
        module(r, c - 2, chr, 6);
        module(r, c - 1, chr, 7);
        module(r, c, chr, 8);
    }
    // The four corner characters, split between the matrix's corners.
    void corner(int which, int chr) {
        static const int kCorner[4][8][2] = {
            {{-1, 0}, {-1, 1}, {-1, 2}, {0, -2}, {0, -1}, {1, -1}, {2, -1}, {3, -1}},
            {{-3, 0}, {-2, 0}, {-1, 0}, {0, -4}, {0, -3}, {0, -2}, {0, -1}, {1, -1}},
            {{-3, 0}, {-2, 0}, {-1, 0}, {0, -2}, {0, -1}, {1, -1}, {2, -1}, {3, -1}},
            {{-1, 0}, {-1, -1}, {0, -3}, {0, -2}, {0, -1}, {1, -3}, {1, -2}, {1, -1}},
        };
        for (int bit = 0; bit < 8; ++bit) {
            int r = kCorner[which][bit][0], c = kCorner[which][bit][1];
            if (r < 0) r += nrow;
            if (c < 0) c += ncol;
            at(r, c) = 8 * chr + bit;
        }
    }
};

Mapping placeCodewords(int nrow, int ncol) {
    Mapping m(nrow, ncol);
    int chr = 0, row = 4, col = 0;
    do {
        if (row == nrow && col == 0) m.corner(0, chr++);
        if (row == nrow - 2 && col == 0 && ncol % 4) m.corner(1, chr++);
        if (row == nrow - 2 && col == 0 && ncol % 8 == 4) m.corner(2, chr++);
        if (row == nrow + 4 && col == 2 && ncol % 8 == 0) m.corner(3, chr++);
        do {  // up and to the right
            if (row < nrow && col >= 0 && m.at(row, col) == -1) m.utah(row, col, chr++);
            row -= 2;
            col += 2;
        } while (row >= 0 && col < ncol);
        row += 1;
        col += 3;
        do {  // down and to the left
            if (row >= 0 && col < ncol && m.at(row, col) == -1) m.utah(row, col, chr++);
            row += 2;
            col -= 2;
        } while (row < nrow && col >= 0);
        row += 3;
        col += 1;
    } while (row < nrow || col < ncol);
    // Sizes whose matrix leaves the lower-right 2 x 2 empty get a fixed pattern.
    if (m.at(nrow - 1, ncol - 1) == -1) {
        m.at(nrow - 1, ncol - 1) = m.at(nrow - 2, ncol - 2) = -2;
        m.at(nrow - 1, ncol - 2) = m.at(nrow - 2, ncol - 1) = -3;
    }
    return m;
}

}  // namespace

std::vector<uint8_t> layoutEcc200(const std::vector<uint8_t>& codewords, int rows, int cols, int regionRows,
                                  int regionCols) {
    std::vector<uint8_t> out(std::size_t(rows) * cols, 0);
    if (regionRows < 1 || regionCols < 1) return out;
    const int vRegions = rows / (regionRows + 2), hRegions = cols / (regionCols + 2);
    Mapping m = placeCodewords(vRegions * regionRows, hRegions * regionCols);
    auto dark = [&](int r, int c) -> uint8_t& { return out[std::size_t(r) * cols + c]; };

    // Each region's frame: solid left and bottom edges, alternating top and
    // right edges (dark at the top-left and the bottom-right).
    for (int vr = 0; vr < vRegions; ++vr) {
        for (int hr = 0; hr < hRegions; ++hr) {
            const int top = vr * (regionRows + 2), left = hr * (regionCols + 2);
            const int bottom = top + regionRows + 1, right = left + regionCols + 1;
            for (int c = left; c <= right; ++c) {
                dark(bottom, c) = 1;
                dark(top, c) = (c - left) % 2 == 0;
            }
            for (int r = top; r <= bottom; ++r) {
                dark(r, left) = 1;
                dark(r, right) = (r - top) % 2 == 1;
            }
        }
    }
    for (int r = 0; r < m.nrow; ++r) {
        for (int c = 0; c < m.ncol; ++c) {
            const int v = m.at(r, c);
            bool on = v == -2;
            if (v >= 0) {
                const std::size_t chr = std::size_t(v / 8);
                const int bit = v % 8;
                on = chr < codewords.size() && (codewords[chr] >> (7 - bit)) & 1;
            }
            dark(1 + r + 2 * (r / regionRows), 1 + c + 2 * (c / regionCols)) = on;
        }
    }
    return out;
}

void interleave144Ecc(std::vector<uint8_t>& codewords, int dataWords) {
    const std::size_t start = std::size_t(dataWords);
    if (codewords.size() <= start || (codewords.size() - start) % 10) return;
    std::vector<uint8_t> ecc(codewords.begin() + dataWords, codewords.end());
    for (std::size_t i = 0; i < ecc.size(); ++i) {
        const std::size_t group = i / 10, block = i % 10;
        codewords[start + group * 10 + (block + 2) % 10] = ecc[i];
    }
}

}  // namespace quillet
