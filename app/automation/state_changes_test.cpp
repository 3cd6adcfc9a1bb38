// Change notification and the event-loop server: a front end learns of
// every change, from whatever source, and of nothing else; the server is
// serviced from an event loop and never runs one execute inside another.
#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include "app/automation/automation_server.h"
#include "app/automation/automation_session.h"
#include "app/commands/state_changes.h"
#include "tests/support/socket_client.h"

namespace quillet {
namespace {

struct Step {
    std::string name;
    std::string before;   // run first, its changes taken as seen
    std::string execute;
    bool changes;
};

void PrintTo(const Step& s, std::ostream* os) { *os << s.name; }

class Revision : public ::testing::TestWithParam<Step> {};

TEST_P(Revision, CountsExactlyTheExecutesThatChangeSomething) {
    const Step& step = GetParam();
    test::Session t;
    t.app.settings.printerWarnings = false;
    noteStateChanges(t.app);
    if (!step.before.empty()) t.run(step.before);
    int calls = 0;
    t.app.watch.listener = [&] { ++calls; };
    const uint64_t before = t.app.watch.revision;
    t.run(step.execute);
    EXPECT_EQ(t.app.watch.revision - before, step.changes ? 1u : 0u);
    EXPECT_EQ(calls, step.changes ? 1 : 0);
    // Nothing more to see until something changes again.
    EXPECT_FALSE(noteStateChanges(t.app));
}

INSTANTIATE_TEST_SUITE_P(
    Executes, Revision,
    ::testing::Values(
        Step{"option", "", "[QUIETZONES=ON]", true},
        Step{"same_option_again", "[QUIETZONES=ON]", "[QUIETZONES=ON]", false},
        Step{"refused_command", "", "[NOSUCHCOMMAND]", false},
        Step{"refused_value", "", "[BARWIDTH=abc]", false},
        Step{"message", "", "[MESSAGE='NEW']", true},
        Step{"symbology", "", "[CODE128]", true},
        Step{"build", "[CODE39][MESSAGE='A']", "[BUILD/COPY]", true},
        Step{"warnings_already_on", "[UPCA][MESSAGE='1']", "[MESSAGEWARNINGS=ON]", false},
        Step{"empty_execute", "[QUIETZONES=ON]", "", false}),
    [](const auto& info) { return info.param.name; });

TEST(Revision, DirectChangesAreSeenOnTheNextNote) {
    test::Session t;
    noteStateChanges(t.app);
    t.app.window.messageField = "typed";
    EXPECT_TRUE(noteStateChanges(t.app));
    t.app.settings.numbering.messageLines = indexTextLines("one\ntwo\n");
    t.app.settings.numbering.messageLineCount = 2;
    EXPECT_TRUE(noteStateChanges(t.app));
    EXPECT_EQ(t.app.settings.numbering.messageLines.count, 2u);  // set aside, then put back
    EXPECT_FALSE(noteStateChanges(t.app));
}

// ------------------------------------------------------------ event loop

std::string socketPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()) + ".sock")).string();
}

// The event loop of a front end: wait on the server's one descriptor and
// service it, until `done` or ten seconds without progress.
void runLoop(AutomationServer& server, const std::function<bool()>& done) {
    for (int idle = 0; !done() && idle < 100;) {
        pollfd p{automationServerDescriptor(server), POLLIN, 0};
        if (poll(&p, 1, 100) > 0) {
            ASSERT_NE(serviceAutomationServer(server), ServiceResult::Busy);
            idle = 0;
        } else {
            ++idle;
        }
    }
}

// A client on its own thread sends two lines and reads the two replies
// while this thread's loop services the server.
std::string converse(AutomationServer& server, const std::string& path, const std::string& twoLines) {
    std::string replies;
    std::thread client([&] {
        const int fd = test::connectTo(path);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(send(fd, twoLines.data(), twoLines.size(), MSG_NOSIGNAL), ssize_t(twoLines.size()));
        char buf[64];
        for (ssize_t n; replies.size() < 8 && (n = recv(fd, buf, sizeof buf, 0)) > 0;) replies.append(buf, size_t(n));
        close(fd);
    });
    runLoop(server, [&] { return replies.size() >= 8; });
    client.join();
    return replies;
}

