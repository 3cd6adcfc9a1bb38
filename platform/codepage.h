#pragma once
// The ANSI (Windows-1252) and OEM (code page 437) code pages.
#include <cstdint>
#include <string>

namespace platform {

// The Unicode code point of a byte; undefined Windows-1252 bytes map to
// the C1 control of the same value, so every byte converts both ways.
char32_t ansiToUnicode(uint8_t b);
char32_t oemToUnicode(uint8_t b);
// The byte of a code point, or nothing (returns false).
bool unicodeToAnsi(char32_t c, uint8_t& out);
bool unicodeToOem(char32_t c, uint8_t& out);

// Byte-for-byte conversions; characters the target lacks become '?'.
std::string ansiToOem(const std::string& ansi);
std::string oemToAnsi(const std::string& oem);
// UTF-8 to ANSI: invalid UTF-8 bytes and unmappable characters become '?'.
std::string utf8ToAnsi(const std::string& utf8);
std::string ansiToUtf8(const std::string& ansi);
std::string oemToUtf8(const std::string& oem);
std::string utf8ToOem(const std::string& utf8);

}  // namespace platform
