// Splitting and running long execute strings: the time must grow with the
// length of the string (800,000 commands at most ten times 100,000).
#include <benchmark/benchmark.h>

#include <string>

#include "app/automation/dde_link.h"
#include "app/automation/execute_string.h"
#include "app/commands/window_startup.h"
#include "app/model/app_state.h"
#include "platform/clipboard.h"
#include "platform/user_interface.h"

namespace {

// Option commands that change settings without building: about 3 MB for
// 150,000 repeats.
std::string optionCommands(long repeats) {
    std::string s;
    for (long i = 0; i < repeats; ++i) s += "[CODE39][MESSAGE='ABC-" + std::to_string(i % 1000) + "'][TEXT=ON] ";
    return s;
}

void BM_SplitClosingBrackets(benchmark::State& state) {
    const std::string execute(size_t(state.range(0)), ']');
    for (auto _ : state) benchmark::DoNotOptimize(quillet::splitExecuteString(execute));
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(execute.size()));
}
BENCHMARK(BM_SplitClosingBrackets)->Arg(100000)->Arg(800000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_SplitOptionCommands(benchmark::State& state) {
    const std::string execute = optionCommands(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(quillet::splitExecuteString(execute));
    state.SetComplexityN(int64_t(execute.size()));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(execute.size()));
}
BENCHMARK(BM_SplitOptionCommands)->Arg(18750)->Arg(150000)->Unit(benchmark::kMillisecond)->Complexity();

// The whole execute, as a client's line runs it: split, then every command.
void runExecute(benchmark::State& state, const std::string& execute) {
    platform::HeadlessUserInterface ui;
    ui.echo = false;
    platform::InProcessClipboard clipboard;
    quillet::AppState app;
    app.ui = &ui;
    app.clipboard = &clipboard;
    quillet::startMainWindow(app);
    for (auto _ : state) benchmark::DoNotOptimize(quillet::LinkExecute(app, execute));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(execute.size()));
}

void BM_ExecuteClosingBrackets(benchmark::State& state) {
    runExecute(state, std::string(size_t(state.range(0)), ']'));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ExecuteClosingBrackets)->Arg(100000)->Arg(800000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_ExecuteOptionCommands(benchmark::State& state) {
    runExecute(state, optionCommands(state.range(0)));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ExecuteOptionCommands)->Arg(18750)->Arg(150000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
