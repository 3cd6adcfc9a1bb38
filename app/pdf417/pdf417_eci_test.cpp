// UTF-8 text in PDF417: the ECI codeword and its designator before the
// bytes, which always go in Byte Compaction.
#include <gtest/gtest.h>

#include "app/pdf417/pdf417_compaction.h"

namespace quillet {
namespace {

TEST(Pdf417Eci, DesignatorThenByteCompaction) {
    const struct { int eci; std::string bytes; std::vector<int> codewords; } cases[] = {
        {26, "ab", {927, 26, 901, 97, 98}},
        {26, "\xE6\x97\xA5", {927, 26, 901, 0xE6, 0x97, 0xA5}},
        {3, "", {927, 3, 924}},
        {899, "A", {927, 899, 901, 65}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PdfCodewordsFromString(CompactWithEci(c.eci, c.bytes)), c.codewords) << c.eci << " " << c.bytes;
}

}  // namespace
}  // namespace quillet
