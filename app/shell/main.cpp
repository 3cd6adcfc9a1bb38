// Quillet's command line. With no execute strings, server or batch run, and
// a desktop display to open it on, the program is the desktop window;
// otherwise it runs headless, driven by execute strings of the command
// language.
//
//   quillet [--execute STRING]... [CONFIGURATION-FILE]
//           [--serve [SOCKET] | --batch FILE --output PATTERN | --count N --output PATTERN] [--jobs N]
//
// The configuration file (the remaining arguments joined by spaces, as the
// whole command line names one file) is opened first, in the window when
// there is one; then every execute string runs in order, as one
// conversation. "--execute -" reads one execute string per line from
// standard input. Message boxes are written to standard error. The exit
// status is 0 when no command was refused, 1 when one was (or the
// configuration file could not be opened), and 2 for a malformed command
// line.
//
// After the execute strings, --serve runs the automation server until a
// client closes its conversation after [APPEXIT]; --batch builds one symbol
// per line of FILE (per row of FILE.csv, whose header names its columns) and --count N builds N numbers of the numbering series,
// each saved under PATTERN with the label number in place of its '#'s.
// --jobs N splits a batch over N processes (default: one per processor);
// the files and the report are those of a sequential run.
// A batch exits with 1 when any label failed. --has-display tells a script
// whether the window would open.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/automation/automation_server.h"
#include "app/automation/batch_csv.h"
#include "app/automation/batch_jobs.h"
#include "app/automation/batch_run.h"
#include "app/automation/config_file.h"
#include "app/automation/dde_link.h"
#include "app/automation/file_bytes.h"
#include "app/commands/window_startup.h"
#include "app/model/app_state.h"
#include "app/render/build_report.h"
#include "app/shell/desktop_loader.h"
#include "platform/clipboard.h"
#include "platform/paths.h"
#include "platform/settings_store.h"
#include "platform/user_interface.h"

