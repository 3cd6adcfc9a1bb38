#pragma once
// Reading whole files for the automation commands: regular files only and
// never more than a caller's limit, so a device or an endless file cannot
// hang or exhaust the program.
#include <cstddef>
#include <string>
#include <vector>

namespace quillet {

enum class FileRead { Ok, TooLarge, Unreadable };

// Reads the file into bytes. TooLarge when it holds more than maxBytes
// (bytes then holds nothing); Unreadable with the system's reason in
// error.
FileRead readFileBytes(const std::string& path, size_t maxBytes, std::string& bytes, std::string& error);

// Lines of a text file without their line ends (CR LF, LF or CR); a line
// end at the very end does not start another line.
std::vector<std::string> splitTextLines(const std::string& bytes);

// The message box for a file that cannot be read.
std::string fileErrorText(const std::string& path, const std::string& reason);

}  // namespace quillet
