// The automation server in this process: many clients at once, bad input,
// the socket's permissions and the end of the conversation. Every wait is
// bounded; sockets live in a temporary folder of the test's own.
#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include "app/automation/automation_server.h"
#include "app/automation/automation_session.h"
#include "tests/support/socket_client.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kTimeoutMs = 10000;

bool sendAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

// Reads n reply lines; fewer when the connection ends or times out.
std::vector<std::string> readReplies(int fd, size_t n) {
    std::vector<std::string> lines;
    std::string pending;
    char buf[4096];
    while (lines.size() < n) {
        const ssize_t got = recv(fd, buf, sizeof buf, 0);
        if (got <= 0) break;
        pending.append(buf, size_t(got));
        for (size_t nl; (nl = pending.find('\n')) != std::string::npos;) {
            lines.push_back(pending.substr(0, nl));
            pending.erase(0, nl + 1);
        }
    }
    return lines;
}

class Server : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("qsrv-" + std::to_string(getpid()) + "-" + std::to_string(counter_++));
        fs::create_directories(dir_);
        socket_ = (dir_ / "q.sock").string();
    }
    void TearDown() override {
        stop();
        fs::remove_all(dir_);
    }

    // Starts the server on its own thread and waits until it answers.
    void start(std::chrono::milliseconds idleTimeout = 60s, size_t maxClients = 256) {
        ASSERT_EQ(pipe(stopPipe_), 0);
        ServerOptions o;
        o.socketPath = socket_;
        o.stopFd = stopPipe_[0];
        o.maxLineBytes = 4096;
        o.idleTimeout = idleTimeout;
        o.maxClients = maxClients;
        result_ = std::async(std::launch::async, [this, o] {
            std::string error;
            const bool ok = runAutomationServer(session_.app, o, error);
            return ok ? std::string() : "failed: " + error;
        });
        for (int i = 0; i < 500; ++i) {
            const int fd = test::connectTo(socket_);
            if (fd >= 0) {
                close(fd);
                return;
            }
            if (result_.wait_for(10ms) == std::future_status::ready) break;
        }
        FAIL() << "the server did not start: " << result_.get();
    }

    // Waits (bounded) for the server to end; its result, or "running".
    std::string finished() {
        if (!result_.valid()) return "not started";
        if (result_.wait_for(std::chrono::milliseconds(kTimeoutMs)) != std::future_status::ready) return "running";
        return result_.get();
    }

    void stop() {
        if (stopPipe_[1] >= 0) {
            const char b = 1;
            (void)!write(stopPipe_[1], &b, 1);
            if (finished() == "running") std::abort();  // never hang the test run
            close(stopPipe_[0]);
            close(stopPipe_[1]);
            stopPipe_[0] = stopPipe_[1] = -1;
        }
    }

    // One execute on a connection of its own.
    std::string ask(const std::string& line) {
        const int fd = test::connectTo(socket_);
        if (fd < 0) return "no connection";
        const std::string reply = askOn(fd, line);
        close(fd);
        return reply;
    }

    // One execute on an open connection.
    static std::string askOn(int fd, const std::string& line) {
        if (!sendAll(fd, line + "\n")) return "not sent";
        auto replies = readReplies(fd, 1);
        return replies.empty() ? "no reply" : replies[0];
    }

    static inline int counter_ = 0;
    test::Session session_;
    fs::path dir_;
    std::string socket_;
    int stopPipe_[2] = {-1, -1};
    std::future<std::string> result_;
};

TEST_F(Server, FiftyClientsAtOnceEachGetTheirOwnReplies) {
    start();
    struct Exec {
        const char* line;
        const char* reply;
    };
    const Exec kinds[] = {
        {"[CODE39]", "ACK"},        {"[RATIO=3.1]", "NAK"},     {"[AZTECECP=101]", "ACK"},
        {"[BOGUS]", "NAK"},         {"[code128][message='x']", "ACK"},
        {"[AZTECECP=150]", "NAK"},  {"[RATIO=2.5][DMECC=90]", "NAK"},
    };
    constexpr int kClients = 50, kExecutes = 200;
    std::vector<std::future<int>> clients;
    for (int c = 0; c < kClients; ++c) {
        clients.push_back(std::async(std::launch::async, [&, c] {
            const int fd = test::connectTo(socket_);
            if (fd < 0) return -1;
            std::string all;
            for (int j = 0; j < kExecutes; ++j) all += std::string(kinds[(c * 3 + j * (c % 5 + 1)) % 7].line) + "\n";
            if (!sendAll(fd, all)) return -2;
            const auto replies = readReplies(fd, kExecutes);
            close(fd);
            int right = 0;
            for (int j = 0; j < int(replies.size()); ++j)
                if (replies[size_t(j)] == kinds[(c * 3 + j * (c % 5 + 1)) % 7].reply) ++right;
            return right;
        }));
    }
    for (int c = 0; c < kClients; ++c) EXPECT_EQ(clients[size_t(c)].get(), kExecutes) << "client " << c;
    EXPECT_EQ(ask("[CODE39]"), "ACK");
}