namespace {

const char kUsage[] =
    "usage: quillet [--execute STRING]... [CONFIGURATION-FILE]\n"
    "  --execute STRING  run an execute string, e.g. \"[CODE39][MESSAGE='12345'][BUILD/COPY]\";\n"
    "                    repeatable; \"-\" reads one execute string per line from standard input\n"
    "  --serve [SOCKET]  serve execute strings on a Unix-domain socket, one per line, each\n"
    "                    answered ACK or NAK (default $XDG_RUNTIME_DIR/quillet.sock)\n"
    "  --idle-timeout SECONDS  with --serve: drop a connection idle this long (default 60, 0 never)\n"
    "  --max-connections N     with --serve: at most N connections; a new one replaces the one\n"
    "                    idle longest (default 256)\n"
    "  --batch FILE      build one symbol per line of FILE and save it (needs --output);\n"
    "                    FILE.csv: a header row names the columns message, comment,\n"
    "                    supplement and file (the output name, else --output)\n"
    "  --count N         build N numbers of the incremental numbering series (needs --output)\n"
    "  --output PATTERN  file name of each label; a run of '#' becomes the label number\n"
    "  --verify          with --batch or --count: check every label before saving it and\n"
    "                    fail those below the least acceptable simulated grade\n"
    "  --report[=json]   after each build, print the size the symbol prints at on the target\n"
    "                    printer as one line (or one JSON object) on standard output\n"
    "  --jobs N          with --batch or --count: build the labels in N processes\n"
    "                    (default: one per processor)\n"
    "  --has-display     exit with 0 when the window can open here, 1 when not\n"
    "  --help            show this text\n";

struct CommandLine {
    std::vector<std::string> executes;
    std::string configPath;
    bool help = false;
    bool hasDisplay = false;
    std::string error;
    bool serve = false;
    std::string socketPath;
    double idleSeconds = 60;
    long maxConnections = 256;
    bool serverTuned = false;  // --idle-timeout or --max-connections given
    std::string batchFile;
    std::string outputPattern;
    long count = 0;
    std::optional<quillet::ReportFormat> report;
    bool verify = false;
    long jobs = 0;  // 0: one per processor
};

// The value of an option: "--name=VALUE" or the next argument.
bool optionValue(int argc, char** argv, int& i, const std::string& name, std::string& value, std::string& error) {
    const std::string arg = argv[i];
    if (arg.rfind(name + "=", 0) == 0) {
        value = arg.substr(name.size() + 1);
        return true;
    }
    if (arg != name) return false;
    if (i + 1 >= argc) {
        error = name + " needs a value";
        return true;
    }
    value = argv[++i];
    return true;
}

void checkLabelOptions(CommandLine& cl) {
    const bool batch = !cl.batchFile.empty() || cl.count != 0;
    if (!cl.error.empty()) return;
    if (!cl.batchFile.empty() && cl.count != 0) cl.error = "--batch and --count cannot be combined";
    else if (batch && cl.serve) cl.error = "--serve cannot be combined with --batch or --count";
    // CSV label data may name every output in its file column.
    else if (batch && cl.outputPattern.empty() && !quillet::isCsvBatchFile(cl.batchFile))
        cl.error = "--batch and --count need --output PATTERN";
    else if (!batch && !cl.outputPattern.empty()) cl.error = "--output needs --batch FILE or --count N";
    else if (!batch && cl.verify) cl.error = "--verify needs --batch FILE or --count N";
    else if (batch && !cl.outputPattern.empty() && cl.outputPattern.find('#') == std::string::npos)
        cl.error = "--output PATTERN needs a run of '#' for the label number";
    else if (!batch && cl.jobs != 0) cl.error = "--jobs needs --batch FILE or --count N";
    else if (cl.serverTuned && !cl.serve) cl.error = "--idle-timeout and --max-connections need --serve";
}

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
        } else if (arg == "--verify") {
            cl.verify = true;
        } else if (arg == "--report" || arg == "--report=text") {
            cl.report = quillet::ReportFormat::Text;
        } else if (arg == "--report=json") {
            cl.report = quillet::ReportFormat::Json;
        } else if (arg == "--has-display") {
            cl.hasDisplay = true;
        } else if (arg == "--execute") {
            if (i + 1 >= argc) {
                cl.error = "--execute needs an execute string";
                return cl;
            }
            cl.executes.push_back(argv[++i]);
        } else if (arg.rfind("--execute=", 0) == 0) {
            cl.executes.push_back(arg.substr(10));
        } else if (arg == "--serve") {
            cl.serve = true;
            if (i + 1 < argc && argv[i + 1][0] != '-' && argv[i + 1][0] != '\0') cl.socketPath = argv[++i];
        } else if (arg.rfind("--serve=", 0) == 0) {
            cl.serve = true;
            cl.socketPath = arg.substr(8);
        } else if (std::string value; optionValue(argc, argv, i, "--batch", value, cl.error)) {
            cl.batchFile = value;
            if (value.empty() && cl.error.empty()) cl.error = "--batch needs a file";
        } else if (optionValue(argc, argv, i, "--output", value, cl.error)) {
            cl.outputPattern = value;
        } else if (optionValue(argc, argv, i, "--idle-timeout", value, cl.error)) {
            char* end = nullptr;
            cl.idleSeconds = std::strtod(value.c_str(), &end);
            cl.serverTuned = true;
            if (cl.error.empty() && (value.empty() || *end != '\0' || !(cl.idleSeconds >= 0 && cl.idleSeconds <= 86400)))
                cl.error = "--idle-timeout needs a number of seconds from 0 to 86400";
        } else if (optionValue(argc, argv, i, "--max-connections", value, cl.error)) {
            char* end = nullptr;
            cl.maxConnections = std::strtol(value.c_str(), &end, 10);
            cl.serverTuned = true;
            if (cl.error.empty() && (value.empty() || *end != '\0' || cl.maxConnections < 1 || cl.maxConnections > 65536))
                cl.error = "--max-connections needs a number from 1 to 65536";
        } else if (optionValue(argc, argv, i, "--jobs", value, cl.error)) {
            char* end = nullptr;
            cl.jobs = std::strtol(value.c_str(), &end, 10);
            if (cl.error.empty() && (value.empty() || *end != '\0' || cl.jobs < 1 || cl.jobs > 256))
                cl.error = "--jobs needs a number of processes from 1 to 256";
        } else if (optionValue(argc, argv, i, "--count", value, cl.error)) {
            char* end = nullptr;
            cl.count = std::strtol(value.c_str(), &end, 10);
            if (cl.error.empty() && (value.empty() || *end != '\0' || cl.count < 1 || cl.count > 100000000))
                cl.error = "--count needs a number of labels from 1 to 100000000";
        } else {
            cl.error = "unknown option " + arg;
            return cl;
        }
    }
    for (size_t i = 0; i < positional.size(); ++i) cl.configPath += (i ? " " : "") + positional[i];
    checkLabelOptions(cl);
    return cl;
}

