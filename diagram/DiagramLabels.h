#pragma once

#include "diagram/Canvas.h"
#include "diagram/DiagramGeometry.h"
#include "diagram/DiagramOptions.h"
#include "photometry/IesRecord.h"

// What a running DrawGoniogram hands to its labels, pictograms and sketch.
// The canvas has the label font selected and draws text transparently.
struct LabelContext {
    Canvas& canvas;
    int width;
    int height;
    const tIES& ies;
    DiagramFrame frame;
    int h;           // label font height (negative, at most -1)
    int Hm;          // main window's font height
    double factor;   // size factor, 1 on screen
    double m;        // value multiplier: Multiplier with "Absolute values", else 1
    int planeIndex;  // the plane shown
    const DiagramOptions& options;
};

// True when the key numbers are drawn as text lines instead of pictograms.
[[nodiscard]] bool UsesTextLabels(const LabelContext& context);

// The key numbers (text or pictograms) and the luminaire sketch.
void DrawDiagramLabels(const LabelContext& context);
