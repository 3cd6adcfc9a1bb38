#include "app/automation/automation_server.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <memory>
#include <optional>
#include <vector>

#include "app/automation/client_reports.h"
#include "app/automation/dde_link.h"
#include "app/model/app_state.h"
#include "platform/codepage.h"

namespace quillet {

namespace {

struct Client {
    int fd = -1;
    std::string input;    // bytes of an unfinished line
    bool discarding = false;  // inside an overlong line
    std::string output;   // replies not yet sent
    bool readEnded = false;
    std::optional<ReportFormat> reports;  // asked for with "#REPORT"
};

std::string systemError(const std::string& what) { return what + ": " + std::strerror(errno); }

bool setNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

// Replaces a socket nobody listens on any more; refuses anything else.
bool clearStaleSocket(const std::string& path, std::string& error) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) return errno == ENOENT || (error = systemError(path), false);
    if (!S_ISSOCK(st.st_mode)) {
        error = path + " exists and is not a socket";
        return false;
    }
    const int probe = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (probe < 0) return error = systemError("socket"), false;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    const bool live = connect(probe, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    close(probe);
    if (live) {
        error = "another server is listening on " + path;
        return false;
    }
    if (unlink(path.c_str()) != 0) return error = systemError(path), false;
    return true;
}

int listenOn(const std::string& path, std::string& error) {
    sockaddr_un addr{};
    if (path.empty() || path.size() >= sizeof addr.sun_path) {
        error = "socket path is empty or too long: " + path;
        return -1;
    }
    if (!clearStaleSocket(path, error)) return -1;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = systemError("socket");
        return -1;
    }
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    // The socket is created private, never briefly open to others.
    const mode_t old = umask(0177);
    const int bound = bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    umask(old);
    if (bound != 0 || chmod(path.c_str(), 0600) != 0 || listen(fd, 64) != 0 || !setNonBlocking(fd)) {
        error = systemError(path);
        if (bound == 0) unlink(path.c_str());
        close(fd);
        return -1;
    }
    return fd;
}

// Sends what the client can take now; false when the connection is gone.
bool flush(Client& c) {
    while (!c.output.empty()) {
        const ssize_t n = send(c.fd, c.output.data(), c.output.size(), MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno == EAGAIN || errno == EWOULDBLOCK;
        }
        c.output.erase(0, size_t(n));
    }
    return true;
}

void runLine(AppState& app, Client& c, std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (const auto request = parseReportRequest(line)) {
        c.reports = request->format;
        c.output += "ACK\n";
        return;
    }
    // This client's reports join whatever the program reports already.
    const auto previous = app.onBuilt;
    const auto previousVerified = app.onVerified;
    if (c.reports) {
        app.onBuilt = [&c, &previous, format = *c.reports](const AppState& a) {
            if (previous) previous(a);
            c.output += "REPORT " + buildReport(a, format) + "\n";
        };
        app.onVerified = [&c, &previousVerified, format = *c.reports](const std::string& text, const std::string& json) {
            if (previousVerified) previousVerified(text, json);
            c.output += "REPORT " + (format == ReportFormat::Json ? json : text) + "\n";
        };
    }
    // Lines arrive as UTF-8; bytes that are not become '?'.
    const ExecuteResult result = LinkExecute(app, platform::utf8ToAnsi(line));
    app.onBuilt = previous;
    app.onVerified = previousVerified;
    c.output += result == ExecuteResult::Refused ? "NAK\n" : "ACK\n";
}

// Runs every complete line received so far.
void takeInput(AppState& app, Client& c, const char* data, size_t size, const ServerOptions& o) {
    size_t start = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] != '\n') continue;
        if (c.discarding || c.input.size() + (i - start) > o.maxLineBytes) {
            c.discarding = false;
            c.input.clear();
            c.output += "NAK\n";
        } else {
            c.input.append(data + start, i - start);
            std::string line;
            line.swap(c.input);
            runLine(app, c, std::move(line));
        }
        start = i + 1;
    }
    if (c.discarding) return;
    c.input.append(data + start, size - start);
    if (c.input.size() > o.maxLineBytes) {
        c.input.clear();
        c.input.shrink_to_fit();
        c.discarding = true;
    }
}

volatile sig_atomic_t gStopWrite = -1;

void onStopSignal(int) {
    const int fd = gStopWrite;
    if (fd >= 0) {
        const char b = 1;
        const ssize_t ignored = write(fd, &b, 1);
        (void)ignored;
    }
}

}  // namespace

std::string defaultSocketPath(std::string& error) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) return std::string(runtime) + "/quillet.sock";
    const char* tmp = std::getenv("TMPDIR");
    const std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/quillet-" + std::to_string(getuid());
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        error = systemError(folder);
        return {};
    }
    struct stat st {};
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid() || (st.st_mode & 077) != 0) {
        error = folder + " is not a private folder of this user";
        return {};
    }
    return folder + "/quillet.sock";
}

int stopOnSignals() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return -1;
    gStopWrite = fds[1];
    struct sigaction sa {};
    sa.sa_handler = onStopSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    return fds[0];
}

struct AutomationServer {
    AppState* app = nullptr;
    ServerOptions options;
    int listener = -1;
    int epollFd = -1;  // readable when any socket of the server is ready
    std::vector<std::unique_ptr<Client>> clients;
    std::vector<char> buffer = std::vector<char>(64 * 1024);
    bool servicing = false;  // guards against a second execute inside a first
    bool ended = false;
    std::string error;
};

