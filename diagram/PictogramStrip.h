#pragma once

#include <QIcon>
#include <QImage>

#include "diagram/Canvas.h"

// The pictogram strip: 30 cells of 16 x 16 pixels in one row, with alpha.
inline constexpr int kStripCellSize = 16;
inline constexpr int kStripCellCount = 30;

// Cell numbers of the strip.
enum StripCell : int {
    kCellPennantA = 0,  // type A; B and C follow
    kCellAngle = 3,     // plane angle
    kCellBulb = 4,      // one per lamp
    kCellTwoBulbs = 5,  // multiplier
    kCellMaxBulb = 6,   // maximum intensity
    kCellBulbRays = 7,  // lamp lumens
    kCellSun = 8,
    kCellQuestion = 9,  // shape not recognised
    kCellBolt = 10,
    kCellSmallBolt = 11,  // power
    kCellTypeCMark = 12,  // orientation marks: ring of arrows, C-shaped arrow, ring
    kCellTypeBMark = 13,
    kCellTypeAMark = 14,
    kCellDisc = 15,  // luminous shapes 15 to 25
    kCellFlatEllipse = 16,
    kCellUprightEllipse = 17,
    kCellRectangle = 18,
    kCellSphere = 19,
    kCellFlatEllipsoid = 20,
    kCellUprightEllipsoid = 21,
    kCellBox = 22,
    kCellUprightCylinder = 23,
    kCellCylinderAlongLength = 24,
    kCellCylinderAlongWidth = 25,
    kCellPoint = 26,  // point source
};

// The strip from the program's resources; a null image when it cannot be loaded.
[[nodiscard]] const QImage& PictogramStrip();

// Cell `cell` of the strip with its top-left corner at (x, y), scaled to
// size x size pixels, transparent where the cell is. Nothing for a cell
// number outside the strip or when the strip cannot be loaded.
void DrawStripCell(Canvas& canvas, int cell, int x, int y, int size);

// Our warning icon (resources/warning.png, made by scripts/make-warning-icon.py),
// the same with or without a display or a widget style.
[[nodiscard]] QIcon DiagramWarningIcon();

// The warning icon, size x size; nothing when there is none.
void DrawWarningIcon(Canvas& canvas, const QIcon& icon, int x, int y, int size);
