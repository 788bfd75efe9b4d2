#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "diagram/DrawDiagram.h"
#include "diagram/FishEye.h"
#include "diagram/FlyWindow.h"
#include "diagram/Goniogram.h"
#include "diagram/Magnifier.h"
#include "diagram/QPainterCanvas.h"
#include "photometry/EntryLoader.h"

namespace {

// Every pixel a colour of its own, so a lens pixel tells where it was read.
QImage CodedSnapshot(int side)
{
    QImage image(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < side; ++x)
            row[x] = qRgb(x, y, (x + y) % 256);
    }
    return image;
}

QImage Lens(int radius, int refraction, bool magnify, QPoint centre, const QImage& snapshot)
{
    return DrawLens(snapshot, centre, LensMap(LensSettings{true, magnify, radius, refraction}));
}

TEST(FishEyeTest, StrongLensSixteenPixelsRightOfCentre)
{
    // R = 32, K = 80 (n = 9): w is about 0.6247 magnifying and 1.3753 shrinking.
    EXPECT_NEAR(LensStretch(32, 80, true, 0, 16), 0.6247, 5e-4);
    EXPECT_NEAR(LensStretch(32, 80, false, 0, 16), 1.3753, 5e-4);

    const QImage snapshot = CodedSnapshot(200);
    const QPoint c(100, 90);
    const QImage plus = Lens(32, 80, true, c, snapshot);
    const QImage minus = Lens(32, 80, false, c, snapshot);
    ASSERT_EQ(plus.size(), QSize(64, 64));
    EXPECT_EQ(plus.pixel(32 + 16, 32), snapshot.pixel(c.x() + 10, c.y()));
    EXPECT_EQ(minus.pixel(32 + 16, 32), snapshot.pixel(c.x() + 22, c.y()));
    // The other three directions by symmetry.
    EXPECT_EQ(plus.pixel(32 - 16, 32), snapshot.pixel(c.x() - 10, c.y()));
    EXPECT_EQ(plus.pixel(32, 32 + 16), snapshot.pixel(c.x(), c.y() + 10));
    EXPECT_EQ(minus.pixel(32, 32 - 16), snapshot.pixel(c.x(), c.y() - 22));
    // The centre itself is not refracted.
    EXPECT_EQ(plus.pixel(32, 32), snapshot.pixel(c.x(), c.y()));
}

TEST(FishEyeTest, WithoutRefractionThePictureIsUndistortedInsideItsRim)
{
    const QImage snapshot = CodedSnapshot(120);
    const QPoint c(60, 60);
    const int R = 20;
    const QImage lens = Lens(R, 0, true, c, snapshot);
    int inside = 0;
    for (int j = 0; j < 2 * R; ++j) {
        for (int i = 0; i < 2 * R; ++i) {
            if (std::hypot(i - R, j - R) > R - 2)
                continue;  // the rim
            ++inside;
            ASSERT_EQ(lens.pixel(i, j), snapshot.pixel(c.x() - R + i, c.y() - R + j)) << i << "," << j;
        }
    }
    EXPECT_GT(inside, 1000);
    EXPECT_EQ(lens.pixel(0, R), qRgb(0, 0, 0));
    EXPECT_EQ(lens.pixel(R, 2 * R - 1), qRgb(0, 0, 0));
}

TEST(FishEyeTest, OutsideTheSnapshotReadsBlack)
{
    const QImage snapshot = CodedSnapshot(50);
    const QImage lens = Lens(16, 0, false, QPoint(2, 48), snapshot);
    EXPECT_EQ(lens.pixel(16 - 8, 16), qRgb(0, 0, 0));  // box pixel (-6, 48)
    EXPECT_EQ(lens.pixel(16, 16 + 5), qRgb(0, 0, 0));  // box pixel (2, 53)
    EXPECT_EQ(lens.pixel(16 + 4, 16 - 4), snapshot.pixel(6, 44));
    // A shrinking lens looks beyond the edge too.
    const QImage far = Lens(16, 80, false, QPoint(49, 25), snapshot);
    EXPECT_EQ(far.pixel(16 + 8, 16), qRgb(0, 0, 0));
    // No snapshot at all: a black lens, not a crash.
    EXPECT_EQ(Lens(8, 80, true, QPoint(3, 3), QImage()).pixel(8, 8), qRgb(0, 0, 0));
}

