#pragma once

#include <QString>

#include "diagram/DiagramLabels.h"
#include "photometry/IesRecord.h"

// One of the luminous opening's three dimensions.
enum class Dimension { Width, Length, Height };

// The absolute value of a dimension as shown: feet as they are (units 1),
// otherwise metres times 1000 in millimetres; " feet" or " mm" when asked.
[[nodiscard]] QString DimText(const tIES& ies, Dimension which, bool withUnit);

// The shape the signs of width, length and height stand for.
struct LuminaireShape {
    QString identifier;  // empty when no shape is recognised
    QString name;        // shown by the text labels
    int cell = 9;        // pictogram cell; the question mark when not recognised
    QString dimensions;  // the dimension text with its unit
};

[[nodiscard]] LuminaireShape ClassifyShape(const tIES& ies);

// The shape's name and dimensions (or its pictogram) at the bottom left, and
// on screen (factor 1) the photometric type's orientation mark.
void DrawLuminaireSketch(const LabelContext& context);
