#include "app/automation/file_bytes.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet {

FileRead readFileBytes(const std::string& path, size_t maxBytes, std::string& bytes, std::string& error) {
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = std::strerror(errno);
        return FileRead::Unreadable;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file";
        ::close(fd);
        return FileRead::Unreadable;
    }
    if (st.st_size > 0 && size_t(st.st_size) > maxBytes) {
        ::close(fd);
        return FileRead::TooLarge;
    }
    // One allocation of the file's size: growing by doubling would briefly
    // hold the bytes twice.
    bytes.reserve(size_t(st.st_size) + 1);
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = std::strerror(errno);
            ::close(fd);
            bytes.clear();
            return FileRead::Unreadable;
        }
        if (n == 0) break;
        // The file may grow while it is read.
        if (bytes.size() + size_t(n) > maxBytes) {
            ::close(fd);
            bytes.clear();
            return FileRead::TooLarge;
        }
        bytes.append(buf, size_t(n));
    }
    ::close(fd);
    return FileRead::Ok;
}

std::string fileErrorText(const std::string& path, const std::string& reason) {
    return "Cannot read the file \"" + path + "\": " + reason + ".";
}

}  // namespace quillet
