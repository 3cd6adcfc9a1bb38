// Whole-file writes: what each leaves on disk, after success and failure.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
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
    // Names in the folder other than `except`.
    std::vector<std::string> othersThan(const std::string& except) const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().filename() != except) names.push_back(e.path().filename().string());
        return names;
    }
};

using Writer = bool (*)(const std::string&, const std::vector<uint8_t>&);

TEST(FileOutput, EveryWriterLeavesExactlyTheBytes) {
    struct Case { const char* name; Writer write; };
    for (Case c : {Case{"writeFileBytes", platform::writeFileBytes}, Case{"overwriteFileBytes", platform::overwriteFileBytes},
                   Case{"replaceFileBytes", platform::replaceFileBytes}}) {
        Folder f;
        const fs::path p = f.dir / "out.bin";
        for (const std::string& before : {std::string(), std::string(4000, 'o'), std::string("ab")}) {
            if (!before.empty()) std::ofstream(p, std::ios::binary) << before;
            for (const std::string& now : {std::string("short"), std::string(), std::string(3000, 'n')}) {
                ASSERT_TRUE(c.write(p.string(), bytesOf(now))) << c.name;
                EXPECT_EQ(contents(p), now) << c.name << " over " << before.size() << " bytes";
            }
        }
        EXPECT_TRUE(f.othersThan("out.bin").empty()) << c.name << " left a temporary";
        EXPECT_FALSE(c.write((f.dir / "missing" / "x").string(), bytesOf("x"))) << c.name;
        EXPECT_FALSE(c.write("", bytesOf("x"))) << c.name;
    }
}

TEST(FileOutput, FailedReplacementKeepsTheOldFileAndNoTemporary) {
    Folder f;
    const fs::path p = f.dir / "label.png";
    std::ofstream(p, std::ios::binary) << "good";
    std::string temporary;
    const bool replaced = platform::replaceFile(p.string(), [&](const std::string& t) {
        temporary = t;
        std::ofstream(t, std::ios::binary) << "half";
        return false;
    });
    EXPECT_FALSE(replaced);
    EXPECT_EQ(contents(p), "good");
    EXPECT_EQ(fs::path(temporary).parent_path(), f.dir) << "written beside the target";
    EXPECT_TRUE(f.othersThan("label.png").empty());
}

}  // namespace
