#include "platform/delay_load.h"

#include <dlfcn.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#ifdef QUILLET_DELAY_LOAD

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

constexpr size_t kLibraryCount = std::size(kLibraries);
std::array<void*, kLibraryCount> g_handles{};

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

namespace platform {

std::vector<DelayedLibrary> delayedLibraries() {
    std::lock_guard lock(bindLock());
    std::vector<DelayedLibrary> all;
    for (size_t i = 0; i < kLibraryCount; ++i) all.push_back({kLibraries[i], g_handles[i] != nullptr});
    return all;
}

}  // namespace platform

#else

// Built without delay loading: every library is linked as usual.
std::vector<platform::DelayedLibrary> platform::delayedLibraries() { return {}; }

#endif