TEST_F(Server, BadInputNeverStopsIt) {
    start();
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> replies;
    } cases[] = {
        {"overlong line", std::string(10000, '[') + "\n[CODE39]\n", {"NAK", "ACK"}},
        {"overlong line without brackets", std::string(5000, 'x') + "\n", {"NAK"}},
        {"bytes that are not UTF-8", "[MESSAGE='\xff\xfe\xc3']\n", {"ACK"}},
        {"NUL bytes", std::string("[CODE39]\0[X]\n", 13), {"NAK"}},
        {"CR LF line ends", "[CODE39]\r\n[CODE128]\r\n", {"ACK", "ACK"}},
        {"empty lines", "\n\n", {"ACK", "ACK"}},
        {"no bracket at all", "hello\n", {"ACK"}},
    };
    for (const auto& c : cases) {
        const int fd = test::connectTo(socket_);
        ASSERT_GE(fd, 0) << c.what;
        ASSERT_TRUE(sendAll(fd, c.bytes)) << c.what;
        EXPECT_EQ(readReplies(fd, c.replies.size()), c.replies) << c.what;
        close(fd);
    }
    // Clients that vanish: mid-line, right after connecting, and with
    // replies left unread.
    for (const std::string& partial : {std::string("[MESSAGE='GONE']"), std::string(), std::string("[CODE39]\n[CODE39]\n")}) {
        const int fd = test::connectTo(socket_);
        ASSERT_GE(fd, 0);
        sendAll(fd, partial);
        close(fd);
    }
    EXPECT_EQ(ask("[MESSAGE='STAYED']"), "ACK");
    EXPECT_EQ(ask("[NOPE]"), "NAK");
    stop();
    EXPECT_EQ(session_.s().message, "STAYED");
}

// True when the server has closed the connection: the read sees its end
// (bounded by the client's receive timeout).
bool closedByServer(int fd) {
    char b;
    return recv(fd, &b, 1, 0) == 0;
}

TEST_F(Server, IdleConnectionsAreDroppedAndBusyOnesKept) {
    start(300ms);
    const int idle = test::connectTo(socket_);
    const int busy = test::connectTo(socket_);
    const int waiting = test::connectTo(socket_);  // sent half a line, then nothing
    ASSERT_GE(idle, 0);
    ASSERT_GE(busy, 0);
    ASSERT_GE(waiting, 0);
    ASSERT_TRUE(sendAll(waiting, "[CODE39]"));
    // Busy for three idle times: a line every 100 ms keeps it.
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(askOn(busy, "[CODE39]"), "ACK") << i;
        std::this_thread::sleep_for(100ms);
    }
    EXPECT_TRUE(closedByServer(idle));
    EXPECT_TRUE(closedByServer(waiting));
    EXPECT_EQ(askOn(busy, "[CODE128]"), "ACK");
    close(idle);
    close(waiting);
    close(busy);
}

TEST_F(Server, NeverIdleWhenTheTimeoutIsZero) {
    start(0ms);
    const int fd = test::connectTo(socket_);
    ASSERT_GE(fd, 0);
    std::this_thread::sleep_for(400ms);
    pollfd p{fd, POLLIN, 0};
    EXPECT_EQ(poll(&p, 1, 0), 0) << "nothing to read: not closed";
    EXPECT_EQ(askOn(fd, "[CODE39]"), "ACK");
    close(fd);
}

