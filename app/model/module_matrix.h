#pragma once
// The module grid of a 2-D symbol.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillet {

// A module grid counted from 1 at the top-left; outside it every module is light.
struct ModuleMatrix {
    int rows = 0, cols = 0;
    std::vector<uint8_t> dark;  // row-major
    bool at(int r, int c) const {
        return r >= 1 && c >= 1 && r <= rows && c <= cols && dark[size_t(r - 1) * cols + (c - 1)] != 0;
    }
    bool operator==(const ModuleMatrix&) const = default;
};

}  // namespace quillet
