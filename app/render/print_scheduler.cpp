#include "app/render/print_scheduler.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace quillet {

namespace {

bool named(const char* variable) {
    const char* v = std::getenv(variable);
    return v && *v;
}

bool exists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::exists(path, ec);
}

// A refused connection on the loopback comes back at once.
bool accepts(int family, const char* address, int port) {
    const int fd = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    int rc = -1;
    if (family == AF_INET) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(uint16_t(port));
        ::inet_pton(AF_INET, address, &a.sin_addr);
        rc = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    } else {
        sockaddr_in6 a{};
        a.sin6_family = AF_INET6;
        a.sin6_port = htons(uint16_t(port));
        ::inet_pton(AF_INET6, address, &a.sin6_addr);
        rc = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    }
    ::close(fd);
    return rc == 0;
}

}  // namespace

SchedulerPlaces systemSchedulerPlaces() {
    SchedulerPlaces p;
    if (const char* home = std::getenv("HOME")) p.home = home;
    return p;
}

bool schedulerMayAnswer(const SchedulerPlaces& places) {
    for (const char* v : {"CUPS_SERVER", "CUPS_SERVERROOT", "IPP_PORT", "PRINTER", "LPDEST"})
        if (named(v)) return true;
    for (const char* file : {"client.conf", "lpoptions"}) {
        if (!places.home.empty() && exists(places.home + "/.cups/" + file)) return true;
        if (exists(places.serverRoot + "/" + file)) return true;
    }
    for (const std::string& socket : places.sockets)
        if (exists(socket)) return true;
    return accepts(AF_INET, "127.0.0.1", places.ippPort) || accepts(AF_INET6, "::1", places.ippPort);
}

}  // namespace quillet
