#pragma once

#include "diagram/Canvas.h"
#include "diagram/DiagramOptions.h"
#include "photometry/IesRecord.h"

// Modes of DrawGoniogram.
inline constexpr int kGonioNormal = 0;
inline constexpr int kGonioThumbnail = 1;

// Pixels between the diagram's edge and the circle of the scale maximum.
inline constexpr int kDiagramMargin = 10;

// Colours of the two curves.
inline const QColor kMainCurveColor{255, 0, 0};
inline const QColor kPerpendicularCurveColor{200, 128, 128};

// The main window's font and the diagram's: face "arial" (resolved by the
// font system, Liberation Sans here), `height` in pixels when negative.
[[nodiscard]] DiagramFont MakeDiagramFont(int height);

// The top of an intensity circle's value label: just below the circle's
// lowest point `circleBottom`, or just above it where a label of
// `fontHeight` (pixels when negative) would run past the bottom of a
// diagram `height` pixels high.
[[nodiscard]] int ScaleLabelTop(int circleBottom, int fontHeight, int height);

// The grid behind the curves: frame, cross and, unless a thumbnail, the centre
// circle and the radial lines every 10 degrees.
void DrawDiagramBackground(Canvas& canvas, int width, int height, bool thumbnail,
                           const DiagramColors& colors);

// What a drawing found; `drawn` is false when nothing was drawn.
struct GoniogramResult {
    bool drawn = false;
    double scaleMax = 0;    // S, the maximum that reaches the margin circle
    double scaleValue = 0;  // S x m, the value the margin circle stands for (normal mode)
    double gridStep = 0;    // T of the intensity circles (normal mode)
    int gridCount = 0;      // N, the outermost circle's index
    int labelHeight = 0;    // h, the label font height
};

// Curves, intensity circles with values, labels or pictograms and the sketch
// of `ies` into the width x height rectangle at (0, 0), whose background is
// already painted. `mode` is kGonioNormal or kGonioThumbnail; `factor` scales
// pens, fonts and icons (1.0 on screen); `planeIndex` is the chosen plane.
// Draws nothing for a record without candela rows, a record whose arrays
// disagree, a canvas smaller than twice the margin, or a scale maximum that is
// not a positive finite number. Restores the canvas's pen, brush and font.
GoniogramResult DrawGoniogram(Canvas& canvas, int width, int height, const tIES& ies, int mode,
                              double factor, int planeIndex, const DiagramOptions& options);
