#pragma once
// The automation server: the command language over a Unix-domain socket.
// Each line a client sends is one execute string, answered by one line,
// "ACK" or "NAK". Clients are served side by side but their executes run
// one at a time on the caller's thread, and in turns: each client with a
// line waiting runs one execute before any client runs its next. A client
// closing its connection, or the server dropping it, is the conversation's
// close.
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

namespace quillet {

struct AppState;

struct ServerOptions {
    std::string socketPath;
    // A longer line is answered "NAK" without being run.
    size_t maxLineBytes = 64 * 1024;
    // A new connection beyond this many takes the place of the one that has
    // been idle longest, so held connections never lock others out.
    size_t maxClients = 256;
    // A connection that neither sends nor takes a reply for this long is
    // dropped (zero: never).
    std::chrono::milliseconds idleTimeout{60000};
    // Replies a client leaves unread beyond this end its connection.
    size_t maxPendingReplyBytes = 1 << 20;
    // When this descriptor becomes readable the server stops (-1: none).
    int stopFd = -1;
};

// "quillet.sock" under $XDG_RUNTIME_DIR; without it, under a folder of the
// user's own ("quillet-UID", mode 0700) in $TMPDIR or /tmp. Empty, with
// the reason in error, when no safe folder can be had.
std::string defaultSocketPath(std::string& error);

// A listening server, driven by an event loop: watch its descriptor and
// service it whenever the descriptor is readable.
struct AutomationServer;
void closeAutomationServer(AutomationServer* server);  // also removes the socket
using AutomationServerHandle = std::unique_ptr<AutomationServer, void (*)(AutomationServer*)>;

// Listens on the socket (mode 0600; a stale socket left by an earlier run
// is replaced, any other file is not). Empty, with the reason in error,
// when it cannot listen. stopFd is not used here.
AutomationServerHandle listenAutomationServer(AppState& app, const ServerOptions& options, std::string& error);

// One descriptor for the whole server (new connections, input, room for
// replies): readable whenever servicing has work to do.
int automationServerDescriptor(const AutomationServer& server);

enum class ServiceResult {
    Serviced,  // whatever was ready has been handled, without blocking
    Busy,      // called from inside an execute (a modal box's event loop): nothing done
    Ended,     // a conversation closed after `[APPEXIT]`: the program ends
};
ServiceResult serviceAutomationServer(AutomationServer& server);
// True while an execute of the server runs: an event loop may pause
// watching the descriptor meanwhile.
bool automationServerBusy(const AutomationServer& server);

// `--serve`: listens, services until a client's close ends the program
// after `[APPEXIT]` or stopFd is readable, and removes the socket. False,
// with the reason in error, when it cannot listen.
bool runAutomationServer(AppState& app, const ServerOptions& options, std::string& error);

// A descriptor that becomes readable on SIGINT or SIGTERM, for stopFd.
int stopOnSignals();

}  // namespace quillet
