#include "app/desktop/desktop_module.h"

#include "app/window/desktop_start.h"

extern "C" {

int quillet_desktop_available() { return quillet::desktopAvailable() ? 1 : 0; }

int quillet_desktop_run(int* argc, char** argv, quillet::AppState* app, const char* configPath) {
    return quillet::runDesktopWindow(*argc, argv, *app, configPath ? configPath : "");
}
}