TEST_F(Server, AtTheCapANewConnectionReplacesTheOneIdleLongest) {
    start(0ms, 3);
    int fds[3];
    for (int& fd : fds) {
        fd = test::connectTo(socket_);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(askOn(fd, "[CODE39]"), "ACK");
    }
    // The second and third speak again: the first is now idle longest.
    ASSERT_EQ(askOn(fds[1], "[CODE39]"), "ACK");
    ASSERT_EQ(askOn(fds[2], "[CODE39]"), "ACK");
    const int fourth = test::connectTo(socket_);
    ASSERT_GE(fourth, 0);
    EXPECT_EQ(askOn(fourth, "[CODE128]"), "ACK");
    EXPECT_TRUE(closedByServer(fds[0]));
    EXPECT_EQ(askOn(fds[1], "[CODE39]"), "ACK");
    EXPECT_EQ(askOn(fds[2], "[CODE39]"), "ACK");

    // Connections held open by one client never lock out the next.
    std::vector<int> held;
    for (int i = 0; i < 20; ++i) held.push_back(test::connectTo(socket_));
    EXPECT_EQ(ask("[MESSAGE='IN']"), "ACK");
    for (int fd : held) close(fd);
    for (int fd : {fds[0], fds[1], fds[2], fourth}) close(fd);
}

TEST_F(Server, SocketIsPrivateAndRemovedAtTheEnd) {
    start();
    struct stat st {};
    ASSERT_EQ(lstat(socket_.c_str(), &st), 0);
    EXPECT_TRUE(S_ISSOCK(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    stop();
    EXPECT_FALSE(fs::exists(socket_));
}

TEST_F(Server, AppExitEndsItWhenTheConversationCloses) {
    start();
    const int fd = test::connectTo(socket_);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(sendAll(fd, "[CODE128][APPEXIT]\n"));
    EXPECT_EQ(readReplies(fd, 1), std::vector<std::string>{"ACK"});
    // Still serving until that conversation closes.
    EXPECT_EQ(result_.wait_for(50ms), std::future_status::timeout);
    close(fd);
    EXPECT_EQ(finished(), "");
    EXPECT_FALSE(session_.s().changed) << "no save prompt after [APPEXIT]";
    EXPECT_FALSE(fs::exists(socket_));
    close(stopPipe_[0]);
    close(stopPipe_[1]);
    stopPipe_[0] = stopPipe_[1] = -1;
}

TEST_F(Server, OnlyAStaleSocketIsReplaced) {
    // A regular file is never removed.
    std::ofstream(socket_) << "keep";
    std::string error;
    ServerOptions o;
    o.socketPath = socket_;
    EXPECT_FALSE(runAutomationServer(session_.app, o, error));
    EXPECT_NE(error.find("not a socket"), std::string::npos) << error;
    EXPECT_TRUE(fs::exists(socket_));
    fs::remove(socket_);

    // A socket left behind by a run that ended without cleaning up.
    const int stale = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", socket_.c_str());
    ASSERT_EQ(bind(stale, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    close(stale);
    start();
    EXPECT_EQ(ask("[CODE39]"), "ACK");

    // A live server's socket is not taken over.
    error.clear();
    EXPECT_FALSE(runAutomationServer(session_.app, o, error));
    EXPECT_NE(error.find("another server"), std::string::npos) << error;
    EXPECT_EQ(ask("[CODE39]"), "ACK");
}

TEST_F(Server, DefaultSocketPath) {
    const char* oldRuntime = std::getenv("XDG_RUNTIME_DIR");
    const char* oldTmp = std::getenv("TMPDIR");
    const std::string savedRuntime = oldRuntime ? oldRuntime : "", savedTmp = oldTmp ? oldTmp : "";
    std::string error;
    setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
    EXPECT_EQ(defaultSocketPath(error), (dir_ / "quillet.sock").string());
    unsetenv("XDG_RUNTIME_DIR");
    setenv("TMPDIR", dir_.c_str(), 1);
    const fs::path own = dir_ / ("quillet-" + std::to_string(getuid()));
    EXPECT_EQ(defaultSocketPath(error), (own / "quillet.sock").string());
    struct stat st {};
    ASSERT_EQ(stat(own.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    // A folder others can enter is refused.
    chmod(own.c_str(), 0755);
    EXPECT_EQ(defaultSocketPath(error), "");
    EXPECT_FALSE(error.empty());
    if (oldRuntime) setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1);
    if (oldTmp) setenv("TMPDIR", savedTmp.c_str(), 1);
    else unsetenv("TMPDIR");
}

}  // namespace
}  // namespace quillet
