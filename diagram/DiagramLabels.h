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
    double m;        // value multiplier: Multiplier when shown in candela, else 1
    int planeIndex;  // the plane shown
    const DiagramOptions& options;
};

// True when the key numbers are drawn as text lines instead of pictograms
// ("Show text labels", or any factor but 1 as on the printed page).
[[nodiscard]] bool UsesTextLabels(const LabelContext& context);

// Side of a pictogram cell: 17 pixels at the normal label height, smaller
// with the label font.
[[nodiscard]] int PictogramSize(const LabelContext& context);

// The texts both styles share.
[[nodiscard]] QString TypeLetter(const tIES& ies);
// The scale maximum times m, rounded to one decimal, with " cd" and "/klm"
// unless the values are shown in candela.
[[nodiscard]] QString MaximumText(const LabelContext& context);
// "36 W" or, for several lamps, "2x36=72 W" (watts per lamp without remainder).
[[nodiscard]] QString PowerText(const tIES& ies);
[[nodiscard]] QString AngleText(const LabelContext& context);

// The key numbers as text lines: type at the top right, the others at the top left.
void DrawTextLabels(const LabelContext& context);

// The key numbers as pictograms, each followed by its "=" text, and the lamp bulbs.
void DrawPictograms(const LabelContext& context);

// The labels or pictograms, then the luminaire sketch.
void DrawDiagramLabels(const LabelContext& context);
