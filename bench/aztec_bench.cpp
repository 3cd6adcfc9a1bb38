// Aztec Code through the library as the program calls it (planning, error
// correction, layout and drawing), and the encoding alone, for the largest
// message and for a 1,500-character text of mixed modes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "platform/gdi.h"
#include "zorvex32/aztec_symbol.h"
#include "zorvex32/zorvex32.h"

namespace {

std::string largestMessage() { return std::string(3832, '7'); }

std::string mixedText() {
    const std::string piece = "Aztec Code bench 0123456789 ABC xyz. ";
    std::string text;
    while (text.size() < 1500) text += piece;
    text.resize(1500);
    return text;
}

void AztecPicture(benchmark::State& state, const std::string& message) {
    static AztecRequest r;
    std::memset(&r, 0, sizeof r);
    std::memcpy(r.Message, message.data(), message.size());
    r.MessageLength = int32_t(message.size());
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

void AztecEncode(benchmark::State& state, const std::string& message) {
    for (auto _ : state) {
        auto symbol = zorvex::encodeAztec(message, 0, false);
        if (!symbol) state.SkipWithError("encodeAztec failed");
        benchmark::DoNotOptimize(symbol);
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK_CAPTURE(AztecPicture, Largest, largestMessage())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AztecPicture, Text1500, mixedText())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AztecEncode, Largest, largestMessage())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AztecEncode, Text1500, mixedText())->Unit(benchmark::kMillisecond);

}  // namespace
