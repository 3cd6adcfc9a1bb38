#pragma once
// Writing whole files with as few file-system calls as the job needs.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// Creates or truncates the file and writes the bytes: one open, the writes,
// one close. False when any of them failed.
bool writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Writes the bytes over a file that is rewritten again and again (the
// scratch metafile): in place, then cut to their length. Emptying the file
// first would make ext4 flush it to disk at close, once for every symbol.
bool overwriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Has `write` make the file under a temporary name beside the target and
// renames it over the target, so a failure never leaves half a file where a
// good one was; the temporary is removed when either step fails.
bool replaceFile(const std::string& target, const std::function<bool(const std::string& temporary)>& write);
bool replaceFileBytes(const std::string& target, const std::vector<uint8_t>& bytes);

}  // namespace platform
