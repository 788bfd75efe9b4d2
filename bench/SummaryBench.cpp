#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "photometry/PhotometricSummary.h"

// One photometric summary of a full type C file: 73 planes every 5 degrees,
// 37 gamma angles every 5 from 0 to 180 (the target is under 20 us).

namespace {

tIES FullFile()
{
    tIES ies;
    ies.LampLumens = 1000;
    ies.Multiplier = 1;
    ies.LampCount = 1;
    ies.PhotometricType = 1;
    ies.InputWattsExact = 36;
    for (int i = 0; i < 73; ++i)
        ies.HorzAngles.push_back(5.0 * i);
    for (int j = 0; j < 37; ++j)
        ies.VertAngles.push_back(5.0 * j);
    constexpr double kDeg = std::numbers::pi / 180;
    for (const double c : ies.HorzAngles) {
        tArrEx& row = ies.Candela.emplace_back();
        for (const double g : ies.VertAngles)
            row.push_back(5 + std::max(0.0, 300 * std::cos(g * kDeg) * (1 + 0.4 * std::cos(2 * c * kDeg))));
    }
    ies.HorzCount = 73;
    ies.VertCount = 37;
    return ies;
}

void BM_SummaryFull73x37(benchmark::State& state)
{
    const tIES ies = FullFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(SummarizePhotometry(ies));
}
BENCHMARK(BM_SummaryFull73x37)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
