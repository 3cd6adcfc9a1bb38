// The largest Aztec message through planning, error correction, layout and
// drawing, as the library is called by the program.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "platform/gdi.h"
#include "zorvex32/zorvex32.h"

namespace {

void AztecLargest(benchmark::State& state) {
    static AztecRequest r;
    std::memset(&r, 0, sizeof r);
    const std::string digits(3832, '7');
    std::memcpy(r.Message, digits.data(), digits.size());
    r.MessageLength = int32_t(digits.size());
    r.ModuleSize = 8;
    r.ForeColor = 0;
    r.BackColor = 0xFFFFFF;
    r.OutputMode = AZTEC_RETURN_HANDLE;
    for (auto _ : state) {
        gdi::MetafilePict pict{};
        int32_t rc = ZORVEXEC(&r, &pict);
        if (rc != 0) state.SkipWithError("ZORVEXEC failed");
        gdi::DeleteMetaFile(pict.hMF);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(AztecLargest)->Unit(benchmark::kMillisecond);

}  // namespace
