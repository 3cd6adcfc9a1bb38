// Any bytes as a configuration file: the reader never crashes, a file it
// refuses leaves the settings untouched, and whatever it accepts is written
// back as a file that reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "app/automation/config_file.h"
#include "app/automation/config_record.h"
#include "app/commands/window_startup.h"
#include "app/model/app_state.h"
#include "app/model/symbology.h"
#include "platform/clipboard.h"
#include "platform/user_interface.h"

using namespace quillet;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const ConfigParse parse = parseConfiguration(bytes);
    if (parse.problem == ConfigProblem::None) {
        const std::string written = configurationText(parse.record);
        const ConfigParse again = parseConfiguration(written);
        if (again.problem != ConfigProblem::None || configurationText(again.record) != written) std::abort();
    }

    platform::HeadlessUserInterface ui;
    ui.echo = false;
    platform::InProcessClipboard clipboard;
    AppState app;
    app.ui = &ui;
    app.clipboard = &clipboard;
    app.scratchMetafilePath = "/tmp/quillet-fuzz-config-" + std::to_string(getpid()) + ".wmf";
    startMainWindow(app);
    const std::string before = configurationText(recordFromSettings(app));
    const bool read = readConfiguration(app, bytes, "fuzz.qcf");
    if (read != (parse.problem == ConfigProblem::None)) std::abort();
    if (!read && configurationText(recordFromSettings(app)) != before) std::abort();
    const SymbolSettings& s = app.settings;
    if (s.symbology < 1 || s.symbology > kSymbologyCount) std::abort();
    if (s.pdf.pdfMaxRows < 3 || s.pdf.pdfMaxRows > 90) std::abort();
    if (s.dm.dmShapeSize < 0 || s.dm.dmShapeSize > 30) std::abort();
    return 0;
}
