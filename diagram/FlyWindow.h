#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

// The sample text the fly window is sized for.
[[nodiscard]] QString FlyWindowSample();

// The window's size for `font` (the application's): the sample's width plus
// one line height wide, three line heights high.
[[nodiscard]] QSize FlyWindowSize(const QFont& font);

// Where the window sits on a box of `box` size for the pointer: g + 16 right
// and g + 8 below it, g = `lensRadius` / 2 (0 when the lens is off); moved
// left (or up) so that it ends at the box's right (or bottom) edge.
[[nodiscard]] QRect FlyWindowRect(QSize box, QPoint pointer, int lensRadius, QSize window);

// What the window reads at a pointer.
struct FlyReadOut {
    double intensity = 0;  // rounded to a whole number, halves to even
    int degree = 0;        // 0 below the centre, 90 right, -90 left, 180 above
};

// The read-out at `pointer` over a square box `side` pixels wide, whose
// diagram reaches `scaleMax` (the value shown at the outer scale circle)
// `margin` pixels inside the box's edge.
[[nodiscard]] FlyReadOut ReadOutAt(QPoint pointer, int side, double scaleMax, int margin);

// How the window looks.
struct FlyWindowStyle {
    QColor background{0xff, 0xff, 0xdc};  // the palette's tool-tip base
    QColor text{0, 0, 0};                 // the palette's tool-tip text
    int mainFontHeight = -11;             // the texts' font height (negative: pixels)
    int opacity = 128;                    // of the box, 0 ... 255; the texts stay opaque
};

// The window's size for `font` that also holds the intensity line of any
// value up to `largest` in the style's diagram font: large candela values
// would otherwise run out of the frame.
[[nodiscard]] QSize FlyWindowSizeFor(const QFont& font, const FlyWindowStyle& style, double largest);

// The window at `rect`: a box in the background colour with a 1-pixel black
// frame at the style's opacity, then " Intensity " and " Degree " lines.
void DrawFlyWindow(QPainter& painter, const QRect& rect, const FlyReadOut& readOut, const FlyWindowStyle& style);
