#pragma once
// Reading whole files for the automation commands: regular files only and
// never more than a caller's limit, so a device or an endless file cannot
// hang or exhaust the program.
#include <cstddef>
#include <string>

namespace quillet {

enum class FileRead { Ok, TooLarge, Unreadable };

// Reads the file into bytes. TooLarge when it holds more than maxBytes
// (bytes then holds nothing); Unreadable with the system's reason in
// error.
FileRead readFileBytes(const std::string& path, size_t maxBytes, std::string& bytes, std::string& error);

// The message box for a file that cannot be read.
std::string fileErrorText(const std::string& path, const std::string& reason);

}  // namespace quillet