TEST(EventLoopServer, ServesAClientFromTheLoopAndTheWindowSeesTheChange) {
    test::Session t;
    noteStateChanges(t.app);
    int redraws = 0;
    t.app.watch.listener = [&] { ++redraws; };
    std::string error;
    const std::string path = socketPath("qloop");
    auto server = listenAutomationServer(t.app, ServerOptions{path}, error);
    ASSERT_TRUE(server) << error;
    EXPECT_GE(automationServerDescriptor(*server), 0);

    const std::string replies = converse(*server, path, "[CODE128][MESSAGE='LOOP']\n[NOSUCHCOMMAND]\n");
    EXPECT_EQ(replies, "ACK\nNAK\n");
    EXPECT_EQ(t.app.settings.message, "LOOP");
    EXPECT_EQ(redraws, 1);  // the refused execute changed nothing
    server.reset();
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(EventLoopServer, AModalBoxInsideAnExecuteRunsNoSecondExecute) {
    test::Session t;
    std::string error;
    const std::string path = socketPath("qmodal");
    auto server = listenAutomationServer(t.app, ServerOptions{path}, error);
    ASSERT_TRUE(server) << error;
    // The message box spins the event loop, as a real modal box does.
    std::vector<ServiceResult> nested;
    std::vector<std::string> messagesWhenShown;
    t.ui.answer = [&](const std::string& text, platform::Buttons) {
        messagesWhenShown.push_back(t.app.settings.message);
        nested.push_back(serviceAutomationServer(*server));
        (void)text;
        return platform::Answer::Ok;
    };
    // The first build is refused with a message box; the second line is
    // already waiting when the box appears.
    const std::string replies = converse(*server, path, "[UPCA][MESSAGE='1'][BUILD/COPY]\n[CODE39][MESSAGE='SECOND']\n");
    ASSERT_FALSE(nested.empty());
    for (ServiceResult r : nested) EXPECT_EQ(r, ServiceResult::Busy);
    EXPECT_EQ(messagesWhenShown.front(), "1");  // the second execute had not run
    EXPECT_EQ(replies, "NAK\nACK\n");
    EXPECT_EQ(t.app.settings.message, "SECOND");
}

// Replies a client has received so far, without waiting.
std::string repliesNow(int fd) {
    std::string got;
    char buf[4096];
    for (ssize_t n; (n = recv(fd, buf, sizeof buf, MSG_DONTWAIT)) > 0;) got.append(buf, size_t(n));
    return got;
}

TEST(EventLoopServer, ClientsTakeTurnsOneExecuteEach) {
    test::Session t;
    std::string error;
    const std::string path = socketPath("qturns");
    auto server = listenAutomationServer(t.app, ServerOptions{path}, error);
    ASSERT_TRUE(server) << error;
    // The first client queues a line of the largest size and many builds.
    const int first = test::connectTo(path);
    ASSERT_GE(first, 0);
    constexpr int kLines = 200;
    std::string lines = std::string(64 * 1024 - 1, ']') + "\n";
    for (int i = 1; i < kLines; ++i) lines += "[CODE128][BARCODE=TURN" + std::to_string(i) + "]\n";
    ASSERT_EQ(send(first, lines.data(), lines.size(), MSG_NOSIGNAL | MSG_DONTWAIT), ssize_t(lines.size()));
    const int second = test::connectTo(path);
    ASSERT_GE(second, 0);
    ASSERT_EQ(send(second, "[CODE39][MESSAGE='NEXT']\n", 25, MSG_NOSIGNAL), 25);

    std::string firstReplies, secondReply;
    runLoop(*server, [&] {
        firstReplies += repliesNow(first);
        secondReply += repliesNow(second);
        return !secondReply.empty();
    });
    EXPECT_EQ(secondReply, "ACK\n");
    // The second client was answered after at most a turn or two of the first.
    EXPECT_LE(std::count(firstReplies.begin(), firstReplies.end(), '\n'), 3) << firstReplies;

    runLoop(*server, [&] {
        firstReplies += repliesNow(first);
        return std::count(firstReplies.begin(), firstReplies.end(), '\n') >= kLines;
    });
    std::string expected = "NAK\n";  // the long line: only unknown commands
    for (int i = 1; i < kLines; ++i) expected += "ACK\n";
    EXPECT_EQ(firstReplies, expected);
    EXPECT_EQ(t.app.settings.message, "TURN" + std::to_string(kLines - 1));
    close(first);
    close(second);
}

}  // namespace
}  // namespace quillet
