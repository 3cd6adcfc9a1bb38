#pragma once
// The Aztec module matrix: finder, orientation marks, reference grid, mode
// message and data layers.
#include <cstdint>
#include <vector>

#include "zorvex32/aztec_size.h"

// Visible outside the library so that its tests can reach it.
#pragma GCC visibility push(default)
namespace zorvex {

// N x N modules in rows of (N + 7) / 8 bytes, leftmost module in the most
// significant bit.
struct ModuleMatrix {
    int side = 0;
    std::vector<uint8_t> bytes;

    explicit ModuleMatrix(int n = 0) : side(n), bytes(size_t(n) * stride(), 0) {}
    int stride() const { return (side + 7) / 8; }
    bool dark(int row, int col) const { return bytes[size_t(row) * stride() + col / 8] & (0x80 >> (col % 8)); }
    void set(int row, int col) { bytes[size_t(row) * stride() + col / 8] |= uint8_t(0x80 >> (col % 8)); }
    // Centre-relative position, y upward.
    void setXY(int x, int y) { set(side / 2 - y, side / 2 + x); }
    bool darkXY(int x, int y) const { return dark(side / 2 - y, side / 2 + x); }
};

// The mode message: 2 + 5 (compact) or 4 + 6 (full-range) words of 4 bits.
std::vector<int> modeMessage(const SymbolSize& s, int dataWords, bool menu);

// Centre-relative positions of the data-layer bits, in filling order
// (innermost layer first); their number is the symbol's capacity.
struct Point {
    int x;
    int y;
};
std::vector<Point> dataLayerPath(const SymbolSize& s);
// Positions of the mode message bits, in order.
std::vector<Point> modeMessagePath(bool compact);

// Lays out the symbol from all its codewords (data then check words).
ModuleMatrix layoutSymbol(const SymbolSize& s, const std::vector<int>& codewords, int dataWords, bool menu);

}  // namespace zorvex
#pragma GCC visibility pop
