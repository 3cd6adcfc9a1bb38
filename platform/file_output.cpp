#include "platform/file_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace platform {

namespace {

bool writeAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

bool writeAndClose(int fd, const std::vector<uint8_t>& bytes, bool cutToLength) {
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes);
    if (ok && cutToLength) ok = ::ftruncate(fd, off_t(bytes.size())) == 0;
    return ::close(fd) == 0 && ok;
}

}  // namespace

bool writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    return writeAndClose(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666), bytes, false);
}

bool overwriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    return writeAndClose(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666), bytes, true);
}

bool replaceFile(const std::string& target, const std::function<bool(const std::string&)>& write) {
    if (target.empty()) return false;
    // The process id keeps two programs saving under one name apart.
    const std::string temporary = target + ".part" + std::to_string(::getpid());
    if (write(temporary) && ::rename(temporary.c_str(), target.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

bool replaceFileBytes(const std::string& target, const std::vector<uint8_t>& bytes) {
    return replaceFile(target, [&](const std::string& temporary) { return writeFileBytes(temporary, bytes); });
}

}  // namespace platform
