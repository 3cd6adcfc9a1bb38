// Recording, reading and rendering a metafile of a typical linear symbol.
#include <benchmark/benchmark.h>

#include <cstring>

#include "platform/gdi.h"
#include "platform/renderer.h"
#include "platform/wmf_reader.h"

namespace {

// 60 bars of 33-unit modules with a text line, as a linear build draws it.
std::vector<uint8_t> symbolBytes() {
    using namespace gdi;
    const int X = 33, W = 250 * X, H = 1500;
    Handle dc = CreateMetaFile(nullptr);
    SetWindowOrgEx(dc, 0, 0);
    SetWindowExtEx(dc, W, -(H + 300));
    TextOut(dc, 0, 0, " ");
    Handle pen = CreatePen(PS_INSIDEFRAME, 1, 0);
    Handle brush = CreateSolidBrush(0);
    SelectObject(dc, pen);
    SelectObject(dc, brush);
    for (int i = 0; i < 60; ++i) Rectangle(dc, (10 + 4 * i) * X, 0, (10 + 4 * i + 1 + i % 3) * X, -H);
    LogFont f;
    GetObject(GetStockObject(SYSTEM_FONT), f);
    f.height = 300;
    f.width = 0;
    std::strcpy(f.faceName, "Arial");
    Handle font = CreateFontIndirect(f);
    SelectObject(dc, font);
    SetTextAlign(dc, TA_CENTER);
    TextOut(dc, W / 2, -H, "0123456789012");
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    for (Handle h : {pen, brush, font}) DeleteObject(h);
    Handle hmf = CloseMetaFile(dc);
    std::vector<uint8_t> bytes = GetMetaFileBits(hmf);
    DeleteMetaFile(hmf);
    return bytes;
}

void BM_RecordSymbol(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(symbolBytes());
}
BENCHMARK(BM_RecordSymbol);

void BM_ParseSymbol(benchmark::State& state) {
    const std::vector<uint8_t> bytes = symbolBytes();
    for (auto _ : state) benchmark::DoNotOptimize(wmf::parse(bytes));
}
BENCHMARK(BM_ParseSymbol);

void BM_RenderSymbol(benchmark::State& state) {
    const std::vector<uint8_t> bytes = symbolBytes();
    for (auto _ : state) benchmark::DoNotOptimize(platform::renderToImage(bytes, double(state.range(0)), double(state.range(0))));
}
BENCHMARK(BM_RenderSymbol)->Arg(96)->Arg(300)->Arg(600);

}  // namespace
