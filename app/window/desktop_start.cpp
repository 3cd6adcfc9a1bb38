#include "app/window/desktop_start.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/automation/automation_server.h"
#include "app/window/desktop_window.h"
#include "app/window/window_automation.h"

namespace quillet {

namespace {

bool named(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// A display that does not answer within this time counts as none.
constexpr int kProbeMilliseconds = 10000;

}  // namespace

bool desktopAvailable() {
    if (!named("DISPLAY") && !named("WAYLAND_DISPLAY")) return false;
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        // Qt's complaint and its abort stay out of sight: no output, no core file.
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0) {
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
        }
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        static char name[] = "quillet";
        static char* argv[] = {name, nullptr};
        int argc = 1;
        QGuiApplication probe(argc, argv);
        _exit(0);
    }
    for (int waited = 0; waited < kProbeMilliseconds; waited += 10) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        usleep(10000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return false;
}

int runDesktopWindow(int& argc, char** argv, AppState& app, const std::string& configPath) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Quillet");
    DesktopWindow window(app);
    std::string error;
    const std::string socketPath = defaultSocketPath(error);
    // Without a server the window is still the whole program for a person.
    std::unique_ptr<WindowAutomation> automation;
    if (!socketPath.empty()) automation = std::make_unique<WindowAutomation>(window, app, socketPath);
    if (automation && !automation->listening()) error = automation->error();
    if (!automation || !automation->listening())
        std::fprintf(stderr, "quillet: no automation server: %s\n", error.c_str());
    window.resize(900, 640);
    window.show();
    if (!configPath.empty()) window.openConfiguration(configPath);
    return application.exec();
}

}  // namespace quillet
