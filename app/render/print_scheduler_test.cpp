#include "app/render/print_scheduler.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

namespace quillet {
namespace {

namespace fs = std::filesystem;

const char* const kVariables[] = {"CUPS_SERVER", "CUPS_SERVERROOT", "IPP_PORT", "PRINTER", "LPDEST"};

// Clears the variables libcups reads for the test and puts them back after.
class SchedulerCheck : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* v : kVariables) {
            const char* value = std::getenv(v);
            saved_.emplace_back(v, value ? std::optional<std::string>(value) : std::nullopt);
            ::unsetenv(v);
        }
        root_ = fs::temp_directory_path() / ("quillet-scheduler-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "home" / ".cups");
        fs::create_directories(root_ / "etc");
        places_.home = (root_ / "home").string();
        places_.serverRoot = (root_ / "etc").string();
        places_.sockets = {(root_ / "cups.sock").string()};
        places_.ippPort = closedPort();
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value) ::setenv(name.c_str(), value->c_str(), 1);
            else ::unsetenv(name.c_str());
        }
        fs::remove_all(root_);
    }
    // A port nothing listens on: one just bound and released.
    static int closedPort() {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t n = sizeof a;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n);
        ::close(fd);
        return ntohs(a.sin_port);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
    fs::path root_;
    SchedulerPlaces places_;
};

TEST_F(SchedulerCheck, NothingToAskWhereNothingCouldNameAPrinter) {
    EXPECT_FALSE(schedulerMayAnswer(places_));
}

TEST_F(SchedulerCheck, EachPlaceThePrintingSystemReadsCountsOnItsOwn) {
    struct Case {
        std::string what;
        std::function<void(const fs::path&)> make;
    };
    const std::vector<Case> cases = {
        {"CUPS_SERVER", [](const fs::path&) { ::setenv("CUPS_SERVER", "printhost:631", 1); }},
        {"CUPS_SERVERROOT", [](const fs::path&) { ::setenv("CUPS_SERVERROOT", "/opt/cups", 1); }},
        {"IPP_PORT", [](const fs::path&) { ::setenv("IPP_PORT", "8631", 1); }},
        {"PRINTER", [](const fs::path&) { ::setenv("PRINTER", "labels", 1); }},
        {"LPDEST", [](const fs::path&) { ::setenv("LPDEST", "labels", 1); }},
        {"~/.cups/client.conf", [](const fs::path& r) { std::ofstream(r / "home/.cups/client.conf") << "ServerName x\n"; }},
        {"~/.cups/lpoptions", [](const fs::path& r) { std::ofstream(r / "home/.cups/lpoptions") << "Default labels\n"; }},
        {"client.conf", [](const fs::path& r) { std::ofstream(r / "etc/client.conf") << "ServerName x\n"; }},
        {"lpoptions", [](const fs::path& r) { std::ofstream(r / "etc/lpoptions") << "Default labels\n"; }},
        {"the scheduler's socket", [](const fs::path& r) { std::ofstream(r / "cups.sock"); }},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        c.make(root_);
        EXPECT_TRUE(schedulerMayAnswer(places_)) << c.what;
    }
}

TEST_F(SchedulerCheck, ASchedulerListeningOnTheIppPortCounts) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(::listen(fd, 1), 0);
    socklen_t n = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n);
    places_.ippPort = ntohs(a.sin_port);
    EXPECT_TRUE(schedulerMayAnswer(places_));
    ::close(fd);
    EXPECT_FALSE(schedulerMayAnswer(places_));
}

}  // namespace
}  // namespace quillet
