#pragma once

#include <cstdint>
#include <optional>

#include "IesRecord.h"

// The user settings that plane selection reads, handed in by the caller.
struct PlaneOptions {
    bool ShowComplete = false;  // draw the opposite half of type A/B files starting at 90
    bool Orthogonal = true;     // also select the perpendicular plane pair
    bool Fit = false;           // scale to the drawn planes instead of the whole matrix
};

// Largest candela value and bounding box of the polar points.
struct IesExtents {
    double MaxValue = 0;
    double MinX = 0;
    double MaxX = 0;
    double MinY = 0;
    double MaxY = 0;
};

// Where one extent was found: plane index and vertical index.
struct IesCell {
    std::int32_t Plane = 0;
    std::int32_t Vertical = 0;
    friend bool operator==(const IesCell&, const IesCell&) = default;
};

// A cell stays empty until its extent changes for the first time.
struct IesExtentCells {
    std::optional<IesCell> MaxCell;
    std::optional<IesCell> MinXCell;
    std::optional<IesCell> MaxXCell;
    std::optional<IesCell> MinYCell;
    std::optional<IesCell> MaxYCell;
};

// Index of the first horizontal angle that is exactly 0, else 0.
[[nodiscard]] int ZeroPlaneIndex(const tIES& ies);

// Index of the plane drawn mirrored opposite plane k, or -1 for none.
// The symmetry of the file decides (one plane, a quadrant, a half, full).
// An index outside the record's planes gives -1.
[[nodiscard]] int OppositePlane(const tIES& ies, int k, const PlaneOptions& options);

// Widens `extents` by the polar points of rows p and q (q may be -1).
// Rows outside the record are skipped.
void PlaneExtents(const tIES& ies, int p, int q, IesExtents& extents);

// Extents over the whole matrix, starting from 0; `cells` gets the position
// of each extent whenever it changes. Type C files get MinX = -MaxX.
void DataExtents(const tIES& ies, IesExtentCells& cells, IesExtents& extents);

// The planes to draw and the extents that set the diagram's scale.
struct PlaneSelection {
    int Plane = 0;
    int Opposite = -1;
    std::optional<int> Perpendicular;          // determined only for plane 0
    std::optional<int> PerpendicularOpposite;
    IesExtentCells Cells;                      // written only by a whole-matrix fit
    IesExtents Extents;
};

// View mode 0 is the interactive diagram (plane `requested`); view mode 1 the
// fixed thumbnail view (the 0-degree plane, always with the perpendicular pair).
// A requested plane outside the record falls back to the 0-degree plane.
[[nodiscard]] PlaneSelection SelectPlanes(const tIES& ies, int requested, int viewMode,
                                          const PlaneOptions& options);