namespace {

// The epoll set follows what each socket waits for: new connections while
// there is room, input until the client stops sending, room for replies.
void updateInterest(AutomationServer& s) {
    epoll_event ev{};
    ev.events = s.clients.size() < s.options.maxClients ? uint32_t(EPOLLIN) : 0u;
    ev.data.fd = s.listener;
    epoll_ctl(s.epollFd, EPOLL_CTL_MOD, s.listener, &ev);
    for (auto& c : s.clients) {
        epoll_event e{};
        e.events = (c->readEnded ? 0u : uint32_t(EPOLLIN)) | (c->output.empty() ? 0u : uint32_t(EPOLLOUT));
        e.data.fd = c->fd;
        epoll_ctl(s.epollFd, EPOLL_CTL_MOD, c->fd, &e);
    }
}

void acceptClients(AutomationServer& s) {
    while (s.clients.size() < s.options.maxClients) {
        const int fd = accept4(s.listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) break;
        epoll_event ev{};
        ev.data.fd = fd;
        if (epoll_ctl(s.epollFd, EPOLL_CTL_ADD, fd, &ev) != 0) {
            close(fd);
            break;
        }
        auto c = std::make_unique<Client>();
        c->fd = fd;
        s.clients.push_back(std::move(c));
    }
}

void closeClient(AutomationServer& s, Client& c) {
    epoll_ctl(s.epollFd, EPOLL_CTL_DEL, c.fd, nullptr);
    close(c.fd);
    c.fd = -1;
}

}  // namespace

AutomationServerHandle listenAutomationServer(AppState& app, const ServerOptions& options, std::string& error) {
    AutomationServerHandle server(nullptr, closeAutomationServer);
    const int listener = listenOn(options.socketPath, error);
    if (listener < 0) return server;
    const int epollFd = epoll_create1(EPOLL_CLOEXEC);
    epoll_event ev{};
    ev.events = EPOLLIN;
    ev.data.fd = listener;
    if (epollFd < 0 || epoll_ctl(epollFd, EPOLL_CTL_ADD, listener, &ev) != 0) {
        error = systemError("epoll");
        if (epollFd >= 0) close(epollFd);
        close(listener);
        unlink(options.socketPath.c_str());
        return server;
    }
    server.reset(new AutomationServer);
    server->app = &app;
    server->options = options;
    server->listener = listener;
    server->epollFd = epollFd;
    return server;
}

int automationServerDescriptor(const AutomationServer& server) { return server.epollFd; }

bool automationServerBusy(const AutomationServer& server) { return server.servicing; }

ServiceResult serviceAutomationServer(AutomationServer& s) {
    if (s.ended) return ServiceResult::Ended;
    // A modal message box inside an execute may spin the event loop that
    // calls us: the pending input waits until the first execute is done.
    if (s.servicing) return ServiceResult::Busy;
    s.servicing = true;
    std::vector<pollfd> fds;
    fds.push_back({s.listener, short(s.clients.size() < s.options.maxClients ? POLLIN : 0), 0});
    for (auto& c : s.clients) {
        short events = c->readEnded ? 0 : POLLIN;
        if (!c->output.empty()) events |= POLLOUT;
        fds.push_back({c->fd, events, 0});
    }
    if (poll(fds.data(), fds.size(), 0) < 0 && errno != EINTR) s.error = systemError("poll");
    const size_t known = s.clients.size();
    for (size_t i = 0; i < known && !s.ended; ++i) {
        Client& c = *s.clients[i];
        const short ev = fds[i + 1].revents;
        bool gone = (ev & (POLLERR | POLLNVAL)) != 0;
        if (!gone && (ev & (POLLIN | POLLHUP)) && !c.readEnded) {
            const ssize_t n = recv(c.fd, s.buffer.data(), s.buffer.size(), 0);
            if (n > 0) takeInput(*s.app, c, s.buffer.data(), size_t(n), s.options);
            else if (n == 0) c.readEnded = true;  // an unfinished line is dropped
            else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) gone = true;
        }
        if (!gone) gone = !flush(c) || c.output.size() > s.options.maxPendingReplyBytes;
        if (gone || (c.readEnded && c.output.empty())) {
            closeClient(s, c);
            // The conversation ends: after [APPEXIT] so does the program.
            if (LinkClose(*s.app)) s.ended = true;
        }
    }
    std::erase_if(s.clients, [](const std::unique_ptr<Client>& c) { return c->fd < 0; });
    if (!s.ended && (fds[0].revents & POLLIN)) acceptClients(s);
    updateInterest(s);
    s.servicing = false;
    return s.ended ? ServiceResult::Ended : ServiceResult::Serviced;
}

void closeAutomationServer(AutomationServer* s) {
    if (!s) return;
    for (auto& c : s->clients) {
        flush(*c);
        close(c->fd);
    }
    close(s->epollFd);
    close(s->listener);
    unlink(s->options.socketPath.c_str());
    delete s;
}

bool runAutomationServer(AppState& app, const ServerOptions& o, std::string& error) {
    auto server = listenAutomationServer(app, o, error);
    if (!server) return false;
    for (;;) {
        pollfd fds[2] = {{automationServerDescriptor(*server), POLLIN, 0}, {o.stopFd, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            error = systemError("poll");
            break;
        }
        if (o.stopFd >= 0 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) break;
        if (serviceAutomationServer(*server) == ServiceResult::Ended) break;
        if (!server->error.empty()) {
            error = server->error;
            break;
        }
    }
    return error.empty();
}

}  // namespace quillet
