// Whole-file writes: what each leaves on disk, after success and failure,
// and what saving over a target may never do to it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "platform/file_output.h"

namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<uint8_t> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }

struct Folder {
    fs::path dir = fs::path(testing::TempDir()) / ("qlt_file_output_" + std::to_string(::getpid()));
    Folder() {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~Folder() { fs::remove_all(dir); }
    // Names in the folder other than those in `except`.
    std::vector<std::string> othersThan(const std::vector<std::string>& except) const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) {
            const std::string name = e.path().filename().string();
            if (std::find(except.begin(), except.end(), name) == except.end()) names.push_back(name);
        }
        return names;
    }
};

platform::ReplaceOptions named() {
    platform::ReplaceOptions o;
    o.unnamedFirst = false;
    return o;
}

// Both kinds of temporary: unnamed where the file system has them, named.
const std::pair<const char*, platform::ReplaceOptions> kTemporaries[] = {{"unnamed first", {}}, {"named", named()}};

using Writer = bool (*)(const std::string&, const std::vector<uint8_t>&);

TEST(FileOutput, EveryWriterLeavesExactlyTheBytes) {
    struct Case { const char* name; Writer write; };
    for (Case c : {Case{"replaceFileBytes, named temporary",
                        [](const std::string& p, const std::vector<uint8_t>& b) {
                            return bool(platform::replaceFileBytes(p, b, named()));
                        }},
                   Case{"overwriteFileBytes",
                        [](const std::string& p, const std::vector<uint8_t>& b) {
                            return bool(platform::overwriteFileBytes(p, b));
                        }},
                   Case{"replaceFileBytes", [](const std::string& p, const std::vector<uint8_t>& b) {
                            return bool(platform::replaceFileBytes(p, b));
                        }}}) {
        Folder f;
        const fs::path p = f.dir / "out.bin";
        for (const std::string& before : {std::string(), std::string(4000, 'o'), std::string("ab")}) {
            if (!before.empty()) std::ofstream(p, std::ios::binary) << before;
            for (const std::string& now : {std::string("short"), std::string(), std::string(3000, 'n')}) {
                ASSERT_TRUE(c.write(p.string(), bytesOf(now))) << c.name;
                EXPECT_EQ(contents(p), now) << c.name << " over " << before.size() << " bytes";
            }
        }
        EXPECT_TRUE(f.othersThan({"out.bin"}).empty()) << c.name << " left a temporary";
        EXPECT_FALSE(c.write((f.dir / "missing" / "x").string(), bytesOf("x"))) << c.name;
        EXPECT_FALSE(c.write("", bytesOf("x"))) << c.name;
    }
}

TEST(FileOutput, FailedReplacementKeepsTheOldFileAndNoTemporary) {
    for (const auto& [kind, options] : kTemporaries) {
        Folder f;
        const fs::path p = f.dir / "label.png";
        std::ofstream(p, std::ios::binary) << "good";
        fs::path temporary;
        const auto replaced = platform::replaceFile(
            p.string(),
            [&](int fd) {
                temporary = fs::read_symlink("/proc/self/fd/" + std::to_string(fd));
                EXPECT_TRUE(platform::writeAll(fd, bytesOf("half")));
                errno = ENOSPC;
                return false;
            },
            options);
        EXPECT_FALSE(replaced) << kind;
        EXPECT_EQ(replaced.reason, std::strerror(ENOSPC)) << kind << ": the writer's reason is kept";
        EXPECT_EQ(contents(p), "good") << kind;
        EXPECT_EQ(temporary.parent_path(), f.dir) << kind << ": written beside the target";
        EXPECT_TRUE(f.othersThan({"label.png"}).empty()) << kind;
    }
}

