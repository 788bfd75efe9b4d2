#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "diagram/Magnifier.h"

namespace {

constexpr int kBox = 600;

// A diagram-like picture: the lens's cost does not depend on what it shows.
QImage Snapshot()
{
    QImage image(kBox, kBox, QImage::Format_RGB32);
    image.fill(QColor(0xf0, 0xf0, 0xf0));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0xa0, 0xa0, 0xa0));
    for (int r = 30; r < kBox / 2; r += 30)
        painter.drawEllipse(QPoint(kBox / 2, kBox / 2), r, r);
    painter.setPen(QPen(Qt::red, 2));
    painter.drawEllipse(QRect(kBox / 4, kBox / 2, kBox / 2, kBox / 3));
    return image;
}

// One mouse move: the lens (R = 64, K = 80) worked out from the snapshot and
// composed with the fly window into the repainted region, as the diagram
// box's paint does. Range 0: the lens geometry is rebuilt in every call (as
// after a change of R or K); 1: it is kept between moves, as while the mouse moves.
void BM_LensAndWindow(benchmark::State& state)
{
    const bool keepGeometry = state.range(0) != 0;
    const QImage snapshot = Snapshot();
    QImage box = snapshot.copy();
    Magnifier magnifier;
    magnifier.setWindowSize(FlyWindowSize(QGuiApplication::font()));
    LensSettings settings{true, true, 64, 80};
    magnifier.setSettings(settings);
    int step = 0;
    for (auto _ : state) {
        if (!keepGeometry) {
            settings.refraction = settings.refraction == 80 ? 79 : 80;
            magnifier.setSettings(settings);
        }
        const QPoint pointer(200 + (step % 2) * 3, 250 + (step % 3) * 2);
        ++step;
        const QRegion dirty = magnifier.moveTo(pointer, box.size());
        QPainter painter(&box);
        painter.setClipRegion(dirty);
        const QRect area = dirty.boundingRect();
        painter.drawImage(area.topLeft(), snapshot, area);
        magnifier.paint(painter, snapshot, 1234.5, 10);
        painter.end();
        benchmark::DoNotOptimize(box.constBits());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LensAndWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The parts of a move on their own: the lens picture, the lens geometry, the window.
void BM_LensOnly(benchmark::State& state)
{
    const QImage snapshot = Snapshot();
    const LensMap map(LensSettings{true, true, 64, 80});
    for (auto _ : state) {
        QImage lens = DrawLens(snapshot, QPoint(200, 250), map);
        benchmark::DoNotOptimize(lens.constBits());
    }
}
BENCHMARK(BM_LensOnly)->Unit(benchmark::kMicrosecond);

void BM_MapOnly(benchmark::State& state)
{
    for (auto _ : state) {
        LensMap map(LensSettings{true, true, 64, 80});
        benchmark::DoNotOptimize(map.radius());
    }
}
BENCHMARK(BM_MapOnly)->Unit(benchmark::kMicrosecond);

void BM_WindowOnly(benchmark::State& state)
{
    QImage box = Snapshot();
    for (auto _ : state) {
        QPainter painter(&box);
        DrawFlyWindow(painter, QRect(100, 100, 110, 45), FlyReadOut{1234, 90}, FlyWindowStyle{});
        painter.end();
        benchmark::DoNotOptimize(box.constBits());
    }
}
BENCHMARK(BM_WindowOnly)->Unit(benchmark::kMicrosecond);

// The window's size, which the diagram box works out again on every move.
void BM_WindowSize(benchmark::State& state)
{
    for (auto _ : state) {
        const QSize size = FlyWindowSizeFor(QGuiApplication::font(), FlyWindowStyle{}, 123456);
        benchmark::DoNotOptimize(size);
    }
}
BENCHMARK(BM_WindowSize)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
