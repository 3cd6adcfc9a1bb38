#pragma once
// Little-endian byte output shared by the formats written without a library.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_output.h"

namespace quillet::imgconv {

inline void putLe16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

inline void putLe32(std::vector<uint8_t>& out, uint32_t v) {
    putLe16(out, v & 0xFFFF);
    putLe16(out, v >> 16);
}

inline bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    return platform::writeFileBytes(path, bytes);
}

}  // namespace quillet::imgconv
