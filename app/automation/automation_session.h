#pragma once
// A headless program state for the command-language tests: a quiet user
// interface, its own clipboard and scratch metafile, started as the window
// starts.
#include <atomic>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "app/automation/dde_link.h"
#include "app/commands/window_startup.h"
#include "app/model/app_state.h"
#include "platform/clipboard.h"
#include "platform/user_interface.h"

namespace quillet::test {

struct Session {
    platform::HeadlessUserInterface ui;
    platform::InProcessClipboard clipboard;
    AppState app;

    Session() {
        static std::atomic<int> counter{0};
        ui.echo = false;
        app.ui = &ui;
        app.clipboard = &clipboard;
        app.scratchMetafilePath = (std::filesystem::temp_directory_path() /
                                   ("quillet-cmd-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".wmf"))
                                      .string();
        startMainWindow(app);
    }
    ~Session() { std::filesystem::remove(app.scratchMetafilePath); }

    // True when the whole execute string was accepted.
    bool run(const std::string& execute) { return LinkExecute(app, execute) == ExecuteResult::Accepted; }
    SymbolSettings& s() { return app.settings; }
};

}  // namespace quillet::test
