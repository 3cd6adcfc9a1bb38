#pragma once
// The desktop window as a library the program loads only when it opens the
// window: a headless run never maps Qt. The entry points are plain C names,
// looked up by the program.
namespace quillet {
struct AppState;
}

extern "C" {
// desktopAvailable(): 1 when a window can open on the display, else 0.
int quillet_desktop_available();
// runDesktopWindow(): the window's exit status.
int quillet_desktop_run(int* argc, char** argv, quillet::AppState* app, const char* configPath);
}

// The library's file name, beside the program.
inline constexpr const char* kDesktopLibrary = "libquillet_desktop.so";
