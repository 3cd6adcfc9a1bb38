#include "platform/file_output.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <utility>

namespace platform {

namespace {

WriteResult failure(int err) { return {false, std::strerror(err ? err : EIO)}; }

// Closes fd; the first error of the write and the close is kept.
WriteResult finish(int fd, bool written) {
    int err = written ? 0 : (errno ? errno : EIO);
    if (::close(fd) != 0 && !err) err = errno;
    return err ? failure(err) : WriteResult{true, {}};
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

void syncFolder(const std::string& path) {
    const int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    (void)::fsync(dir);
    ::close(dir);
}

// The target's permissions and owner carry over to its replacement. Only
// the owner's change can fail for an ordinary user, and then the file is
// simply theirs.
void takeOver(int fd, const struct stat& old) {
    (void)::fchown(fd, old.st_uid, old.st_gid);
    (void)::fchmod(fd, old.st_mode & 07777);
}

// A file that is no regular file: written through, never replaced. A FIFO
// is opened without waiting, so one without a reader is refused rather than
// stalling the program.
WriteResult writeInPlace(const std::string& target, const struct stat& st, const FileWriter& write) {
    if (!S_ISCHR(st.st_mode) && !S_ISFIFO(st.st_mode))
        return {false, S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file, device or FIFO"};
    const int fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return failure(errno);
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) (void)::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    errno = 0;
    return finish(fd, write(fd));
}

// A temporary beside target: an unnamed one where the file system has
// them, else a fresh name created exclusively. `named` is empty for an
// unnamed one.
int openTemporary(const std::string& target, const ReplaceOptions& o, unsigned mode, std::string& named) {
    named.clear();
    if (o.unnamedFirst) {
        const int fd = ::open(folderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
        if (fd >= 0) return fd;
        // Only a file system without them is a reason to go on.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return -1;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        named = o.names(target);
        const int fd = createExclusive(named, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    named.clear();
    errno = EEXIST;
    return -1;
}

// Links the open file at name, never replacing what is there (EEXIST).
// Through the descriptor itself where the process may (the privilege of
// CAP_DAC_READ_SEARCH), which spares the kernel a walk through /proc for
// every file; once refused, through /proc/self/fd for the rest of the run.
bool linkDescriptor(int fd, const std::string& name) {
    static std::atomic<bool> direct{true};
    if (direct.load(std::memory_order_relaxed)) {
        if (::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) return true;
        if (errno != ENOENT && errno != EPERM) return false;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        direct.store(false, std::memory_order_relaxed);
        return true;
    }
    return false;
}

// Gives the unnamed temporary a fresh name, refusing any name already
// taken (linkat never follows what is at its new name).
bool nameTemporary(int fd, const std::string& target, const ReplaceOptions& o, std::string& named) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        named = o.names(target);
        if (linkDescriptor(fd, named)) return true;
        if (errno != EEXIST) break;
    }
    named.clear();
    return false;
}

// Closes a file just linked at target, its new name.
WriteResult closeLinked(int fd, const std::string& target, const ReplaceOptions& o) {
    if (::close(fd) != 0) return failure(errno);
    if (o.durable) syncFolder(target);
    return {true, {}};
}

// The written temporary (fd; named, or unnamed when named is empty) takes
// the target's place by rename and is closed; written is whether the
// bytes are all there (err their failure). Any failure removes the
// temporary and leaves the target as it was.
WriteResult renameOver(int fd, const std::string& target, const ReplaceOptions& o, std::string named, bool written,
                       int err) {
    bool ok = written;
    if (ok && named.empty() && !nameTemporary(fd, target, o, named)) ok = false, err = errno;
    if (::close(fd) != 0 && ok) ok = false, err = errno;
    if (ok && ::rename(named.c_str(), target.c_str()) != 0) ok = false, err = errno;
    if (!ok) {
        if (!named.empty()) ::unlink(named.c_str());
        return failure(err);
    }
    if (o.durable) syncFolder(target);
    return {true, {}};
}

WriteResult replaceRegular(const std::string& target, const struct stat* old, const FileWriter& write,
                           const ReplaceOptions& o) {
    std::string named;
    const int fd = openTemporary(target, o, old ? 0600 : 0666, named);
    if (fd < 0) return failure(errno);
    if (old) takeOver(fd, *old);
    errno = 0;
    const bool ok = write(fd) && (!o.durable || ::fsync(fd) == 0);
    const int err = ok ? 0 : (errno ? errno : EIO);
    // A new file: the unnamed temporary takes the target's name in one
    // step, never replacing what may have appeared there meanwhile.
    if (ok && !old && named.empty() && linkDescriptor(fd, target)) return closeLinked(fd, target, o);
    return renameOver(fd, target, o, std::move(named), ok, err);
}

// Most saves in a batch make new names, so the name is not looked at
// first: the file is written unnamed and linked at it. Only when the name
// turns out to be taken is it looked at; a regular file there is replaced
// by what was written, anything else gets the ordinary treatment (false,
// with the temporary discarded, and the writer runs again).
bool saveAsNewFirst(const std::string& target, const FileWriter& write, const ReplaceOptions& o,
                    WriteResult& result) {
    if (!o.unnamedFirst) return false;
    const int fd = ::open(folderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    errno = 0;
    if (!(write(fd) && (!o.durable || ::fsync(fd) == 0))) {
        const int err = errno ? errno : EIO;
        ::close(fd);
        result = failure(err);
        return true;
    }
    if (linkDescriptor(fd, target)) {
        result = closeLinked(fd, target, o);
        return true;
    }
    struct stat st {};
    if (errno != EEXIST || ::lstat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    takeOver(fd, st);
    result = renameOver(fd, target, o, {}, true, 0);
    return true;
}

// The path a symbolic link finally leads to, so that the file is replaced
// and the link kept; the path itself when it is no link or leads nowhere.
std::string linkTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return path;
    std::string resolved = real;
    std::free(real);
    return resolved;
}

}  // namespace

bool writeAll(int fd, const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, p + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += size_t(n);
    }
    return true;
}

WriteResult overwriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (path.empty()) return failure(ENOENT);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return failure(errno);
    return finish(fd, writeAll(fd, bytes) && ::ftruncate(fd, off_t(bytes.size())) == 0);
}

std::string randomTemporaryName(const std::string& target) {
    uint64_t r = 0;
    if (::getrandom(&r, sizeof r, 0) != ssize_t(sizeof r)) {
        // Unpredictable enough without the kernel's generator; the exclusive
        // open is what keeps it safe.
        static uint64_t counter = 0;
        struct timespec now {};
        ::clock_gettime(CLOCK_REALTIME, &now);
        r = (uint64_t(::getpid()) << 40) ^ (uint64_t(now.tv_sec) << 30) ^ uint64_t(now.tv_nsec) ^ (++counter << 20);
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(r));
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    return folder + "." + name + "." + hex + ".tmp";
}

int createExclusive(const std::string& path, unsigned mode) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode_t(mode));
}

WriteResult replaceFile(const std::string& target, const FileWriter& write, const ReplaceOptions& options) {
    if (target.empty()) return failure(ENOENT);
    // A name that is nothing yet becomes a new file; any other failure to look is the answer.
    auto absent = [&](const std::string& path) {
        return errno == ENOENT ? replaceRegular(path, nullptr, write, options) : failure(errno);
    };
    if (WriteResult saved; saveAsNewFirst(target, write, options, saved)) return saved;
    // One look at the name settles all but a symbolic link, which is followed.
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0) return absent(target);
    std::string path = target;
    if (S_ISLNK(st.st_mode)) {
        path = linkTarget(target);
        if (::stat(path.c_str(), &st) != 0) return absent(path);
    }
    if (!S_ISREG(st.st_mode)) return writeInPlace(path, st, write);
    return replaceRegular(path, &st, write, options);
}

WriteResult replaceFileBytes(const std::string& target, const std::vector<uint8_t>& bytes,
                             const ReplaceOptions& options) {
    return replaceFile(target, [&](int fd) { return writeAll(fd, bytes); }, options);
}

}  // namespace platform
