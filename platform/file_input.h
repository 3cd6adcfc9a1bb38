#pragma once
// Reading whole files through the system's calls. C++ streams would set up
// the standard library's locales on their first use, which costs a small
// program most of a megabyte of memory; configuration and picture files
// are read on every run.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The whole of path (a regular file, FIFO or device, read to its end).
// False, with errno set, when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& out);
bool readWholeFile(const std::string& path, std::vector<uint8_t>& out);

// The file's lines without their line ends (LF, or CR LF); a last line
// without one counts. Empty when the file cannot be read.
std::vector<std::string> readFileLines(const std::string& path);

}  // namespace platform
