#pragma once

#include <QString>

#include "photometry/Calculations.h"
#include "photometry/IesRecord.h"

// What the render window reads from the rest of the program at each render:
// the shown file and the main window's plane settings.
class RenderSource {
public:
    virtual ~RenderSource() = default;
    // Empty while no file is shown; nothing is rendered then.
    [[nodiscard]] virtual QString CurrentFilePath() const = 0;
    [[nodiscard]] virtual const tIES& CurrentIes() const = 0;
    // The degree slider's position.
    [[nodiscard]] virtual int PlaneIndex() const = 0;
    // Fit, Orthogonal and Show complete, which choose the planes and the scale.
    [[nodiscard]] virtual PlaneOptions Planes() const = 0;
};