TEST(FlyWindowTest, SitsBesideThePointerAndMovesInAtTheEdges)
{
    const QSize box(400, 400);
    const QSize window(110, 45);
    EXPECT_EQ(FlyWindowRect(box, QPoint(100, 120), 0, window), QRect(QPoint(116, 128), window));
    EXPECT_EQ(FlyWindowRect(box, QPoint(100, 120), 32, window), QRect(QPoint(132, 144), window));
    const QRect right = FlyWindowRect(box, QPoint(350, 120), 32, window);
    EXPECT_EQ(right.right() + 1, 400);
    EXPECT_EQ(right.top(), 144);
    const QRect corner = FlyWindowRect(box, QPoint(390, 395), 0, window);
    EXPECT_EQ(corner.bottomRight(), QPoint(399, 399));

    const QSize measured = FlyWindowSize(QGuiApplication::font());
    const QFontMetrics metrics(QGuiApplication::font());
    EXPECT_EQ(measured.height(), 3 * metrics.height());
    EXPECT_EQ(measured.width(), metrics.horizontalAdvance(QStringLiteral("Intensity 9 999")) + metrics.height());

    // Values beyond the sample widen the window so that the line stays inside its frame.
    FlyWindowStyle style;
    style.mainFontHeight = -30;  // a diagram font well above the application's
    const QSize wide = FlyWindowSizeFor(QGuiApplication::font(), style, 1234567);
    const QFontMetrics diagram(QPainterCanvas::ToQFont(MakeDiagramFont(-30)));
    EXPECT_GT(wide.width(), 30 + diagram.horizontalAdvance(QStringLiteral(" Intensity 1 234 567")));
    EXPECT_EQ(wide.height(), measured.height());
    style.mainFontHeight = -1;
    EXPECT_EQ(FlyWindowSizeFor(QGuiApplication::font(), style, 7), measured);
}

TEST(FlyWindowTest, ReadsIntensityAndAngleUnderThePointer)
{
    const int side = 400;  // F = 200, the scale maximum 190 pixels out
    const FlyReadOut centre = ReadOutAt(QPoint(200, 200), side, 1234.0, 10);
    EXPECT_EQ(centre.intensity, 0.0);
    EXPECT_EQ(centre.degree, 0);
    const FlyReadOut right = ReadOutAt(QPoint(390, 200), side, 1234.0, 10);
    EXPECT_EQ(right.intensity, 1234.0);
    EXPECT_EQ(right.degree, 90);
    EXPECT_EQ(ReadOutAt(QPoint(200, 5), side, 1234.0, 10).degree, 180);
    EXPECT_EQ(ReadOutAt(QPoint(100, 200), side, 1234.0, 10).degree, -90);
    EXPECT_EQ(ReadOutAt(QPoint(200, 300), side, 1900.0, 10).intensity, 1000.0);
    // Halfway reads half, rounded to even: 95 / 190 x 5 = 2.5 -> 2.
    EXPECT_EQ(ReadOutAt(QPoint(295, 200), side, 5.0, 10).intensity, 2.0);
    // A box too small for a scale reads 0 rather than dividing by zero.
    EXPECT_EQ(ReadOutAt(QPoint(3, 3), 20, 1234.0, 10).intensity, 0.0);
}

