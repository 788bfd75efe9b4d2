#pragma once

#include <QColor>
#include <QIcon>
#include <QPalette>

#include "photometry/Calculations.h"

// The system colours the diagram is drawn in.
struct DiagramColors {
    QColor ButtonFace{0xf0, 0xf0, 0xf0};    // background fill
    QColor ButtonShadow{0xa0, 0xa0, 0xa0};  // grid, frame, circles
    QColor WindowText{0, 0, 0};             // texts
};

// Button face = QPalette::Button, button shadow = QPalette::Dark, text = QPalette::WindowText.
[[nodiscard]] DiagramColors DiagramColorsFromPalette(const QPalette& palette);

// The settings the diagram pipeline reads, filled in by its caller.
struct DiagramOptions {
    PlaneOptions Planes;          // Fit, Orthogonal ("Show orthogonal diagram"), "Show complete"
    bool AbsoluteValues = false;  // "Absolute values": values times the multiplier
    bool ShowWarning = true;      // "Show warning icon" for records that are not type C
    bool TextLabels = false;      // "Show text labels" instead of pictograms
    int MainFontHeight = -11;     // the main window's font height (negative: pixels)
    DiagramColors Colors;
    QIcon WarningIcon;  // drawn for records that are not type C; none draws nothing
};

// True when values are drawn in candela (times the multiplier): asked for
// with "Absolute values", and always for absolute photometry, which has no
// per-kilolumen form.
[[nodiscard]] inline bool ShowsCandela(const tIES& ies, const DiagramOptions& options)
{
    return options.AbsoluteValues || HasAbsolutePhotometry(ies);
}

// Options with the colours of the running application's palette and our warning icon.
[[nodiscard]] DiagramOptions DefaultDiagramOptions();
