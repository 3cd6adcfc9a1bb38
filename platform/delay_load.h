#pragma once
// Libraries that only image output, printing and the check before printing
// use are loaded at their first call, not at start-up, so a run that builds
// and saves a metafile maps none of them (the way a Windows program
// delay-loads a DLL). The functions used are listed per library in
// platform/delay_load/<soname>.symbols; the linker refuses a call to one that
// is not listed.
#include <string>
#include <vector>

namespace platform {

// The delay-loaded libraries' file names, and whether each is loaded yet.
struct DelayedLibrary {
    std::string soname;
    bool loaded = false;
};
std::vector<DelayedLibrary> delayedLibraries();

}  // namespace platform
