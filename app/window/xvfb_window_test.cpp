// The real window under a real X server: this test program runs again
// under xvfb-run, builds a symbol in the window and reads it back from a
// screenshot of the whole screen.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/window/test_support/xvfb_check.h"
#include "tests/support/app_harness.h"
#include "tests/support/program_under_test.h"

extern char** environ;

namespace quillet {
namespace {

namespace fs = std::filesystem;

std::string onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    for (size_t start = 0; start <= dirs.size();) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const fs::path candidate = fs::path(dirs.substr(start, end - start)) / program;
        if (access(candidate.c_str(), X_OK) == 0) return candidate.string();
        start = end + 1;
    }
    return {};
}

struct Finished {
    int status = -1;
    std::string out;
};

// Runs argv with standard output and error in a file; killed after the limit.
Finished runWithLimit(std::vector<std::string> args, std::chrono::seconds limit) {
    const std::string outPath = test::tempPath("xvfb_out", ".txt");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    Finished r;
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    r.out = test::readFileText(outPath);
    fs::remove(outPath);
    return r;
}

TEST(XvfbWindow, ScreenshotAfterBuildCopyDecodesToTheMessage) {
    const std::string xvfbRun = onPath("xvfb-run");
    if (xvfbRun.empty()) GTEST_SKIP() << "xvfb-run is missing (Debian package xvfb): no X server to show the window on";
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    const Finished r = runWithLimit({xvfbRun, "-a", "-s", "-screen 0 1024x768x24", self, test::kXvfbCheckFlag,
                                "Code &128", "Xvfb 128 window", "26"},
                               std::chrono::seconds(120));
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("decoded: Xvfb 128 window\n"), std::string::npos) << r.out;
}

// The program itself tells a script whether its window can open.
TEST(XvfbWindow, ProgramKnowsWhetherItsWindowCanOpen) {
    const fs::path program = test::programPath();
    if (program.empty()) GTEST_SKIP() << "QUILLET_BUILD_DIR is not set (run through ctest)";
    const std::string xvfbRun = onPath("xvfb-run");
    if (xvfbRun.empty()) GTEST_SKIP() << "xvfb-run is missing (Debian package xvfb)";
    // The platform Qt picks for itself, not the offscreen one these tests run on.
    EXPECT_EQ(runWithLimit({"/usr/bin/env", "-u", "QT_QPA_PLATFORM", xvfbRun, "-a", program.string(), "--has-display"},
                           std::chrono::seconds(60))
                  .status,
              0);
    // No display named: no window.
    EXPECT_EQ(runWithLimit({"/usr/bin/env", "-u", "QT_QPA_PLATFORM", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", program.string(), "--has-display"},
                           std::chrono::seconds(60))
                  .status,
              1);
    // A display named that nobody serves: no window either.
    EXPECT_EQ(runWithLimit({"/usr/bin/env", "-u", "QT_QPA_PLATFORM", "-u", "WAYLAND_DISPLAY", "DISPLAY=:987", program.string(), "--has-display"},
                           std::chrono::seconds(60))
                  .status,
              1);
}

}  // namespace
}  // namespace quillet
