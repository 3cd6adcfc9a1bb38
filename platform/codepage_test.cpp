// Code pages against the C library's own iconv tables.
#include <gtest/gtest.h>
#include <iconv.h>

#include "platform/codepage.h"

namespace {

// Decodes one byte with iconv; U+FFFF when iconv has no mapping.
char32_t iconvDecode(const char* codepage, uint8_t byte) {
    iconv_t cd = iconv_open("UTF-32LE", codepage);
    if (cd == iconv_t(-1)) return 0xFFFF;
    char in[1] = {char(byte)};
    unsigned char out[8] = {};
    char* ip = in;
    char* op = reinterpret_cast<char*>(out);
    size_t il = 1, ol = sizeof out;
    size_t r = iconv(cd, &ip, &il, &op, &ol);
    iconv_close(cd);
    if (r == size_t(-1) || ol != 4) return 0xFFFF;
    return char32_t(out[0] | out[1] << 8 | out[2] << 16 | uint32_t(out[3]) << 24);
}

std::string allBytes() {
    std::string s;
    for (int b = 0; b < 256; ++b) s += char(b);
    return s;
}

}  // namespace

TEST(CodePage, TablesMatchTheCLibrary) {
    struct Case {
        const char* iconvName;
        char32_t (*ours)(uint8_t);
    } cases[] = {{"CP1252", platform::ansiToUnicode}, {"CP437", platform::oemToUnicode}};
    for (const Case& c : cases) {
        int compared = 0;
        for (int b = 0; b < 256; ++b) {
            char32_t expected = iconvDecode(c.iconvName, uint8_t(b));
            if (expected == 0xFFFF) continue;  // unassigned in iconv's table
            // iconv's CP437 gives the control codes below 0x20 and 0x7F as
            // such; ours are ASCII as well.
            EXPECT_EQ(c.ours(uint8_t(b)), expected) << c.iconvName << " byte " << b;
            ++compared;
        }
        EXPECT_GE(compared, 251) << c.iconvName;
    }
}

TEST(CodePage, RoundTrips) {
    const std::string bytes = allBytes();
    EXPECT_EQ(platform::utf8ToAnsi(platform::ansiToUtf8(bytes)), bytes);
    EXPECT_EQ(platform::utf8ToOem(platform::oemToUtf8(bytes)), bytes);
    // Every OEM byte but the box-drawing and Greek ones has an ANSI twin.
    std::string oem = platform::ansiToOem(bytes);
    for (int b = 0; b < 256; ++b)
        if (oem[size_t(b)] != '?') EXPECT_EQ(uint8_t(platform::oemToAnsi(oem.substr(size_t(b), 1))[0]), b) << b;
}

TEST(CodePage, KnownConversions) {
    struct Case {
        std::string (*convert)(const std::string&);
        std::string in, out;
    } cases[] = {
        {platform::utf8ToAnsi, "caf\xC3\xA9 \xE2\x82\xAC", "caf\xE9 \x80"},
        {platform::utf8ToAnsi, "\xE2\x94\x80", "?"},              // box drawing: not in 1252
        {platform::utf8ToAnsi, "a\xFF" "b", "a?b"},               // invalid byte
        {platform::utf8ToAnsi, "\xC0\xAF", "??"},                 // overlong '/'
        {platform::utf8ToAnsi, "\xED\xA0\x80", "???"},            // surrogate
        {platform::utf8ToAnsi, "\xE2\x82", "??"},                 // cut short
        {platform::utf8ToAnsi, "\xF0\x9F\x98\x80", "?"},          // outside the BMP
        {platform::ansiToUtf8, "\x80\x9F\xFF", "\xE2\x82\xAC\xC5\xB8\xC3\xBF"},
        {platform::ansiToOem, "\xC4\xE9\xA3\x80", "\x8E\x82\x9C?"},
        {platform::oemToAnsi, "\x8E\x82\x9C\xB3", "\xC4\xE9\xA3?"},
        {platform::ansiToOem, std::string("A\0B", 3), std::string("A\0B", 3)},
    };
    for (const Case& c : cases) EXPECT_EQ(c.convert(c.in), c.out) << c.in;
}

TEST(CodePage, CharactersTheAnsiPageLacks) {
    const struct {
        std::string utf8;
        std::vector<char32_t> outside;
    } cases[] = {
        {"Grüße €", {}},
        {"Grüße 日本 日", {0x65E5, 0x672C}},
        {"😀a😀", {0x1F600}},
        {"\x80\xC3", {}},  // not UTF-8: no characters at all
        {"Ω≠Ω", {0x3A9, 0x2260}},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::charactersOutsideAnsi(c.utf8), c.outside) << c.utf8;
}

TEST(CodePage, StoredMessageKeepsItsByteCodes) {
    const struct {
        std::string utf8, ansi;
    } cases[] = {
        {"Grüße €", "Gr\xFC\xDF" "e \x80"},
        // FNC1 (128) and other single bytes entered as codes are no UTF-8 and stay.
        {"\x80" "01\xB9", "\x80" "01\xB9"},
        {std::string("A\0B", 3), std::string("A\0B", 3)},
        {"日", "?"},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::utf8MessageToAnsi(c.utf8), c.ansi) << c.utf8;
}
