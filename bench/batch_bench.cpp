// Batch runs for label production: labels per second for a batch of Code
// 128 labels, each built and saved as a metafile.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/automation/batch_run.h"
#include "app/automation/dde_link.h"
#include "app/commands/window_startup.h"
#include "app/model/app_state.h"
#include "platform/clipboard.h"
#include "platform/user_interface.h"

namespace {

namespace fs = std::filesystem;

void BM_BatchCode128Metafiles(benchmark::State& state) {
    const long labels = long(state.range(0));
    const fs::path dir = fs::temp_directory_path() / ("quillet-batch-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);

    platform::HeadlessUserInterface ui;
    ui.echo = false;
    platform::InProcessClipboard clipboard;
    quillet::AppState app;
    app.ui = &ui;
    app.clipboard = &clipboard;
    app.scratchMetafilePath = (dir / "scratch.wmf").string();
    quillet::startMainWindow(app);
    quillet::LinkExecute(app, "[CODE128][QUIETZONES=ON][COMMENT=Batch]");

    std::string file;
    for (long i = 0; i < labels; ++i) file += "PART-" + std::to_string(100000 + i) + "-LOT7\n";
    const quillet::TextLines lines = quillet::indexTextLines(std::move(file));
    const std::string pattern = (dir / "label-#####.wmf").string();

    long failures = 0;
    for (auto _ : state) {
        const quillet::BatchResult r = quillet::runBatchLines(app, lines, pattern);
        failures += long(r.failures.size());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * labels);
    state.counters["labels_per_second"] =
        benchmark::Counter(double(state.iterations()) * double(labels), benchmark::Counter::kIsRate);
    if (failures) state.SkipWithError("some labels failed");
    fs::remove_all(dir);
}
BENCHMARK(BM_BatchCode128Metafiles)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
