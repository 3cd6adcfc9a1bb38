#pragma once
// A test's client end of the automation server's Unix-domain socket.
#include <string>

namespace quillet::test {

// A connected socket with 10-second send and receive timeouts, or -1.
int connectTo(const std::string& socketPath);

}  // namespace quillet::test