TEST(FileOutput, ReplacementKeepsTheTargetsPermissions) {
    for (const auto& [kind, options] : kTemporaries) {
        for (const unsigned mode : {0600u, 0640u, 0444u, 0755u}) {
            Folder f;
            const fs::path p = f.dir / "label.wmf";
            std::ofstream(p, std::ios::binary) << "old";
            ASSERT_EQ(::chmod(p.c_str(), mode), 0);
            ASSERT_TRUE(platform::replaceFileBytes(p.string(), bytesOf("new"), options)) << kind;
            struct stat st {};
            ASSERT_EQ(::stat(p.c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 07777, mode) << kind << " " << std::oct << mode;
            EXPECT_EQ(contents(p), "new");
        }
        // A new file is made as any other: 0666 less the umask.
        Folder f;
        const mode_t mask = ::umask(022);
        ASSERT_TRUE(platform::replaceFileBytes((f.dir / "fresh").string(), bytesOf("x"), options)) << kind;
        ::umask(mask);
        struct stat st {};
        ASSERT_EQ(::stat((f.dir / "fresh").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0644u) << kind;
    }
}

// Names from a list the test knows, so that something can be planted at
// every one of them beforehand.
struct KnownNames {
    fs::path dir;
    int next = 0;
    std::string operator()(const std::string&) { return (dir / (".t" + std::to_string(next++))).string(); }
};

TEST(FileOutput, ALinkPlantedAtATemporaryNameIsNeverFollowed) {
    struct Case {
        const char* kind;
        bool unnamedFirst;
        int planted;  // links at the first names, out of the 100 tried
        bool saved;
    } cases[] = {{"unnamed", true, 1, true},  {"unnamed", true, 99, true}, {"unnamed", true, 100, false},
                 {"named", false, 1, true},   {"named", false, 99, true},  {"named", false, 100, false},
                 {"named", false, 0, true}};
    for (const Case& c : cases) {
        Folder f;
        const fs::path victim = f.dir / "victim", target = f.dir / "label.wmf";
        std::ofstream(victim, std::ios::binary) << "precious";
        std::ofstream(target, std::ios::binary) << "old";
        std::vector<std::string> keep = {"victim", "label.wmf"};
        for (int i = 0; i < c.planted; ++i) {
            // Links to the victim and links leading nowhere alike.
            const fs::path to = i % 2 ? victim : f.dir / ("nowhere" + std::to_string(i));
            fs::create_symlink(to, f.dir / (".t" + std::to_string(i)));
            keep.push_back(".t" + std::to_string(i));
        }
        platform::ReplaceOptions o;
        o.unnamedFirst = c.unnamedFirst;
        o.names = KnownNames{f.dir};
        const auto result = platform::replaceFileBytes(target.string(), bytesOf("new"), o);
        const std::string what = std::string(c.kind) + " with " + std::to_string(c.planted) + " links";
        EXPECT_EQ(bool(result), c.saved) << what << ": " << result.reason;
        EXPECT_EQ(contents(victim), "precious") << what;
        EXPECT_EQ(contents(target), c.saved ? "new" : "old") << what;
        for (int i = 0; i < c.planted; ++i) {
            EXPECT_TRUE(fs::is_symlink(f.dir / (".t" + std::to_string(i)))) << what << " link " << i;
            EXPECT_FALSE(fs::exists(f.dir / ("nowhere" + std::to_string(i)))) << what << ": created through a link";
        }
        EXPECT_TRUE(f.othersThan(keep).empty()) << what << " left a temporary";
    }
}

TEST(FileOutput, ExclusiveCreationRefusesWhateverIsThere) {
    Folder f;
    fs::create_symlink(f.dir / "nowhere", f.dir / "dangling");
    fs::create_symlink(f.dir / "file", f.dir / "link");
    std::ofstream(f.dir / "file") << "x";
    for (const char* name : {"dangling", "link", "file"}) {
        errno = 0;
        EXPECT_EQ(platform::createExclusive((f.dir / name).string(), 0600), -1) << name;
        EXPECT_EQ(errno, EEXIST) << name;
    }
    EXPECT_FALSE(fs::exists(f.dir / "nowhere"));
    EXPECT_EQ(contents(f.dir / "file"), "x");
    const int fd = platform::createExclusive((f.dir / "free").string(), 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
}

TEST(FileOutput, TemporaryNamesAreFreshHiddenAndBesideTheTarget) {
    std::vector<std::string> seen;
    for (int i = 0; i < 50; ++i) {
        const std::string name = platform::randomTemporaryName("/some/folder/label.png");
        EXPECT_EQ(fs::path(name).parent_path(), "/some/folder") << name;
        const std::string base = fs::path(name).filename().string();
        EXPECT_EQ(base.rfind(".label.png.", 0), 0u) << name;
        EXPECT_EQ(base.size(), std::string(".label.png.").size() + 16 + 4) << name;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), name), 0) << name;
        seen.push_back(name);
    }
    EXPECT_EQ(fs::path(platform::randomTemporaryName("bare")).parent_path(), "");
}

