// Any execute string through the command language, with builds: no crash,
// and the settings stay within the ranges the commands guard.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "app/automation/dde_link.h"
#include "app/automation/execute_string.h"
#include "app/commands/window_startup.h"
#include "app/model/app_state.h"
#include "app/model/symbology.h"
#include "platform/clipboard.h"
#include "platform/user_interface.h"

using namespace quillet;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string execute(reinterpret_cast<const char*>(data), size);
    // Commands that write files or reach a printer stay out of the fuzzer.
    const std::string upper = upperAscii(execute);
    for (const char* word : {"SAVE", "PRINT", "EJECT"})
        if (upper.find(word) != std::string::npos) return 0;

    platform::HeadlessUserInterface ui;
    ui.echo = false;
    platform::InProcessClipboard clipboard;
    AppState app;
    app.ui = &ui;
    app.clipboard = &clipboard;
    app.scratchMetafilePath = "/tmp/quillet-fuzz-" + std::to_string(getpid()) + ".wmf";
    startMainWindow(app);
    LinkExecute(app, execute);
    LinkClose(app);

    const SymbolSettings& s = app.settings;
    if (s.symbology < 1 || s.symbology > kSymbologyCount) std::abort();
    if (s.ratio < 2.0f || s.ratio > 3.0f) std::abort();
    if (s.pdf.pdfMaxRows < 3 || s.pdf.pdfMaxRows > 90) std::abort();
    if (s.pdf.pdfMaxColumns < 1 || s.pdf.pdfMaxColumns > 30) std::abort();
    if (s.printerDpiX < 1 || s.printerDpiY < 1) std::abort();
    if (s.raster.rasterResolution < 20 || s.raster.rasterResolution > 1440) std::abort();
    return 0;
}
