// Quillet's command line: runs the program headless, driven by execute
// strings of the command language.
//
//   quillet [--execute STRING]... [CONFIGURATION-FILE]
//
// The configuration file (the remaining arguments joined by spaces, as the
// whole command line names one file) is opened first; then every execute
// string runs in order, as one conversation. "--execute -" reads one
// execute string per line from standard input. Message boxes are written
// to standard error. The exit status is 0 when no command was refused, 1
// when one was (or the configuration file could not be opened), and 2 for
// a malformed command line.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "app/automation/config_file.h"
#include "app/automation/dde_link.h"
#include "app/automation/window_startup.h"
#include "app/model/app_state.h"
#include "platform/clipboard.h"
#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/settings_store.h"
#include "platform/user_interface.h"

namespace {

const char kUsage[] =
    "usage: quillet [--execute STRING]... [CONFIGURATION-FILE]\n"
    "  --execute STRING  run an execute string, e.g. \"[CODE39][MESSAGE='12345'][BUILD/COPY]\";\n"
    "                    repeatable; \"-\" reads one execute string per line from standard input\n"
    "  --help            show this text\n";

struct CommandLine {
    std::vector<std::string> executes;
    std::string configPath;
    bool help = false;
    std::string error;
};

CommandLine parseCommandLine(int argc, char** argv) {
    CommandLine cl;
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            positional.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            cl.help = true;
        } else if (arg == "--execute") {
            if (i + 1 >= argc) {
                cl.error = "--execute needs an execute string";
                return cl;
            }
            cl.executes.push_back(argv[++i]);
        } else if (arg.rfind("--execute=", 0) == 0) {
            cl.executes.push_back(arg.substr(10));
        } else {
            cl.error = "unknown option " + arg;
            return cl;
        }
    }
    for (size_t i = 0; i < positional.size(); ++i) cl.configPath += (i ? " " : "") + positional[i];
    return cl;
}

// The per-user paste hint preference; flags are stored as -1 and 0.
constexpr const char* kSection = "Settings";
constexpr const char* kPasteHintKey = "ShowWordWarning";

bool storedFlag(const std::string& value) {
    return !(value == "0" || value == "False" || value == "false" || value == "FALSE");
}

// Execute strings arrive as UTF-8 and are run in the ANSI code page.
bool runExecute(quillet::AppState& app, const std::string& utf8) {
    return quillet::LinkExecute(app, platform::utf8ToAnsi(utf8));
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine cl = parseCommandLine(argc, argv);
    if (!cl.error.empty()) {
        std::fprintf(stderr, "quillet: %s\n%s", cl.error.c_str(), kUsage);
        return 2;
    }
    if (cl.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }

    platform::HeadlessUserInterface ui;
    quillet::AppState app;
    app.ui = &ui;
    app.clipboard = &platform::clipboard();
    app.scratchMetafilePath = platform::scratchMetafilePath();
    quillet::startMainWindow(app);
    const bool storedHint = storedFlag(platform::getSetting(kSection, kPasteHintKey, "-1"));
    app.showPasteHint = storedHint;

    bool failed = false;
    if (!cl.configPath.empty() && !quillet::OpenConfiguration(app, cl.configPath)) failed = true;

    for (const std::string& execute : cl.executes) {
        if (execute == "-") {
            std::string line;
            while (std::getline(std::cin, line)) {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                if (runExecute(app, line)) failed = true;
            }
        } else if (runExecute(app, execute)) {
            failed = true;
        }
    }
    // The conversation ends with the command line; nobody is there to be
    // asked about saving the configuration.
    quillet::LinkClose(app);

    if (app.showPasteHint != storedHint) platform::putSetting(kSection, kPasteHintKey, app.showPasteHint ? "-1" : "0");
    std::remove(app.scratchMetafilePath.c_str());
    return failed ? 1 : 0;
}
