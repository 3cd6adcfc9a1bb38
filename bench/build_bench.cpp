// Build/Copy of one symbol per iteration, per symbology: what a batch run
// of labels pays for each one (encode, draw, scratch file, clipboard).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "app/model/app_state.h"
#include "app/render/build_copy.h"

namespace {

struct BenchApp {
    quillet::AppState app;
    platform::HeadlessUserInterface ui;
    platform::InProcessClipboard clipboard;
    BenchApp(int symbology, const std::string& message) {
        ui.echo = false;
        app.ui = &ui;
        app.clipboard = &clipboard;
        app.scratchMetafilePath =
            (std::filesystem::temp_directory_path() / ("qlt_bench" + std::to_string(getpid()) + ".wmf")).string();
        app.settings.symbology = symbology;
        app.settings.message = message;
        app.settings.printerWarnings = false;
    }
    ~BenchApp() { std::filesystem::remove(app.scratchMetafilePath); }
};

void BuildSymbol(benchmark::State& state, int symbology, const std::string& message) {
    BenchApp b(symbology, message);
    for (auto _ : state) {
        b.app.settings.symbolBuilt = false;
        quillet::BuildCopy(b.app);
        if (!b.app.settings.symbolBuilt) state.SkipWithError("build failed");
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK_CAPTURE(BuildSymbol, Code39, 1, std::string("QUILLET-123456"));
BENCHMARK_CAPTURE(BuildSymbol, Ean13, 7, std::string("590123412345"));
BENCHMARK_CAPTURE(BuildSymbol, Code128, 13, std::string("Label 000123 lot 42"));
BENCHMARK_CAPTURE(BuildSymbol, Pdf417, 15, std::string(200, 'P'));
// The longest digit run the default automatic security level still fits.
BENCHMARK_CAPTURE(BuildSymbol, Pdf417Largest, 15, std::string(2200, '9'));
BENCHMARK_CAPTURE(BuildSymbol, Aztec, 16, std::string(200, 'A'));
BENCHMARK_CAPTURE(BuildSymbol, DataMatrix, 17, std::string(100, 'D'));
// 1,000 characters of mixed text: a 104 x 104 symbol.
std::string dataMatrixText() {
    std::string s;
    while (s.size() < 1000) s += "Data Matrix bench 0123456789 ABC xyz. ";
    s.resize(1000);
    return s;
}
BENCHMARK_CAPTURE(BuildSymbol, DataMatrix1000, 17, dataMatrixText());
BENCHMARK_CAPTURE(BuildSymbol, QrCode, 18, std::string(100, 'Q'));
BENCHMARK_CAPTURE(BuildSymbol, DataBar, 20, std::string("2001234567890"));

}  // namespace
