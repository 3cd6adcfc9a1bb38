// Libraries that only image output, printing and the check before printing
// use are loaded at their first call, not at start-up, so a run that builds
// and saves a metafile maps none of them (the way a Windows program
// delay-loads a DLL). The functions used are listed per library in
// platform/delay_load/<soname>.symbols; the trampolines (delay_load.S) stand
// in for them, so the linker refuses a call to one that is not listed. Built
// without QUILLET_DELAY_LOAD, the libraries are linked as usual and neither
// file is built.
#include <dlfcn.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

#define DELAY_LOAD_LIBRARY(library, soname) soname,
#define DELAY_LOAD_SYMBOL(index, library, name)
constexpr const char* kLibraries[] = {
#include "delay_load_table.inc"
};
#undef DELAY_LOAD_LIBRARY
#undef DELAY_LOAD_SYMBOL

struct DelayedSymbol {
    unsigned library;
    const char* name;
};
#define DELAY_LOAD_LIBRARY(library, soname)
#define DELAY_LOAD_SYMBOL(index, library, name) {library, #name},
constexpr DelayedSymbol kSymbols[] = {
#include "delay_load_table.inc"
};
#undef DELAY_LOAD_LIBRARY
#undef DELAY_LOAD_SYMBOL

std::array<void*, std::size(kLibraries)> g_handles{};

// A library's constructor may call another delayed function while the
// first is being bound.
std::recursive_mutex& bindLock() {
    static std::recursive_mutex m;
    return m;
}

[[noreturn]] void cannotBind(const char* what, const char* name) {
    const char* why = dlerror();
    std::fprintf(stderr, "quillet: cannot load %s %s: %s\n", what, name, why ? why : "not found");
    std::abort();
}

}  // namespace

extern "C" {

// One slot per listed function, read by the trampolines.
__attribute__((visibility("hidden"))) void* quillet_delay_slots[std::size(kSymbols)];

__attribute__((visibility("hidden"))) void* quillet_delay_resolve(unsigned index) {
    std::lock_guard lock(bindLock());
    void*& slot = quillet_delay_slots[index];
    if (slot) return slot;
    const DelayedSymbol& s = kSymbols[index];
    void*& handle = g_handles[s.library];
    if (!handle) handle = dlopen(kLibraries[s.library], RTLD_NOW | RTLD_GLOBAL);
    if (!handle) cannotBind("the library", kLibraries[s.library]);
    void* f = dlsym(handle, s.name);
    if (!f) cannotBind("the function", s.name);
    __atomic_store_n(&slot, f, __ATOMIC_RELEASE);
    return f;
}
}