// The read-out on a drawn intensity circle gives the circle's value: the
// darkest pixel of each circle right, left, below and above the centre reads
// its label's value, within the half pixel by which the radius is rounded.
TEST(FlyWindowTest, EachIntensityCircleReadsItsOwnValue)
{
    for (const auto& [file, side] : {std::pair{"downlight-cfl-6in-open-reflector.ies", 326},
                                     std::pair{"street-light-led-type-ii.ies", 327}}) {
        TiesData entry = UnreadEntry(file);
        if (LoadEntry(entry, KANDORA_SOURCE_DIR "/samples/").kind != LoadResult::Kind::Loaded)
            GTEST_SKIP() << "no sample " << file;
        DiagramRequest request;
        request.size = QSize(side, side);
        request.record = &entry.Ies;
        request.background = false;
        request.options.Colors.ButtonShadow = QColor(0, 0, 255);  // only the circles are blue
        const DiagramPicture picture = RenderDiagram(request);
        const double V = picture.result.scaleMax;
        const int F = side / 2;
        auto blue = [&](QPoint at) {
            const QRgb p = picture.image.pixel(at);
            return qBlue(p) - std::max(qRed(p), qGreen(p));
        };
        for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            int found = 0;
            for (QPoint at = QPoint(F, F) + 2 * step; std::abs(at.x() - F) + std::abs(at.y() - F) < F - 1; at += step) {
                if (blue(at) < 40 || blue(at) < blue(at - step) || blue(at) <= blue(at + step))
                    continue;
                EXPECT_NEAR(ReadOutAt(at, side, V, picture.result.margin).intensity,
                            ++found * picture.result.goniogram.gridStep, V / (F - 10) / 2 + 0.5)
                    << file << ", circle " << found << " towards " << step.x() << "," << step.y();
            }
            EXPECT_GE(found, picture.result.goniogram.gridCount - 1);
        }
    }
}

TEST(LensDragTest, AltDragFollowsThePointerAndTurnsAtTheEnds)
{
    // K at 80, press at y = 100: the base is 180.
    SliderDrag drag = DragLensSlider(180, 110, 0, 80);
    EXPECT_EQ(drag.value, 70);
    EXPECT_EQ(drag.base, 180);
    drag = DragLensSlider(drag.base, 90, 0, 80);  // past the top
    EXPECT_EQ(drag.value, 80);
    EXPECT_EQ(drag.base, 170);
    drag = DragLensSlider(drag.base, 95, 0, 80);  // reversing works at once
    EXPECT_EQ(drag.value, 75);
    // R, 8 ... 64: below the minimum the base follows too.
    drag = DragLensSlider(40, 35, 8, 64);
    EXPECT_EQ(drag.value, 8);
    EXPECT_EQ(drag.base, 43);
    // ... but not while the pointer stays within 2 pixels of the base.
    EXPECT_EQ(DragLensSlider(40, 38, 8, 64).base, 40);
}

