#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <numbers>

#include "diagram/DrawDiagram.h"
#include "diagram/QPainterCanvas.h"

namespace {

// A typical full type C file: 73 planes every 5 degrees, 37 angles every 5.
tIES FullFile()
{
    tIES ies;
    ies.PhotometricType = 1;
    ies.Multiplier = 1;
    ies.LampLumens = 1000;
    ies.LampCount = 1;
    ies.InputWatts = 36;
    ies.UnitsType = 2;
    ies.Width = 0.6;
    ies.Length = 1.2;
    for (int i = 0; i < 73; ++i)
        ies.HorzAngles.push_back(5.0 * i);
    for (int j = 0; j < 37; ++j)
        ies.VertAngles.push_back(5.0 * j);
    for (double h : ies.HorzAngles) {
        tArrEx row;
        for (double v : ies.VertAngles) {
            const double c = std::cos(v * std::numbers::pi / 180);
            row.push_back(5 + std::max(0.0, 300 * c * (1 + 0.4 * std::cos(2 * h * std::numbers::pi / 180))));
        }
        ies.Candela.push_back(row);
    }
    ies.HorzCount = 73;
    ies.VertCount = 37;
    return ies;
}

// The main diagram's off-screen repaint with its snapshot, as the diagram box does it.
void Repaint(benchmark::State& state, int size, bool thumbnail)
{
    const tIES ies = FullFile();
    DiagramRequest request;
    request.size = QSize(size, size);
    request.record = &ies;
    request.thumbnail = thumbnail;
    request.antialiased = state.range(0) != 0;
    request.options = DefaultDiagramOptions();
    QImage target(size, size, QImage::Format_RGB32);
    DiagramSnapshot snapshot;
    QPainter painter(&target);
    QPainterCanvas canvas(painter, request.antialiased);
    for (auto _ : state)
        benchmark::DoNotOptimize(RepaintDiagram(canvas, request, &snapshot));
    state.SetItemsProcessed(state.iterations());
}

void BM_Repaint380(benchmark::State& state)
{
    Repaint(state, 380, false);
}

void BM_Thumbnail100(benchmark::State& state)
{
    Repaint(state, 100, true);
}

BENCHMARK(BM_Repaint380)->ArgName("antialiased")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Thumbnail100)->ArgName("antialiased")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
