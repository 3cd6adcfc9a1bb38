#pragma once
// The built program for end-to-end tests, and a work folder per test.
#include <filesystem>
#include <string>

namespace quillet::test {

// build/quillet as CTest names it through QUILLET_BUILD_DIR; empty when the
// test runs outside CTest.
std::filesystem::path programPath();
// A fresh folder in the temporary directory named after the running test.
std::filesystem::path testWorkFolder(const std::string& prefix);
std::string readFileText(const std::filesystem::path& p);

}  // namespace quillet::test
