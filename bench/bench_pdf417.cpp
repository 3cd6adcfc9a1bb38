// PDF417 compaction and planning of the longest messages.
#include <benchmark/benchmark.h>

#include <string>

#include "app/model/pdf417_options.h"
#include "app/pdf417/pdf417_compaction.h"
#include "app/pdf417/pdf417_matrix.h"

namespace {

// Text with scattered control characters and short digit groups: every
// position is a candidate for the byte and digit-run searches.
std::string scattered(size_t n) {
    std::string s;
    for (int i = 0; s.size() < n; ++i) {
        s += "item " + std::to_string(i % 1000) + ";";
        if (i % 7 == 0) s.push_back('\x01');
    }
    s.resize(n);
    return s;
}

void BM_CompactAutoScattered(benchmark::State& state) {
    const std::string m = scattered(size_t(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(quillet::CompactAuto(m, true));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(m.size()));
}
BENCHMARK(BM_CompactAutoScattered)->Arg(256)->Arg(3072);

void BM_CompactAutoBinary(benchmark::State& state) {
    std::string m;
    for (int i = 0; m.size() < 3072; ++i) m.push_back(char(i * 37));
    for (auto _ : state) benchmark::DoNotOptimize(quillet::CompactAuto(m, true));
}
BENCHMARK(BM_CompactAutoBinary);

void BM_PlanLargestSymbol(benchmark::State& state) {
    std::vector<int> data(size_t(925 - 512 + 2), 123);
    quillet::Pdf417Options o;
    o.pdfSecurityLevel = 8;
    for (auto _ : state) benchmark::DoNotOptimize(quillet::PlanPdf417Matrix(data, o, 26, 77));
}
BENCHMARK(BM_PlanLargestSymbol);

}  // namespace
