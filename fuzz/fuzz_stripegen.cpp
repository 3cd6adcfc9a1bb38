// Feeds arbitrary messages to the five DataBar exports, with caller buffers
// of the size the program passes; the first byte chooses which outputs are
// left out (null pointers).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "stripegen/stripegen.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    uint8_t mask = data[0];
    std::string message(reinterpret_cast<const char*>(data + 1), size - 1);
    message = message.c_str();  // the exports read up to the first NUL
    std::vector<std::vector<char>> buffers(7, std::vector<char>(STRIPEGEN_BUFFER_SIZE));
    char* ptrs[7];
    for (int i = 0; i < 7; ++i) ptrs[i] = buffers[size_t(i)].data();
    char** out[7];
    for (int i = 0; i < 7; ++i) out[i] = (mask >> i) & 1 ? nullptr : &ptrs[i];
    int32_t rows = 0, perRow = 0;
    int32_t* rowsOut = (mask & 0x80) ? nullptr : &rows;
    char* mp = message.data();
    char** msg = (mask == 0xff) ? nullptr : &mp;
    RSSPattern(msg, out[0], out[1], out[2], rowsOut, &perRow);
    RSS14SPattern(msg, out[0], out[1], out[2], out[3], out[4], rowsOut, &perRow);
    RSS14SOPattern(msg, out[0], out[1], out[2], out[3], out[4], out[5], out[6], rowsOut, &perRow);
    RSSLimPattern(msg, out[0], out[1], out[2], rowsOut, &perRow);
    // Expanded: segments per row from the mask, lines into the first buffer.
    int32_t segments = int32_t(mask % 26);
    std::vector<int32_t> elements(STRIPEGEN_EXPANDED_MAX_LINES), darkFirst(STRIPEGEN_EXPANDED_MAX_LINES);
    RSSExpPattern(msg, (mask & 0x40) ? nullptr : &segments, out[0], rowsOut, (mask & 0x20) ? nullptr : elements.data(),
                  darkFirst.data(), out[1], out[2], rowsOut, &perRow, (mask & 0x10) ? nullptr : &segments);
    return 0;
}
