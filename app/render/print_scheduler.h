#pragma once
// Whether the printing system has anyone to ask. The program reads the
// default printer's resolution at start-up; where no scheduler can answer,
// the answer is known ("no default printer") without loading libcups and
// the two dozen libraries it brings.
#include <string>
#include <vector>

namespace quillet {

// Where libcups looks for a scheduler, a default printer or its options.
struct SchedulerPlaces {
    std::string home;                          // ~/.cups/client.conf and ~/.cups/lpoptions
    std::string serverRoot = "/etc/cups";      // client.conf and lpoptions
    std::vector<std::string> sockets = {"/run/cups/cups.sock", "/var/run/cups/cups.sock"};
    int ippPort = 631;                         // a scheduler on this host without a socket
};
// The places of this system ($HOME, the standard socket and port).
SchedulerPlaces systemSchedulerPlaces();

// False only when nothing could name a printer: none of CUPS_SERVER,
// CUPS_SERVERROOT, IPP_PORT, PRINTER or LPDEST is set, no client.conf or
// lpoptions file exists, no scheduler socket exists and nothing accepts on
// the IPP port of this host.
bool schedulerMayAnswer(const SchedulerPlaces& places);

}  // namespace quillet
