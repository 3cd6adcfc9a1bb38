#pragma once
// File output of the image formats: little-endian bytes for the formats
// written without a library, a stdio stream for the others.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/file_output.h"

namespace quillet::imgconv {

inline void putLe16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

inline void putLe32(std::vector<uint8_t>& out, uint32_t v) {
    putLe16(out, v & 0xFFFF);
    putLe16(out, v >> 16);
}

// A stdio stream for the libraries that write through one. It brings its own
// buffer: stdio would otherwise ask the file system for the file's block size.
class OutputStream {
public:
    // Over a copy of fd, so closing the stream leaves fd open.
    explicit OutputStream(int fd) : file_(openCopy(fd)) {
        if (file_) std::setvbuf(file_, buffer_.data(), _IOFBF, buffer_.size());
    }
    ~OutputStream() { close(); }
    OutputStream(const OutputStream&) = delete;
    OutputStream& operator=(const OutputStream&) = delete;
    std::FILE* get() const { return file_; }
    // True when every buffered byte reached the file.
    bool close() {
        std::FILE* f = file_;
        file_ = nullptr;
        return f && std::fclose(f) == 0;
    }

private:
    static std::FILE* openCopy(int fd) {
        const int own = ::dup(fd);
        std::FILE* f = own < 0 ? nullptr : ::fdopen(own, "wb");
        if (!f && own >= 0) ::close(own);
        return f;
    }
    std::vector<char> buffer_ = std::vector<char>(64 * 1024);
    std::FILE* file_;
};

}  // namespace quillet::imgconv
