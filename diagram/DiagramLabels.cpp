#include "DiagramLabels.h"

bool UsesTextLabels(const LabelContext& context)
{
    return context.options.TextLabels || context.factor != 1.0;
}

void DrawDiagramLabels(const LabelContext&)
{
}
