#include "app/automation/automation_server.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <memory>
#include <vector>

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
    // Lines arrive as UTF-8; bytes that are not become '?'.
    const bool refused = LinkExecute(app, platform::utf8ToAnsi(line));
    c.output += refused ? "NAK\n" : "ACK\n";
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

bool runAutomationServer(AppState& app, const ServerOptions& o, std::string& error) {
    const int listener = listenOn(o.socketPath, error);
    if (listener < 0) return false;
    std::vector<std::unique_ptr<Client>> clients;
    std::vector<pollfd> fds;
    std::vector<char> buffer(64 * 1024);
    bool running = true;

    while (running) {
        fds.clear();
        const bool accepting = clients.size() < o.maxClients;
        fds.push_back({listener, short(accepting ? POLLIN : 0), 0});
        fds.push_back({o.stopFd, POLLIN, 0});
        for (auto& c : clients) {
            short events = c->readEnded ? 0 : POLLIN;
            if (!c->output.empty()) events |= POLLOUT;
            fds.push_back({c->fd, events, 0});
        }
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) continue;
            error = systemError("poll");
            break;
        }
        if (o.stopFd >= 0 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) break;

        for (size_t i = 0; i < clients.size() && running; ++i) {
            Client& c = *clients[i];
            const short ev = fds[i + 2].revents;
            bool gone = (ev & (POLLERR | POLLNVAL)) != 0;
            if (!gone && (ev & (POLLIN | POLLHUP)) && !c.readEnded) {
                const ssize_t n = recv(c.fd, buffer.data(), buffer.size(), 0);
                if (n > 0) takeInput(app, c, buffer.data(), size_t(n), o);
                else if (n == 0) c.readEnded = true;  // an unfinished line is dropped
                else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) gone = true;
            }
            if (!gone) gone = !flush(c) || c.output.size() > o.maxPendingReplyBytes;
            if (gone || (c.readEnded && c.output.empty())) {
                close(c.fd);
                c.fd = -1;
                // The conversation ends: after [APPEXIT] so does the program.
                if (LinkClose(app)) running = false;
            }
        }
        std::erase_if(clients, [](const std::unique_ptr<Client>& c) { return c->fd < 0; });

        if (running && accepting && (fds[0].revents & POLLIN)) {
            for (;;) {
                const int fd = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
                if (fd < 0) break;
                auto c = std::make_unique<Client>();
                c->fd = fd;
                clients.push_back(std::move(c));
                if (clients.size() >= o.maxClients) break;
            }
        }
    }
    for (auto& c : clients) {
        flush(*c);
        close(c->fd);
    }
    close(listener);
    unlink(o.socketPath.c_str());
    return error.empty();
}

}  // namespace quillet
