#pragma once
// The desktop window, loaded from its library beside the program the first
// time it is asked about.
#include <string>

namespace quillet {

struct AppState;

// True when the window library loads and a display can take a window.
bool desktopAvailable();

// Runs the window (desktopAvailable() was true); its exit status.
int runDesktopWindow(int& argc, char** argv, AppState& app, const std::string& configPath);

}  // namespace quillet
