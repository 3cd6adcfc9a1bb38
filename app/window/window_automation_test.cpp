// The window as the automation server: execute strings a client sends over
// the socket, serviced from the Qt event loop, change the window's fields,
// check marks and preview; the close after [APPEXIT] ends the window
// without asking to save.
#include "app/window/window_automation.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

#include "app/window/test_support/window_fixture.h"
#include "tests/support/socket_client.h"

namespace quillet {
namespace {

using test::WindowFixture;

std::string socketPath() {
    static int counter = 0;
    return (std::filesystem::temp_directory_path() /
            ("qwin-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".sock"))
        .string();
}

// A client on its own thread sends the lines, reads one reply a line and
// closes, while the Qt event loop of this thread runs the window.
std::string converse(const std::string& path, const std::string& lines) {
    const size_t expected = size_t(std::count(lines.begin(), lines.end(), '\n'));
    std::string replies;
    std::atomic<bool> done{false};
    std::thread client([&] {
        const int fd = test::connectTo(path);
        if (fd >= 0) {
            send(fd, lines.data(), lines.size(), MSG_NOSIGNAL);
            char buf[64];
            for (ssize_t n; size_t(std::count(replies.begin(), replies.end(), '\n')) < expected &&
                            (n = recv(fd, buf, sizeof buf, 0)) > 0;)
                replies.append(buf, size_t(n));
            close(fd);
        }
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 15000)) << "the client got no reply";
    client.join();
    return replies;
}

TEST(WindowAutomation, ExecuteStringsChangeTheWindow) {
    struct Case {
        std::string execute;
        std::string reply;
        std::function<void(const WindowFixture&)> check;
    } cases[] = {
        {"[CODE39][MESSAGE='SOCKET 39'][BUILD/COPY]", "ACK\n",
         [](const WindowFixture& f) {
             EXPECT_EQ(f.find<QLineEdit>("Message")->text(), "SOCKET 39");
             EXPECT_TRUE(f.find<QAction>("MCode1")->isChecked());
             EXPECT_TRUE(f.find<QLabel>("Label10")->isHidden());
             EXPECT_FALSE(f.find<QLabel>("BarCode")->isHidden());
             // The preview shows the symbol the execute built, at its size.
             const auto& built = f.session.app.output.lastSymbol;
             ASSERT_TRUE(built);
             EXPECT_NE(built->text.find("SOCKET 39"), std::string::npos);
             EXPECT_NEAR(f.find<QLabel>("BarCode")->width(), built->metafile.xExt / 2540.0 * f.window->previewDpiX(), 1.0);
         }},
        {"[QR][MESSAGE='https://example.com/sock'][BUILD/COPY][BARCODE=https://example.com/again]", "ACK\n",
         [](const WindowFixture& f) {
             EXPECT_EQ(f.find<QLineEdit>("Message")->text(), "https://example.com/again");
             EXPECT_EQ(test::decode(f.preview(), "QRCode").text, "https://example.com/again");
         }},
        {"[QUIETZONES=ON][METRIC][COMMENT=shelf 9]", "ACK\n",
         [](const WindowFixture& f) {
             EXPECT_TRUE(f.menuEntry("Include &Quiet Zones")->isChecked());
             EXPECT_TRUE(f.menuEntry("&Metric (.001 cm)")->isChecked());
             EXPECT_FALSE(f.menuEntry("&Inches (mils)")->isChecked());
             EXPECT_EQ(f.find<QLabel>("WidthLabel")->text(), "Narrow Bar Width (.001cm)");
             EXPECT_EQ(f.find<QLineEdit>("Comment")->text(), "shelf 9");
         }},
        // A refused build shows its message box at the window, as typed.
        {"[UPCA][MESSAGE='12'][BUILD/COPY]", "NAK\n",
         [](const WindowFixture& f) {
             ASSERT_EQ(f.boxes.size(), 1u);
             EXPECT_EQ(f.boxes[0].title, "Quillet");
             EXPECT_TRUE(f.find<QLabel>("BarCode")->isHidden());
             EXPECT_EQ(f.find<QLabel>("SupplementLabel")->text(), "UPC Supplemental:");
         }},
        {"[APPMINIMIZE]", "ACK\n", [](const WindowFixture& f) { EXPECT_TRUE(f.window->isMinimized()); }},
        {"[APPMINIMIZE][APPNORMAL]", "ACK\n", [](const WindowFixture& f) { EXPECT_FALSE(f.window->isMinimized()); }},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        const std::string path = socketPath();
        WindowAutomation automation(*f.window, f.app(), path);
        ASSERT_TRUE(automation.listening()) << automation.error();
        EXPECT_EQ(converse(path, c.execute + "\n"), c.reply) << c.execute;
        SCOPED_TRACE(c.execute);
        c.check(f);
        EXPECT_TRUE(f.window->isVisible());
    }
}

// The conversation's close ends the program only after [APPEXIT], and then
// without the question about saving the changed configuration.
TEST(WindowAutomation, CloseAfterAppExitClosesTheWindowUnasked) {
    struct Case {
        std::string lines;
        bool closed;
    } cases[] = {
        {"[QUIETZONES=ON]\n", false},
        {"[QUIETZONES=ON]\n[APPEXIT]\n", true},
        {"[APPEXIT][QUIETZONES=OFF]\n", true},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        const std::string path = socketPath();
        auto automation = std::make_unique<WindowAutomation>(*f.window, f.app(), path);
        ASSERT_TRUE(automation->listening()) << automation->error();
        converse(path, c.lines);
        (void)QTest::qWaitFor([&] { return !f.window->isVisible(); }, c.closed ? 5000 : 200);
        EXPECT_TRUE(f.app().settings.changed != c.closed) << c.lines;
        EXPECT_EQ(!f.window->isVisible(), c.closed) << c.lines;
        EXPECT_TRUE(f.boxes.empty()) << c.lines;
        automation.reset();
        EXPECT_FALSE(std::filesystem::exists(path)) << c.lines;
    }
}

// Two windows cannot serve one socket: the second runs without a server
// and says why.
TEST(WindowAutomation, ASocketInUseLeavesTheWindowWithoutAServer) {
    WindowFixture first, second;
    const std::string path = socketPath();
    WindowAutomation serving(*first.window, first.app(), path);
    ASSERT_TRUE(serving.listening());
    WindowAutomation refused(*second.window, second.app(), path);
    EXPECT_FALSE(refused.listening());
    EXPECT_NE(refused.error().find("listening"), std::string::npos) << refused.error();
    EXPECT_EQ(converse(path, "[MESSAGE='FIRST']\n"), "ACK\n");
    EXPECT_EQ(first.app().settings.message, "FIRST");
}

}  // namespace
}  // namespace quillet
