// Whole files read through the system's calls: every byte, line ends,
// files larger than one read, FIFOs, and the reasons of failures.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/file_input.h"

namespace fs = std::filesystem;

namespace {

struct Folder {
    fs::path dir = fs::path(testing::TempDir()) / ("qlt_file_input_" + std::to_string(::getpid()));
    Folder() {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~Folder() { fs::remove_all(dir); }
    fs::path file(const std::string& name, const std::string& bytes) const {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return dir / name;
    }
};

}  // namespace

TEST(FileInput, ReadsEveryByteAndSplitsLines) {
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"one\n", {"one"}},
        {"a\r\nb\nc", {"a", "b", "c"}},
        {"\n\n", {"", ""}},
        {"cr\rinside\r\n", {"cr\rinside"}},  // a bare CR is no line end here
        {std::string("nul\0byte\n", 9), {std::string("nul\0byte", 8)}},
        {std::string(200000, 'x') + "\nlast", {std::string(200000, 'x'), "last"}},  // several reads
    };
    Folder f;
    for (const Case& c : cases) {
        const fs::path p = f.file("in.txt", c.bytes);
        std::string text;
        ASSERT_TRUE(platform::readWholeFile(p.string(), text));
        EXPECT_EQ(text, c.bytes);
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(platform::readWholeFile(p.string(), bytes));
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), c.bytes);
        EXPECT_EQ(platform::readFileLines(p.string()), c.lines) << c.bytes.substr(0, 20);
    }
}

TEST(FileInput, FailuresKeepTheSystemsReason) {
    Folder f;
    std::string text = "stale";
    errno = 0;
    EXPECT_FALSE(platform::readWholeFile((f.dir / "missing").string(), text));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_TRUE(text.empty()) << "nothing of an earlier read is left";
    errno = 0;
    EXPECT_FALSE(platform::readWholeFile(f.dir.string(), text));
    EXPECT_EQ(errno, EISDIR);
    EXPECT_TRUE(platform::readFileLines((f.dir / "missing").string()).empty());
}

TEST(FileInput, AFifoIsReadToItsEnd) {
    Folder f;
    const fs::path p = f.dir / "fifo";
    ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0);
    std::thread writer([&] { std::ofstream(p, std::ios::binary) << "first\r\nsecond"; });
    const auto lines = platform::readFileLines(p.string());
    writer.join();
    EXPECT_EQ(lines, (std::vector<std::string>{"first", "second"}));
}
