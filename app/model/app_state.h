#pragma once
// The state the main window owns for the whole run: the settings record,
// the window model, the results of the last build and the platform
// services every command routine reaches through it. Plain data: the
// routines that act on it live in the layers above.
#include <functional>
#include <optional>
#include <string>

#include "app/model/built_symbol.h"
#include "app/model/main_window.h"
#include "app/model/settings.h"
#include "app/model/state_watch.h"
#include "app/model/verify_options.h"
#include "platform/clipboard.h"
#include "platform/user_interface.h"

namespace quillet {

struct BuildOutput {
    std::string barPattern;     // current bar pattern (for the .dbp file)
    std::string checkValue;     // the `CheckValue` display
    std::string totalLength;    // the `TotalLength` display
    int symbolWidth = 0;        // W in drawing units
    int symbolHeight = 0;       // total height in drawing units
    std::optional<BuiltSymbol> lastSymbol;  // what the preview shows and saving and printing use
    bool saveEnabled = false;   // "Save &Bar Code As..."
    bool dbpSaveEnabled = false;  // "Save .&dbp File As..."
};

struct AppState {
    SymbolSettings settings;
    platform::UserInterface* ui = nullptr;
    platform::Clipboard* clipboard = nullptr;

    BuildOutput output;
    std::string scratchMetafilePath;
    // While a batch runs, each label is saved from the built symbol and the
    // scratch file is left alone; the batch writes its last symbol there at
    // the end (finishDeferredScratch).
    bool scratchDeferred = false;

    bool resetting = false;         // File New restoring defaults
    bool showPasteHint = true;      // `ShowWordWarning`
    bool pasteHintShown = false;
    std::string appTitle = "Quillet";

    MainWindow window;
    StateWatch watch;  // see noteStateChanges
    std::string barCodeFilePath;       // remembered "Save Bar Code As" name
    std::string configPath;            // known configuration file path
    std::string windowCaption = "Quillet Professional";  // names the open configuration file
    int startupRatioPosition = 2;      // kept for configuration files, which carry it
    bool exitOnClose = false;          // `[APPEXIT]`: end when the client closes
    // Called after every symbol a build finishes (reports to scripts and clients).
    std::function<void(const AppState&)> onBuilt;
    VerifyOptions verify;  // the check before printing
    // Called with each check's report, as text and as JSON.
    std::function<void(const std::string& text, const std::string& json)> onVerified;

    AppState() = default;
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;
};

}  // namespace quillet
