#pragma once
// The Data Matrix encoder library the program calls: initialisation, a self
// test, encoding of one message, and the module grid of the last symbol.
// This implementation encodes ECC 200 symbols with the encoder of
// app/encode and keeps the last symbol in static storage (one caller at a
// time, as with any library that keeps work tables).
#include <cstdint>

namespace quillet {

// Result codes of IDM_enc_complete (0 = success).
enum : int16_t {
    kIdmTooShort = 3023,        // no data
    kIdmTooLong = 1024,         // does not fit the largest automatic square
    kIdmTooLongInput = 3024,    // longer than any symbol can hold, not tried
    kIdmInvalidCharacters = 1025,  // a character the data format does not allow
    kIdmTooLongForSize = 1032,  // does not fit the requested symbol size
    // Error correction codes ECC 000 to ECC 140 (and any code other than
    // 26): this encoder makes ECC 200 symbols only.
    kIdmEccNotAvailable = 1040,
    kIdmUnknownSize = 1041,     // requested rows x columns is no ECC 200 size
};

// 0 when the encoder is usable. The argument is reserved (pass 0).
int16_t IDM_initialize(int16_t reserved);
// Encodes a known message and checks the symbol's finder and timing
// patterns: 0 when they are right.
int16_t IDM_self_test();

// Encodes `length` bytes of `message`.
// dataFormat: 1 numeric, 2 A-Z and space, 3 A-Z, 0-9 and space, 4 as 3 with
// . , - /, 5 ASCII, 6 binary (checked for ECC 000-140 only).
// eccCode: 26 = ECC 200 (0, 3, 6, 8, 12 = ECC 000-140, not available).
// rows x cols: a fixed ECC 200 size, or 0 x 0 for the smallest square.
// With ECC 200 the message may hold the escapes "~~" (one tilde) and "~@"
// (a NUL byte); any other tilde stands for itself.
// gs1 = 1: every GS byte (29) is encoded as FNC1, a leading one marking GS1 data.
// Returns 0 with the symbol size in rowsOut x colsOut, or a code above.
int16_t IDM_enc_complete(int16_t dataFormat, int16_t eccCode, int16_t rows, int16_t cols, int16_t gs1,
                         int16_t reserved1, const char* message, int16_t* rowsOut, int16_t* colsOut,
                         int16_t length);

// 1 when module (row, col) of the last symbol is dark, counted from 1 at the
// top-left corner; 0 for light modules and for positions outside it.
int16_t get_dm_cell(int16_t row, int16_t col);

}  // namespace quillet
