#include "app/shell/desktop_loader.h"

#include <cstdio>
#include <cstdlib>

#include "app/desktop/desktop_module.h"
#include "platform/paths.h"

namespace quillet {

namespace {

struct DesktopEntries {
    decltype(&quillet_desktop_available) available = nullptr;
    decltype(&quillet_desktop_run) run = nullptr;
};

const DesktopEntries& entries() {
    static const DesktopEntries e = [] {
        DesktopEntries found;
        void* library = platform::loadLibrary(kDesktopLibrary);
        if (!library) {
            std::fprintf(stderr, "quillet: the desktop window cannot be loaded (%s)\n", kDesktopLibrary);
            return found;
        }
        found.available = reinterpret_cast<decltype(found.available)>(
            platform::librarySymbol(library, "quillet_desktop_available"));
        found.run = reinterpret_cast<decltype(found.run)>(platform::librarySymbol(library, "quillet_desktop_run"));
        return found;
    }();
    return e;
}

bool named(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

}  // namespace

bool desktopAvailable() {
    // Without a display the library is not even loaded.
    if (!named("DISPLAY") && !named("WAYLAND_DISPLAY")) return false;
    const DesktopEntries& e = entries();
    return e.available && e.run && e.available() != 0;
}

int runDesktopWindow(int& argc, char** argv, AppState& app, const std::string& configPath) {
    return entries().run(&argc, argv, &app, configPath.c_str());
}

}  // namespace quillet
