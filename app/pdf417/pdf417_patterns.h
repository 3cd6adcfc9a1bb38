#pragma once
// The PDF417 codeword pattern table (clusters 0, 3 and 6, stored as
// clusters 0, 1, 2), read once per run from the pattern file beside the
// program. Each entry's decimal digits are the eight element widths of the
// codeword, bar first.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillet {

struct Pdf417PatternTable {
    bool loaded = false;
    bool loadFailed = false;
    std::string path = "Cluster.Dat";  // relative to the program's folder
    std::array<std::array<int32_t, 929>, 3> patterns{};
};

// The table of this run.
Pdf417PatternTable& pdf417PatternTable();

// Reads 2787 integers (commas, blanks or line breaks between them): cluster
// 0 for codewords 0-928, then clusters 1 and 2. Every value must be a
// codeword pattern: eight widths of 1-6 modules adding up to 17. Returns
// false, leaving `patterns` partly filled, on any error.
bool ParsePdf417Patterns(std::string_view text, std::array<std::array<int32_t, 929>, 3>& patterns);

}  // namespace quillet
