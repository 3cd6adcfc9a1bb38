#include "app/render/encode32.h"

#include "app/encode/dm_matrix.h"

#include <cstring>
#include <string>
#include <utility>

namespace quillet {

namespace {

// The symbol of the last successful encode.
DmSymbol g_symbol;

// 1558 data codewords in a 144 x 144 symbol, two digits to a codeword at
// best: no longer message can fit any symbol.
constexpr int kMostInputBytes = 3116;

// ECC 200 escapes: "~~" a tilde, "~@" a NUL; a tilde before anything else
// (or at the end) is an ordinary character.
std::string unescape(const char* message, int length) {
    std::string out;
    out.reserve(size_t(length));
    for (int i = 0; i < length; ++i) {
        const char ch = message[i];
        if (ch == '~' && i + 1 < length && (message[i + 1] == '~' || message[i + 1] == '@')) {
            out.push_back(message[i + 1] == '~' ? '~' : '\0');
            ++i;
        } else {
            out.push_back(ch);
        }
    }
    return out;
}

bool allowedByFormat(int format, unsigned char c) {
    const bool digit = c >= '0' && c <= '9', upper = c >= 'A' && c <= 'Z', space = c == ' ';
    switch (format) {
    case 1: return digit;
    case 2: return upper || space;
    case 3: return upper || digit || space;
    case 4: return upper || digit || space || c == '.' || c == ',' || c == '-' || c == '/';
    case 5: return c < 128;
    case 6: return true;
    default: return false;
    }
}

}  // namespace

int16_t IDM_initialize(int16_t) {
    g_symbol = {};
    return 0;
}

int16_t IDM_self_test() {
    static const char kText[] = "Self test 0123456789";
    int16_t rows = 0, cols = 0;
    if (IDM_enc_complete(5, 26, 0, 0, 0, 1, kText, &rows, &cols, int16_t(std::strlen(kText))) != 0) return 1;
    if (rows < 10 || rows != cols) return 1;
    // Solid left and bottom edges; alternating top and right edges that
    // start dark at the top-left and end dark at the bottom-right.
    for (int i = 1; i <= rows; ++i) {
        if (get_dm_cell(int16_t(i), 1) != 1 || get_dm_cell(int16_t(rows), int16_t(i)) != 1) return 1;
        if (get_dm_cell(1, int16_t(i)) != (i % 2 == 1 ? 1 : 0)) return 1;
        if (get_dm_cell(int16_t(i), int16_t(cols)) != (i % 2 == 0 ? 1 : 0)) return 1;
    }
    return 0;
}

int16_t IDM_enc_complete(int16_t dataFormat, int16_t eccCode, int16_t rows, int16_t cols, int16_t gs1, int16_t,
                         const char* message, int16_t* rowsOut, int16_t* colsOut, int16_t length) {
    g_symbol = {};
    if (rowsOut) *rowsOut = 0;
    if (colsOut) *colsOut = 0;
    if (!message || length <= 0) return kIdmTooShort;

    if (eccCode != 26) {
        for (int i = 0; i < length; ++i)
            if (!allowedByFormat(dataFormat, static_cast<unsigned char>(message[i]))) return kIdmInvalidCharacters;
        return kIdmEccNotAvailable;
    }

    const bool automatic = rows == 0 && cols == 0;
    const DmSymbolSize* size = nullptr;
    if (!automatic) {
        size = dmFindSize(rows, cols);
        if (!size) return kIdmUnknownSize;
    }
    const std::string data = unescape(message, length);
    if (int(data.size()) > kMostInputBytes) return automatic ? kIdmTooLongInput : kIdmTooLongForSize;
    auto symbol = encodeDataMatrix(data, gs1 == 1, size);
    if (!symbol) return automatic ? kIdmTooLong : kIdmTooLongForSize;
    g_symbol = std::move(*symbol);
    if (rowsOut) *rowsOut = int16_t(g_symbol.rows);
    if (colsOut) *colsOut = int16_t(g_symbol.cols);
    return 0;
}

int16_t get_dm_cell(int16_t row, int16_t col) {
    if (row < 1 || col < 1 || row > g_symbol.rows || col > g_symbol.cols) return 0;
    return g_symbol.dark[size_t(row - 1) * g_symbol.cols + (col - 1)] ? 1 : 0;
}

}  // namespace quillet
