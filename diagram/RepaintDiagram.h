#pragma once

#include <QImage>

#include "diagram/Canvas.h"
#include "diagram/DiagramOptions.h"
#include "photometry/IesRecord.h"

// Flags of RepaintDiagram.
inline constexpr int kRepaintBackground = 1;
inline constexpr int kRepaintGoniogram = 2;
inline constexpr int kRepaintThumbnail = 4;

// The last normal-mode repaint of the main diagram, read by the magnifier.
// `failed` is set when the picture could not be made.
struct DiagramSnapshot {
    QImage image;
    bool failed = false;
};

// Composes the diagram off screen and copies it to `target` at (0, 0):
// background (flag 1), goniogram (flag 2) in thumbnail mode (flag 4) or normal
// mode at factor 1 with `planeIndex`. A normal-mode repaint also stores the
// picture in `snapshot` when one is given. A repaint asked for while one runs
// is dropped; returns false then, and when the picture could not be made.
bool RepaintDiagram(Canvas& target, int width, int height, const tIES& ies, int flags,
                    int planeIndex, const DiagramOptions& options,
                    DiagramSnapshot* snapshot = nullptr, bool antialiased = true);

// True while a repaint runs.
[[nodiscard]] bool DiagramRepaintRunning();
