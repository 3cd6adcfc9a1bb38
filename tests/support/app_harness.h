#pragma once
// An application state for tests: headless user interface that keeps every
// message, an in-process clipboard, and a scratch metafile of its own.
#include <string>

#include "app/model/app_state.h"

namespace quillet::test {

struct AppHarness {
    AppState app;
    platform::HeadlessUserInterface ui;
    platform::InProcessClipboard clipboard;

    AppHarness();
    ~AppHarness();
    AppHarness(const AppHarness&) = delete;
    AppHarness& operator=(const AppHarness&) = delete;

    // Sets the symbology and message and runs Build/Copy; true when built.
    bool build(int symbology, const std::string& message);
    const std::string& scratch() const { return app.scratchMetafilePath; }
    std::string lastMessage() const { return ui.messages.empty() ? std::string() : ui.messages.back().text; }
};

// A fresh file name in the temporary folder, unique to this process.
std::string tempPath(const std::string& stem, const std::string& extension);

}  // namespace quillet::test