TEST(FileOutput, ALinkTargetHasTheFileItLeadsToReplaced) {
    Folder f;
    fs::create_directories(f.dir / "real");
    std::ofstream(f.dir / "real" / "label.wmf") << "old";
    fs::create_symlink(f.dir / "real" / "label.wmf", f.dir / "link.wmf");
    fs::create_symlink("link.wmf", f.dir / "link2.wmf");  // a chain, relative
    ASSERT_TRUE(platform::replaceFileBytes((f.dir / "link2.wmf").string(), bytesOf("new")));
    EXPECT_TRUE(fs::is_symlink(f.dir / "link.wmf"));
    EXPECT_TRUE(fs::is_symlink(f.dir / "link2.wmf"));
    EXPECT_EQ(contents(f.dir / "real" / "label.wmf"), "new");
    // A link leading nowhere is replaced itself: nothing is created through it.
    fs::create_symlink(f.dir / "absent", f.dir / "dangling.wmf");
    ASSERT_TRUE(platform::replaceFileBytes((f.dir / "dangling.wmf").string(), bytesOf("x")));
    EXPECT_FALSE(fs::exists(f.dir / "absent"));
    EXPECT_FALSE(fs::is_symlink(f.dir / "dangling.wmf"));
    EXPECT_EQ(contents(f.dir / "dangling.wmf"), "x");
}

