#include "tests/support/program_under_test.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace quillet::test {

std::filesystem::path programPath() {
    const char* dir = std::getenv("QUILLET_BUILD_DIR");
    return dir ? std::filesystem::path(dir) / "quillet" : std::filesystem::path();
}

std::filesystem::path testWorkFolder(const std::string& prefix) {
    auto dir = std::filesystem::temp_directory_path() /
               (prefix + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    return dir;
}

std::string readFileText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace quillet::test
