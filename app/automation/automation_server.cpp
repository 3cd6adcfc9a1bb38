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
#include <sys/timerfd.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "app/automation/client_reports.h"
#include "app/automation/dde_link.h"
#include "app/model/app_state.h"

namespace quillet {

namespace {

using Clock = std::chrono::steady_clock;

struct Client {
    int fd = -1;
    std::string input;    // received bytes; those before head have been run
    size_t head = 0;
    size_t scanned = 0;   // input[head, scanned) holds no line end
    bool discarding = false;  // inside an overlong line
    std::string output;   // replies not yet sent
    bool readEnded = false;
    Clock::time_point lastActive = Clock::now();
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
        c.lastActive = Clock::now();
    }
    return true;
}

void runLine(AppState& app, Client& c, std::string line, const ServerOptions& o) {
    c.lastActive = Clock::now();
    if (line.size() > o.maxLineBytes) {
        c.output += "NAK\n";
        return;
    }
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
    const ExecuteResult result = LinkExecuteUtf8(app, line);
    app.onBuilt = previous;
    app.onVerified = previousVerified;
    c.output += result == ExecuteResult::Refused ? "NAK\n" : "ACK\n";
}

// True when a whole line has been received and not yet run. Each byte is
// looked at once, however the line arrives.
bool lineWaiting(Client& c) {
    const size_t end = c.input.find('\n', c.scanned);
    c.scanned = end == std::string::npos ? c.input.size() : end;
    return end != std::string::npos;
}

// The next whole line, taken from the input; false when none is waiting.
bool takeLine(Client& c, std::string& line) {
    if (!lineWaiting(c)) return false;
    line.assign(c.input, c.head, c.scanned - c.head);
    c.head = c.scanned = c.scanned + 1;
    // Run bytes are dropped in bulk, not line by line.
    if (c.head == c.input.size() || c.head > c.input.size() / 2) {
        c.input.erase(0, c.head);
        c.scanned -= c.head;
        c.head = 0;
    }
    return true;
}

// Keeps what was received; an unfinished line grown past the limit is
// dropped as it comes and answered "NAK" at its end.
void receive(Client& c, const char* data, size_t size, const ServerOptions& o) {
    c.lastActive = Clock::now();
    if (c.discarding) {
        const char* end = static_cast<const char*>(std::memchr(data, '\n', size));
        if (!end) return;
        c.discarding = false;
        c.output += "NAK\n";
        size -= size_t(end + 1 - data);
        data = end + 1;
    }
    c.input.append(data, size);
    if (!lineWaiting(c) && c.input.size() - c.head > o.maxLineBytes) {
        c.input.clear();
        c.input.shrink_to_fit();
        c.head = c.scanned = 0;
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
    int timerFd = -1;  // readable when a line waits or an idle time ends
    std::vector<std::unique_ptr<Client>> clients;
    std::vector<char> buffer = std::vector<char>(64 * 1024);
    bool servicing = false;  // guards against a second execute inside a first
    bool ended = false;
    std::string error;
};

namespace {

// The epoll set follows what each socket waits for: new connections while
// there is room, input until the client stops sending, room for replies.
// A client with a line waiting is not read from until the line has run;
// the timer then wakes the loop at once. Otherwise it wakes the loop when
// the first idle connection is due to be dropped.
void updateInterest(AutomationServer& s) {
    bool work = false;
    Clock::time_point due = Clock::time_point::max();
    for (auto& c : s.clients) {
        const bool waiting = lineWaiting(*c);
        work = work || waiting;
        if (s.options.idleTimeout.count() > 0) due = std::min(due, c->lastActive + s.options.idleTimeout);
        epoll_event e{};
        e.events = (c->readEnded || waiting ? 0u : uint32_t(EPOLLIN)) | (c->output.empty() ? 0u : uint32_t(EPOLLOUT));
        e.data.fd = c->fd;
        epoll_ctl(s.epollFd, EPOLL_CTL_MOD, c->fd, &e);
    }
    itimerspec when{};
    if (work) {
        when.it_value.tv_nsec = 1;
    } else if (due != Clock::time_point::max()) {
        const auto wait = std::chrono::duration_cast<std::chrono::nanoseconds>(due - Clock::now()).count();
        const long long ns = std::max<long long>(wait, 1);
        when.it_value.tv_sec = time_t(ns / 1000000000);
        when.it_value.tv_nsec = long(ns % 1000000000);
    }
    timerfd_settime(s.timerFd, 0, &when, nullptr);
}

void closeClient(AutomationServer& s, Client& c) {
    flush(c);
    epoll_ctl(s.epollFd, EPOLL_CTL_DEL, c.fd, nullptr);
    close(c.fd);
    c.fd = -1;
    // The conversation ends: after [APPEXIT] so does the program.
    if (LinkClose(*s.app)) s.ended = true;
}

// At the cap, the connection idle longest makes room for the new one.
void makeRoom(AutomationServer& s) {
    while (!s.clients.empty() && s.clients.size() >= std::max<size_t>(s.options.maxClients, 1)) {
        auto oldest = std::min_element(s.clients.begin(), s.clients.end(),
                                       [](const auto& a, const auto& b) { return a->lastActive < b->lastActive; });
        closeClient(s, **oldest);
        s.clients.erase(oldest);
    }
}

void acceptClients(AutomationServer& s) {
    while (!s.ended) {
        const int fd = accept4(s.listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) break;
        makeRoom(s);
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

}  // namespace

AutomationServerHandle listenAutomationServer(AppState& app, const ServerOptions& options, std::string& error) {
    AutomationServerHandle server(nullptr, closeAutomationServer);
    const int listener = listenOn(options.socketPath, error);
    if (listener < 0) return server;
    const int epollFd = epoll_create1(EPOLL_CLOEXEC);
    const int timerFd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    epoll_event ev{};
    ev.events = EPOLLIN;
    ev.data.fd = listener;
    epoll_event tev{};
    tev.events = EPOLLIN;
    tev.data.fd = timerFd;
    if (epollFd < 0 || timerFd < 0 || epoll_ctl(epollFd, EPOLL_CTL_ADD, listener, &ev) != 0 ||
        epoll_ctl(epollFd, EPOLL_CTL_ADD, timerFd, &tev) != 0) {
        error = systemError("epoll");
        if (epollFd >= 0) close(epollFd);
        if (timerFd >= 0) close(timerFd);
        close(listener);
        unlink(options.socketPath.c_str());
        return server;
    }
    server.reset(new AutomationServer);
    server->app = &app;
    server->options = options;
    server->listener = listener;
    server->epollFd = epollFd;
    server->timerFd = timerFd;
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
    uint64_t expirations = 0;
    (void)!read(s.timerFd, &expirations, sizeof expirations);
    std::vector<pollfd> fds;
    fds.push_back({s.listener, POLLIN, 0});
    for (auto& c : s.clients) {
        short events = c->readEnded || lineWaiting(*c) ? 0 : POLLIN;
        if (!c->output.empty()) events |= POLLOUT;
        fds.push_back({c->fd, events, 0});
    }
    if (poll(fds.data(), fds.size(), 0) < 0 && errno != EINTR) s.error = systemError("poll");
    const Clock::duration idleLimit = s.options.idleTimeout;
    const size_t known = s.clients.size();
    for (size_t i = 0; i < known && !s.ended; ++i) {
        Client& c = *s.clients[i];
        const short ev = fds[i + 1].revents;
        bool gone = (ev & (POLLERR | POLLNVAL)) != 0;
        if (!gone && (ev & (POLLIN | POLLHUP)) && !c.readEnded && !lineWaiting(c)) {
            const ssize_t n = recv(c.fd, s.buffer.data(), s.buffer.size(), 0);
            if (n > 0) receive(c, s.buffer.data(), size_t(n), s.options);
            else if (n == 0) c.readEnded = true;  // an unfinished line is dropped
            else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) gone = true;
        }
        // One execute per client per turn: a client with many lines waiting
        // does not hold up the others.
        if (std::string line; !gone && takeLine(c, line)) runLine(*s.app, c, std::move(line), s.options);
        if (!gone) gone = !flush(c) || c.output.size() > s.options.maxPendingReplyBytes;
        const bool idle = idleLimit.count() > 0 && !lineWaiting(c) && Clock::now() - c.lastActive >= idleLimit;
        if (gone || idle || (c.readEnded && c.output.empty() && !lineWaiting(c))) closeClient(s, c);
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
    close(s->timerFd);
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
