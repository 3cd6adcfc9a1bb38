#include "tests/support/app_harness.h"

#include <atomic>
#include <filesystem>
#include <unistd.h>

#include "app/render/build_copy.h"

namespace quillet::test {

std::string tempPath(const std::string& stem, const std::string& extension) {
    static std::atomic<int> counter{0};
    return (std::filesystem::temp_directory_path() /
            (stem + std::to_string(getpid()) + "_" + std::to_string(counter++) + extension))
        .string();
}

AppHarness::AppHarness() {
    ui.echo = false;
    app.ui = &ui;
    app.clipboard = &clipboard;
    app.scratchMetafilePath = tempPath("qlt_scratch", ".wmf");
    app.settings.printerWarnings = false;
    app.pasteHintShown = true;  // tests drive the program as automation does
}

AppHarness::~AppHarness() {
    std::error_code ec;
    std::filesystem::remove(app.scratchMetafilePath, ec);
}

bool AppHarness::build(int symbology, const std::string& message) {
    app.settings.symbology = symbology;
    app.settings.message = message;
    app.settings.symbolBuilt = false;
    BuildCopy(app);
    return app.settings.symbolBuilt;
}

}  // namespace quillet::test
