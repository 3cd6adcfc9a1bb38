#pragma once
// Writing whole files with as few file-system calls as the job needs, and
// saving over files without ever leaving half of one or replacing what is
// not a plain file.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// The outcome of a file operation; on failure the system's reason
// (strerror text).
struct WriteResult {
    bool ok = false;
    std::string reason;
    explicit operator bool() const { return ok; }
};

// Writes every byte through the descriptor, retrying short writes. False
// with errno set when the system refused one.
bool writeAll(int fd, const void* data, size_t size);
inline bool writeAll(int fd, const std::vector<uint8_t>& bytes) { return writeAll(fd, bytes.data(), bytes.size()); }

// Writes the bytes over a file that is rewritten again and again (the
// scratch metafile): in place, then cut to their length. Emptying the file
// first would make ext4 flush it to disk at close, once for every symbol.
// A missing file is created private to its owner (0600); a symbolic link
// at the path is refused, not followed.
WriteResult overwriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Puts a file's bytes through a descriptor it must not close; false (with
// errno set where the system gave a reason) when the bytes are incomplete.
using FileWriter = std::function<bool(int fd)>;
// Names for temporaries beside a target; each call gives a fresh one.
using TemporaryNames = std::function<std::string(const std::string& target)>;

// A name "<folder>/.<name>.<16 random hex digits>.tmp" beside the target.
std::string randomTemporaryName(const std::string& target);

struct ReplaceOptions {
    // An unnamed temporary (O_TMPFILE) where the file system has them: a
    // kill leaves nothing behind. Otherwise, and with this off, a named one.
    bool unnamedFirst = true;
    TemporaryNames names = randomTemporaryName;
    // Flushes the file and its folder to disk before returning.
    bool durable = false;
};

// Saves what `write` puts out as target.
// - A missing or regular target is replaced whole: the bytes go to a
//   temporary in the target's folder, opened exclusively so that nothing
//   planted at its name (a symbolic link above all) is followed, given the
//   target's permissions, then renamed over the target. Any failure
//   removes the temporary and leaves the target as it was.
// - A symbolic link target has the file it leads to replaced; the link
//   stays.
// - A character device or a FIFO with a reader is written in place, never
//   renamed over. Anything else that is not a regular file is refused.
// A new name is not looked at before the file is written (with unnamed
// temporaries), so `write` runs a second time for a target that turns out
// to be a link, device, FIFO or folder; it must write the same bytes again.
WriteResult replaceFile(const std::string& target, const FileWriter& write, const ReplaceOptions& options = {});
WriteResult replaceFileBytes(const std::string& target, const std::vector<uint8_t>& bytes,
                             const ReplaceOptions& options = {});

// Creates path exclusively for writing (O_CREAT | O_EXCL | O_NOFOLLOW): -1
// with errno EEXIST when anything, a dangling link included, is there.
int createExclusive(const std::string& path, unsigned mode);

}  // namespace platform
