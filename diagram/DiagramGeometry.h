#pragma once

#include <QPoint>

#include <optional>

// Centre and radii of a diagram: an intensity equal to the scale maximum S
// lies rx pixels from the centre horizontally and ry vertically.
struct DiagramFrame {
    int cx = 0;
    int cy = 0;
    int rx = 0;
    int ry = 0;
    double S = 1;
};

// The frame of a width x height diagram, or nothing when the canvas is smaller
// than twice the margin or S is not a positive finite number.
[[nodiscard]] std::optional<DiagramFrame> MakeFrame(int width, int height, double S);

// The pixel of intensity `value` at `angle` degrees (vertical angle 0 points
// down, 90 right on the right half and left on the left half, 180 up).
[[nodiscard]] QPoint CurvePoint(const DiagramFrame& frame, double angle, double value, bool leftHalf);

// The direction CurvePoint gives an angle, worked out once for every curve
// that passes through it: a diagram meets each vertical angle on several planes.
struct CurveDirection {
    double cos = 0;
    double sin = 0;
};
[[nodiscard]] CurveDirection DirectionOf(double angle);
[[nodiscard]] QPoint CurvePoint(const DiagramFrame& frame, CurveDirection direction, double value, bool leftHalf);

// Spacing and count of the intensity circles for an outer value V.
struct GridSteps {
    double step = 0;  // T
    int count = 0;    // N; the circles are 0, T, ... N x T
};

// Circles every T with 4 to 8 of them where possible: T is a power of ten
// (at most 100000) times a whole number, or half that power. Nothing (count 0,
// step 0) for a V that is not a positive finite number.
[[nodiscard]] GridSteps ChooseGridStep(double V);

// The label font height h: the main font height unless the circles stand
// closer than it (then smaller, at most -1), scaled by the factor.
[[nodiscard]] int LabelFontHeight(int mainFontHeight, double step, double V, int rx, double factor);
