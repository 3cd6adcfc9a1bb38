#pragma once
// Starting the desktop window.
#include <string>

namespace quillet {

struct AppState;

// True when DISPLAY or WAYLAND_DISPLAY names a display that Qt can open
// windows on. Qt ends a process that cannot connect, so the attempt is
// made in a short-lived child process.
bool desktopAvailable();

// Opens the window on the application state as the automation server on
// the default socket, opens the configuration file (when one is named) in
// it and runs until the window is closed. Returns the exit status.
int runDesktopWindow(int& argc, char** argv, AppState& app, const std::string& configPath);

}  // namespace quillet
