#pragma once

#include <QImage>
#include <QSize>

#include "diagram/Canvas.h"
#include "diagram/DiagramOptions.h"
#include "diagram/Goniogram.h"
#include "photometry/IesRecord.h"

// What one drawing of a diagram is asked to draw. Every target (the main
// diagram, thumbnails, the printed page, the compare window, PNG files) fills
// one in; nothing about a drawing is kept anywhere else.
struct DiagramRequest {
    QSize size;                    // the diagram's rectangle, top-left corner at (0, 0)
    const tIES* record = nullptr;  // none: the background only
    int planeIndex = 0;            // the degree slider's plane; thumbnails take the 0-degree plane
    bool thumbnail = false;        // thumbnail mode: thin pens, no grid, no labels
    double factor = 1.0;           // pens, fonts, icons: 1 on screen, the printed page passes its own
    bool background = true;        // the grid behind the curves
    bool antialiased = true;
    DiagramOptions options;
};

// What a drawing found. `scaleMax` and `margin` are what the hover read-out
// maps the mouse with: the outer scale circle's value (S x m) and the margin
// of a normal-mode goniogram; 0 and 1 when none was drawn.
struct DiagramResult {
    bool painted = false;       // the target received a picture
    GoniogramResult goniogram;  // what the curves' drawing found
    double scaleMax = 0;
    int margin = 1;
};

// A normal-mode picture of the main diagram with the scale it was drawn at,
// read by the magnifier. `failed` is set when the picture could not be made.
struct DiagramSnapshot {
    QImage image;  // QImage::Format_RGB32
    bool failed = false;
    double scaleMax = 0;
    int margin = 1;
};

// The drawing entry point: fills the rectangle with the button face, then the
// background grid (when asked) and the goniogram of the record (when there
// is one) go straight onto `canvas`. Restores the canvas's state.
DiagramResult DrawDiagram(Canvas& canvas, const DiagramRequest& request);

// A picture made off screen through DrawDiagram, and its result.
struct DiagramPicture {
    QImage image;  // null when the size is empty or memory ran out
    DiagramResult result;
};
[[nodiscard]] DiagramPicture RenderDiagram(const DiagramRequest& request);

// Composes the diagram off screen and copies it to `target` at (0, 0). A
// normal-mode repaint also stores the picture and its scale in `snapshot` when
// one is given, or marks the snapshot failed when the picture could not be made.
DiagramResult RepaintDiagram(Canvas& target, const DiagramRequest& request, DiagramSnapshot* snapshot = nullptr);
