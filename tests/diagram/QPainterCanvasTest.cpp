#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include "diagram/Goniogram.h"
#include "diagram/QPainterCanvas.h"

namespace {

QImage Blank(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool Inked(const QImage& image, int x, int y)
{
    return image.pixel(x, y) != qRgb(255, 255, 255);
}

class QPainterCanvasTest : public ::testing::TestWithParam<bool> {};

TEST_P(QPainterCanvasTest, RectangleRightAndBottomEdgesAreExclusive)
{
    QImage image = Blank(12);
    {
        QPainter painter(&image);
        QPainterCanvas canvas(painter, GetParam());
        canvas.SetPen(Qt::black, 1);
        canvas.SetSolidBrush(Qt::red);
        canvas.Rectangle(2, 3, 8, 9);
    }
    EXPECT_EQ(image.pixel(2, 3), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(7, 8), qRgb(0, 0, 0));
    EXPECT_FALSE(Inked(image, 8, 5));
    EXPECT_FALSE(Inked(image, 5, 9));
    EXPECT_FALSE(Inked(image, 1, 5));
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0));
}

TEST_P(QPainterCanvasTest, EllipseStaysInsideItsBox)
{
    QImage image = Blank(30);
    {
        QPainter painter(&image);
        QPainterCanvas canvas(painter, GetParam());
        canvas.SetPen(Qt::black, 1);
        canvas.SetHollowBrush();
        canvas.Ellipse(5, 5, 25, 25);
    }
    for (int i = 0; i < 30; ++i) {
        EXPECT_FALSE(Inked(image, i, 3));
        EXPECT_FALSE(Inked(image, 26, i));
    }
    EXPECT_TRUE(Inked(image, 15, 5));
    EXPECT_FALSE(Inked(image, 15, 15));  // hollow
}

TEST_P(QPainterCanvasTest, TextHangsBelowItsTopLeftCorner)
{
    QImage image = Blank(60);
    {
        QPainter painter(&image);
        QPainterCanvas canvas(painter, GetParam());
        canvas.SetFont(MakeDiagramFont(-20));
        canvas.SetTextColor(Qt::black);
        canvas.TextOut(20, 20, QStringLiteral("H"));
        EXPECT_GT(canvas.TextWidth(QStringLiteral("HH")), canvas.TextWidth(QStringLiteral("H")));
    }
    bool inkAbove = false;
    bool inkBelow = false;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x)
            if (Inked(image, x, y)) {
                inkAbove = inkAbove || y < 20 || x < 20;
                inkBelow = inkBelow || y >= 20;
            }
    EXPECT_FALSE(inkAbove);
    EXPECT_TRUE(inkBelow);
}

TEST_P(QPainterCanvasTest, PolylineUsesTheSelectedPen)
{
    QImage image = Blank(20);
    {
        QPainter painter(&image);
        QPainterCanvas canvas(painter, GetParam());
        canvas.SetPen(QColor(255, 0, 0), 1);
        canvas.MoveTo(2, 10);
        canvas.LineTo(17, 10);
        canvas.SetPen(QColor(0, 0, 255), 1);  // changing the pen ends the red line
        canvas.MoveTo(10, 2);
        canvas.LineTo(10, 6);
    }
    EXPECT_EQ(image.pixel(5, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(10, 4), qRgb(0, 0, 255));
    EXPECT_FALSE(Inked(image, 5, 12));
}

INSTANTIATE_TEST_SUITE_P(Antialiasing, QPainterCanvasTest, ::testing::Bool());

TEST(QPainterCanvasFontTest, ArialResolvesToAMetricCompatibleFace)
{
    const QFontInfo info(QPainterCanvas::ToQFont(MakeDiagramFont(-11)));
    EXPECT_EQ(info.pixelSize(), 11);
    if (!info.family().contains(QStringLiteral("Liberation Sans")) && !info.family().contains(QStringLiteral("Arial")))
        GTEST_SKIP() << "no metric-compatible face installed: " << info.family().toStdString();
    SUCCEED();
}

TEST(QPainterCanvasCopyTest, CopyImagePlacesThePicture)
{
    QImage source(4, 4, QImage::Format_RGB32);
    source.fill(Qt::blue);
    QImage image = Blank(10);
    {
        QPainter painter(&image);
        QPainterCanvas canvas(painter, true);
        canvas.CopyImage(3, 3, source);
    }
    EXPECT_EQ(image.pixel(3, 3), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(6, 6), qRgb(0, 0, 255));
    EXPECT_FALSE(Inked(image, 7, 7));
    EXPECT_FALSE(Inked(image, 2, 2));
}

}  // namespace