// The per-user paste hint preference; flags are stored as -1 and 0.
constexpr const char* kSection = "Settings";
constexpr const char* kPasteHintKey = "ShowWordWarning";

bool storedFlag(const std::string& value) {
    return !(value == "0" || value == "False" || value == "false" || value == "FALSE");
}

void reportBatch(const quillet::BatchResult& result, const std::string& what) {
    for (const auto& f : result.failures)
        std::fprintf(stderr, "quillet: %s %ld: %s\n", what.c_str(), f.line, f.reason.c_str());
}

// Batch files are held in memory whole; this is far beyond any label run.
constexpr size_t kBatchFileLimit = size_t(256) << 20;

int jobsOf(const CommandLine& cl) {
    // Reports go to standard output as each label is built: one process
    // keeps them in label order.
    if (cl.report) return 1;
    if (cl.jobs > 0) return int(cl.jobs);
    const long cores = sysconf(_SC_NPROCESSORS_ONLN);
    return cores > 0 ? int(std::min(cores, 256L)) : 1;
}

// --batch or --count; true when every label was built and saved.
bool runLabels(quillet::AppState& app, const CommandLine& cl) {
    const int jobs = jobsOf(cl);
    if (cl.count > 0) {
        const auto& n = app.settings.numbering;
        if (!n.incEnabled && !n.messageFileOpen) {
            std::fprintf(stderr, "quillet: --count needs incremental numbering or an open message file\n");
            return false;
        }
        const quillet::BatchResult result = quillet::runBatchJobs(app, cl.count, jobs, [&](const quillet::LabelRange& r) {
            return quillet::runBatchCount(app, cl.count, cl.outputPattern, r);
        });
        reportBatch(result, "label");
        return result.failures.empty();
    }
    std::string bytes, reason;
    switch (quillet::readFileBytes(cl.batchFile, kBatchFileLimit, bytes, reason)) {
    case quillet::FileRead::Ok: break;
    case quillet::FileRead::TooLarge:
        std::fprintf(stderr, "quillet: %s is too large for a batch run\n", cl.batchFile.c_str());
        return false;
    case quillet::FileRead::Unreadable:
        std::fprintf(stderr, "quillet: %s: %s\n", cl.batchFile.c_str(), reason.c_str());
        return false;
    }
    quillet::BatchResult result;
    if (quillet::isCsvBatchFile(cl.batchFile)) {
        result = quillet::runBatchJobs(app, quillet::csvBatchLabels(bytes, cl.outputPattern), jobs,
                                       [&](const quillet::LabelRange& r) {
                                           return quillet::runBatchCsv(app, bytes, cl.outputPattern, r);
                                       });
    } else {
        const quillet::TextLines lines = quillet::indexTextLines(std::move(bytes));
        result = quillet::runBatchJobs(app, long(lines.count), jobs, [&](const quillet::LabelRange& r) {
            return quillet::runBatchLines(app, lines, cl.outputPattern, r);
        });
    }
    reportBatch(result, cl.batchFile + " line");
    return result.failures.empty();
}

// Execute strings arrive as UTF-8. True when the execute was refused.
bool executeRefused(quillet::AppState& app, const std::string& utf8) {
    return quillet::LinkExecuteUtf8(app, utf8) == quillet::ExecuteResult::Refused;
}

