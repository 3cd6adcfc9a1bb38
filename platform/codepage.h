#pragma once
// The ANSI (Windows-1252) and OEM (code page 437) code pages.
#include <cstdint>
#include <string>
#include <vector>

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
// The same for a stored message, which may hold byte codes of its own
// (function characters, DDE character codes): bytes that are not UTF-8 stay.
std::string utf8MessageToAnsi(const std::string& utf8);
// The characters of UTF-8 text that the ANSI code page lacks, each once, in
// the order they first occur; invalid bytes are not characters and are left out.
std::vector<char32_t> charactersOutsideAnsi(const std::string& utf8);
std::string oemToUtf8(const std::string& oem);
std::string utf8ToOem(const std::string& utf8);

}  // namespace platform