TEST(LensProfileTest, DomeWhenMagnifyingBowlWhenShrinking)
{
    const auto draw = [](bool magnify) {
        QImage image(60, 46, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        DrawLensProfile(painter, image.size(), magnify, Qt::black, Qt::gray);
        return image;
    };
    const auto inked = [](const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 160; };
    const QImage dome = draw(true);
    const QImage bowl = draw(false);
    EXPECT_TRUE(inked(dome, 30, 1));
    EXPECT_FALSE(inked(dome, 30, 29));
    EXPECT_TRUE(inked(bowl, 30, 30));
    EXPECT_FALSE(inked(bowl, 30, 3));
    EXPECT_EQ(dome.pixel(10, 40), QColor(Qt::gray).rgb());
    EXPECT_EQ(dome.pixel(59, 40), qRgb(255, 255, 255));
}

TEST(MagnifierTest, MoveRepaintsOldAndNewPlacesOnly)
{
    Magnifier m;
    m.setWindowSize(QSize(100, 40));
    m.setSettings(LensSettings{true, false, 32, 80});
    const QSize box(400, 400);
    EXPECT_EQ(m.lastPointer(), QPoint(-100, -100));
    const QRegion first = m.moveTo(QPoint(100, 100), box);
    EXPECT_EQ(m.lensRect(), QRect(68, 68, 64, 64));
    EXPECT_EQ(m.windowRect(), QRect(132, 124, 100, 40));
    EXPECT_EQ(first, QRegion(m.lensRect()) + m.windowRect());
    const QRegion second = m.moveTo(QPoint(300, 100), box);
    EXPECT_TRUE(second.contains(QRect(68, 68, 64, 64)));
    EXPECT_TRUE(second.contains(m.lensRect()));
    EXPECT_FALSE(second.contains(QPoint(200, 300)));

    // "On" off: no lens, the window 16 right and 8 below the pointer.
    m.setSettings(LensSettings{false, false, 32, 80});
    const QRegion off = m.refresh();
    EXPECT_TRUE(m.lensRect().isEmpty());
    EXPECT_TRUE(off.contains(QRect(268, 68, 64, 64)));  // the old lens is erased
    (void)m.moveTo(QPoint(100, 100), box);
    EXPECT_EQ(m.windowRect(), QRect(116, 108, 100, 40));

    const QRegion cleared = m.clear();
    EXPECT_FALSE(m.shown());
    EXPECT_EQ(cleared, QRegion(QRect(116, 108, 100, 40)));
    EXPECT_TRUE(m.clear().isEmpty());
}

TEST(MagnifierTest, PaintsLensThenWindowAtTheWindowsOpacity)
{
    const QImage snapshot = CodedSnapshot(200);
    const auto compose = [&](int opacity, bool on) {
        Magnifier m;
        m.setWindowSize(QSize(90, 40));
        m.setSettings(LensSettings{on, true, 32, 80});
        m.setWindowStyle(FlyWindowStyle{QColor(255, 255, 0), Qt::black, -11, opacity});
        QImage box = snapshot.copy();
        (void)m.moveTo(QPoint(60, 50), box.size());
        QPainter painter(&box);
        m.paint(painter, snapshot, 100.0, 10);
        painter.end();
        return std::make_pair(box, m.windowRect());
    };
    const auto [opaque, window] = compose(255, true);
    EXPECT_EQ(window.topLeft(), QPoint(60 + 16 + 16, 50 + 16 + 8));
    EXPECT_EQ(opaque.pixel(window.topLeft()), qRgb(0, 0, 0));                     // the frame
    EXPECT_EQ(opaque.pixel(window.topLeft() + QPoint(2, 2)), qRgb(255, 255, 0));  // the box
    EXPECT_EQ(opaque.pixel(60 + 16, 50), snapshot.pixel(60 + 10, 50));            // the lens
    EXPECT_EQ(opaque.pixel(150, 150), snapshot.pixel(150, 150));                  // elsewhere untouched

    // Opacity 0: only the texts show; the box and its frame leave the picture as it was.
    const auto [clear, sameWindow] = compose(0, true);
    EXPECT_EQ(clear.pixel(sameWindow.topLeft()), snapshot.pixel(sameWindow.topLeft()));
    EXPECT_EQ(clear.pixel(sameWindow.topLeft() + QPoint(2, 2)), snapshot.pixel(sameWindow.topLeft() + QPoint(2, 2)));
    int texts = 0;
    for (int y = sameWindow.top(); y <= sameWindow.bottom(); ++y)
        for (int x = sameWindow.left(); x <= sameWindow.right(); ++x)
            texts += clear.pixel(x, y) != snapshot.pixel(x, y) ? 1 : 0;
    EXPECT_GT(texts, 20);

    // "On" off: the lens leaves the picture alone.
    const auto [noLens, plainWindow] = compose(255, false);
    EXPECT_EQ(noLens.pixel(60 + 16, 50), snapshot.pixel(60 + 16, 50));
    EXPECT_EQ(plainWindow.topLeft(), QPoint(76, 58));
}

}  // namespace