// Only the headless program takes execute strings, serves or runs batches.
bool headlessJob(const CommandLine& cl) {
    return !cl.executes.empty() || cl.serve || !cl.batchFile.empty() || cl.count > 0;
}

// The headless run: configuration, execute strings, then the server or the
// labels. True when anything was refused or failed.
bool runHeadless(quillet::AppState& app, const CommandLine& cl) {
    bool failed = false;
    if (!cl.configPath.empty() && !quillet::OpenConfiguration(app, cl.configPath)) failed = true;

    for (const std::string& execute : cl.executes) {
        if (execute == "-") {
            // getline(3), not std::cin: the standard streams would set up
            // every locale of the library for this one loop.
            char* buffer = nullptr;
            size_t capacity = 0;
            ssize_t n;
            while ((n = ::getline(&buffer, &capacity, stdin)) >= 0) {
                std::string line(buffer, size_t(n));
                if (!line.empty() && line.back() == '\n') line.pop_back();
                if (!line.empty() && line.back() == '\r') line.pop_back();
                if (executeRefused(app, line)) failed = true;
            }
            std::free(buffer);
        } else if (executeRefused(app, execute)) {
            failed = true;
        }
    }
    if (!cl.batchFile.empty() || cl.count > 0) {
        if (!runLabels(app, cl)) failed = true;
    } else if (cl.serve) {
        quillet::ServerOptions options;
        std::string error;
        options.socketPath = cl.socketPath.empty() ? quillet::defaultSocketPath(error) : cl.socketPath;
        options.stopFd = quillet::stopOnSignals();
        options.idleTimeout = std::chrono::milliseconds(std::llround(cl.idleSeconds * 1000));
        options.maxClients = size_t(cl.maxConnections);
        if (options.socketPath.empty() || !quillet::runAutomationServer(app, options, error)) {
            std::fprintf(stderr, "quillet: cannot serve: %s\n", error.c_str());
            failed = true;
        }
    }
    // The conversation ends with the command line; nobody is there to be
    // asked about saving the configuration.
    quillet::LinkClose(app);
    return failed;
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
    // Asked before anything else starts, as the question is put to a child process.
    const bool window = (cl.hasDisplay || !headlessJob(cl)) && quillet::desktopAvailable();
    if (cl.hasDisplay) return window ? 0 : 1;

    platform::HeadlessUserInterface ui;
    quillet::AppState app;
    app.ui = &ui;
    app.clipboard = &platform::clipboard();
    app.scratchMetafilePath = platform::scratchMetafilePath();
    quillet::startMainWindow(app);
    const bool storedHint = storedFlag(platform::getSetting(kSection, kPasteHintKey, "-1"));
    app.showPasteHint = storedHint;
    if (cl.report) {
        app.onBuilt = [format = *cl.report](const quillet::AppState& a) {
            std::fputs((quillet::buildReport(a, format) + "\n").c_str(), stdout);
            std::fflush(stdout);
        };
        app.onVerified = [format = *cl.report](const std::string& text, const std::string& json) {
            std::fputs(((format == quillet::ReportFormat::Json ? json : text) + "\n").c_str(), stdout);
            std::fflush(stdout);
        };
    }
    app.verify.everyLabel = cl.verify;

    int status = 0;
    if (window) {
        // Qt sees no arguments of ours: they name the configuration file.
        int qtArgc = 1;
        char* qtArgv[] = {argv[0], nullptr};
        status = quillet::runDesktopWindow(qtArgc, qtArgv, app, cl.configPath);
    } else {
        // The paste hint belongs to the desktop window; a headless run never shows it.
        app.pasteHintShown = true;
        status = runHeadless(app, cl) ? 1 : 0;
    }

    if (app.showPasteHint != storedHint) platform::putSetting(kSection, kPasteHintKey, app.showPasteHint ? "-1" : "0");
    std::remove(app.scratchMetafilePath.c_str());
    return status;
}