// A device node made in the test's own folder; skipped where mknod or the
// device itself is not allowed.
bool makeDevice(const fs::path& p, unsigned major, unsigned minor) {
    if (::mknod(p.c_str(), S_IFCHR | 0666, makedev(major, minor)) != 0) return false;
    const int fd = ::open(p.c_str(), O_WRONLY);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

TEST(FileOutput, ADeviceIsWrittenThroughOrRefusedButStaysADevice) {
    struct Case {
        const char* name;
        unsigned major, minor;  // the null and the full device
        bool saved;
        int reason;
    } cases[] = {{"null", 1, 3, true, 0}, {"full", 1, 7, false, ENOSPC}};
    for (const auto& [kind, options] : kTemporaries) {
        for (const Case& c : cases) {
            Folder f;
            const fs::path dev = f.dir / c.name;
            if (!makeDevice(dev, c.major, c.minor)) GTEST_SKIP() << "mknod is not permitted here: " << std::strerror(errno);
            const auto result = platform::replaceFileBytes(dev.string(), bytesOf(std::string(5000, 'b')), options);
            EXPECT_EQ(bool(result), c.saved) << kind << " " << c.name;
            if (!c.saved) {
                EXPECT_EQ(result.reason, std::strerror(c.reason)) << kind << " " << c.name;
            }
            struct stat st {};
            ASSERT_EQ(::lstat(dev.c_str(), &st), 0);
            EXPECT_TRUE(S_ISCHR(st.st_mode)) << kind << " " << c.name << " was replaced";
            EXPECT_EQ(st.st_rdev, makedev(c.major, c.minor));
            EXPECT_TRUE(f.othersThan({c.name}).empty()) << kind << " " << c.name;
        }
    }
}

TEST(FileOutput, AFifoIsWrittenThroughWhenReadAndRefusedOtherwise) {
    Folder f;
    const fs::path fifo = f.dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // No reader: refused at once rather than waiting for one.
    const auto alone = platform::replaceFileBytes(fifo.string(), bytesOf("x"));
    EXPECT_FALSE(alone);
    EXPECT_EQ(alone.reason, std::strerror(ENXIO));
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ASSERT_TRUE(platform::replaceFileBytes(fifo.string(), bytesOf("through the pipe")));
    char buf[64] = {};
    EXPECT_EQ(std::string(buf, size_t(::read(reader, buf, sizeof buf))), "through the pipe");
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(f.othersThan({"pipe"}).empty());
    // A folder is refused and stays a folder.
    fs::create_directories(f.dir / "folder");
    const auto folder = platform::replaceFileBytes((f.dir / "folder").string(), bytesOf("x"));
    EXPECT_FALSE(folder);
    EXPECT_EQ(folder.reason, std::strerror(EISDIR));
    EXPECT_TRUE(fs::is_directory(f.dir / "folder"));
}

TEST(FileOutput, ScratchOverwriteIsPrivateAndRefusesALink) {
    Folder f;
    const fs::path p = f.dir / "scratch.wmf";
    const mode_t mask = ::umask(0);
    ASSERT_TRUE(platform::overwriteFileBytes(p.string(), bytesOf("one")));
    ::umask(mask);
    struct stat st {};
    ASSERT_EQ(::stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    std::ofstream(f.dir / "victim") << "precious";
    fs::create_symlink(f.dir / "victim", f.dir / "link.wmf");
    const auto linked = platform::overwriteFileBytes((f.dir / "link.wmf").string(), bytesOf("two"));
    EXPECT_FALSE(linked);
    EXPECT_EQ(linked.reason, std::strerror(ELOOP));
    EXPECT_EQ(contents(f.dir / "victim"), "precious");
}

}  // namespace

// A new file appears under its name only when whole; one that turns up at
// the name meanwhile is replaced like any old file.
TEST(FileOutput, ANewFileAppearsWholeOrReplacesWhatTurnedUpMeanwhile) {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    for (const auto& [kind, options] : kTemporaries) {
        for (const bool intruder : {false, true}) {
            Folder f;
            const fs::path p = f.dir / "new.wmf";
            const auto written = platform::replaceFile(
                p.string(),
                [&](int fd) {
                    EXPECT_FALSE(fs::exists(p)) << kind << ": visible before it is whole";
                    if (intruder) std::ofstream(p, std::ios::binary) << "intruder";
                    return platform::writeAll(fd, bytesOf("whole"));
                },
                options);
            const std::string what = std::string(kind) + (intruder ? ", name taken meanwhile" : "");
            ASSERT_TRUE(written) << what << ": " << written.reason;
            EXPECT_EQ(contents(p), "whole") << what;
            EXPECT_EQ(fs::status(p).permissions(), fs::perms(0666 & ~mask)) << what;
            EXPECT_TRUE(f.othersThan({"new.wmf"}).empty()) << what << " left a temporary";
        }
    }
}

// Without the privilege of linking any descriptor, a new file and a
// replacement still take their names: through /proc where the kernel
// refuses the descriptor itself, directly where it lets a process link
// the files it opened (Linux 6.10 on). In a child that has given the
// privilege up; the parent keeps it.
TEST(FileOutput, FilesTakeTheirNamesWithoutThePrivilegeOfLinkingDescriptors) {
    for (const auto& [kind, options] : kTemporaries) {
        Folder f;
        const fs::path fresh = f.dir / "new.wmf", old = f.dir / "old.wmf";
        std::ofstream(old, std::ios::binary) << "old";
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
            __user_cap_data_struct data[2]{};
            if (::syscall(SYS_capget, &header, data) != 0) ::_exit(2);
            for (auto& d : data) d.effective &= d.permitted;
            data[CAP_DAC_READ_SEARCH / 32].effective &= ~(1u << (CAP_DAC_READ_SEARCH % 32));
            if (::syscall(SYS_capset, &header, data) != 0) ::_exit(3);
            const bool made = bool(platform::replaceFileBytes(fresh.string(), bytesOf("fresh"), options));
            const bool replaced = bool(platform::replaceFileBytes(old.string(), bytesOf("new"), options));
            ::_exit(made && replaced ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_EQ(WEXITSTATUS(status), 0) << kind;
        EXPECT_EQ(contents(fresh), "fresh") << kind;
        EXPECT_EQ(contents(old), "new") << kind;
        EXPECT_TRUE(f.othersThan({"new.wmf", "old.wmf"}).empty()) << kind << " left a temporary";
    }
}

// The writer runs once for a new name and for a plain file (it is never
// looked at first), again for a link it follows, and not again for what is
// refused; whatever the target, no temporary is left.
TEST(FileOutput, TheWriterRunsOnceUnlessTheTargetIsNoPlainFile) {
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> make;  // what is at the name before
        int runs;
        bool saved;
    } cases[] = {
        {"nothing", [](const fs::path&) {}, 1, true},
        {"plain file", [](const fs::path& p) { std::ofstream(p) << "old"; }, 1, true},
        {"folder", [](const fs::path& p) { fs::create_directory(p); }, 1, false},
        {"link to a file", [](const fs::path& p) {
             std::ofstream(p.string() + ".real") << "old";
             fs::create_symlink(p.filename().string() + ".real", p);
         }, 2, true},
    };
    for (const Case& c : cases) {
        Folder f;
        const fs::path p = f.dir / "label.wmf";
        c.make(p);
        int runs = 0;
        const auto saved = platform::replaceFile(p.string(), [&](int fd) {
            ++runs;
            return platform::writeAll(fd, bytesOf("label"));
        });
        EXPECT_EQ(bool(saved), c.saved) << c.name << ": " << saved.reason;
        EXPECT_EQ(runs, c.runs) << c.name;
        if (c.saved) EXPECT_EQ(contents(p), "label") << c.name;
        EXPECT_TRUE(f.othersThan({"label.wmf", "label.wmf.real"}).empty()) << c.name << " left a temporary";
    }
}
