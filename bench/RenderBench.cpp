#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

#include "render/RenderEngine.h"
#include "tests/render/RenderTestRecords.h"

// One 300 x 300 render: the row walk against the plain per-pixel loop.

namespace {

double Radians(double degrees)
{
    return degrees * std::numbers::pi / 180;
}

// Full type C, 73 planes every 5 degrees, 37 angles every 5 from 0 to 180.
tIES FullFile()
{
    tArrEx horizontal, vertical;
    tArrEx2 candela;
    for (int i = 0; i < 73; ++i)
        horizontal.push_back(5.0 * i);
    for (int j = 0; j < 37; ++j)
        vertical.push_back(5.0 * j);
    for (const double h : horizontal) {
        tArrEx row;
        for (const double v : vertical)
            row.push_back(5 + std::max(0.0, 300 * std::cos(Radians(v)) * (1 + 0.4 * std::cos(2 * Radians(h)))));
        candela.push_back(row);
    }
    return MakeRecord(vertical, horizontal, candela);
}

// A downlight measured every half degree from 0 to 90: a long search per pixel.
tIES FineDownlight()
{
    tArrEx vertical;
    tArrEx row;
    for (int j = 0; j <= 180; ++j) {
        vertical.push_back(0.5 * j);
        row.push_back(1000 * std::pow(std::cos(Radians(0.5 * j)), 4));
    }
    return MakeRecord(vertical, {0}, {row});
}

tIES Record(int kind)
{
    return kind == 0 ? FullFile() : FineDownlight();
}

RenderParameters Defaults(const tIES& ies)
{
    return MakeRenderParameters(ies, RenderRequest{});
}

void BM_RenderLight(benchmark::State& state)
{
    const tIES ies = Record(static_cast<int>(state.range(0)));
    const RenderParameters p = Defaults(ies);
    std::vector<std::uint8_t> pixels(kRenderPixels);
    for (auto _ : state) {
        RenderLight(ies, p, std::span<std::uint8_t, kRenderPixels>(pixels.data(), kRenderPixels));
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kRenderPixels);
    state.counters["identical"] = RenderPixelByPixel(ies, p) == pixels ? 1 : 0;
}

void BM_RenderPixelByPixel(benchmark::State& state)
{
    const tIES ies = Record(static_cast<int>(state.range(0)));
    const RenderParameters p = Defaults(ies);
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderPixelByPixel(ies, p));
    state.SetItemsProcessed(state.iterations() * kRenderPixels);
}

BENCHMARK(BM_RenderLight)->ArgName("fine")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderPixelByPixel)->ArgName("fine")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
