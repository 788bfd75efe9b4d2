#pragma once

#include <cstddef>
#include <vector>

#include "IesRecord.h"

// The compact intensity table of a datasheet, a record in and numbers out.
//
// Columns are planes the file stores itself: those at multiples of 45
// degrees (C0, C45 ... C315 for type C), or every plane when it has fewer
// than eight. Planes its symmetry only implies get no column, since they
// repeat a stored one; a plane repeating an earlier one modulo 360 (a closing
// C360) is left out too. A file of eight planes or more with none at a
// multiple of 45 gets eight planes spread evenly over its own.
//
// Rows are vertical angles: the multiples of 10 degrees from the file's
// first angle to its last, or the file's own angles when it has fewer.
// Longer ranges (hostile files) take a coarser multiple of 10 so that there
// are never more than kMaxTableRows.
//
// Values are candela as the photometric summary reads them (candela x
// multiplier x both ballast factors), linear in the vertical angle between
// the file's angles.
inline constexpr std::size_t kMaxTableRows = 19;
inline constexpr std::size_t kMaxTableColumns = 8;

struct IntensityTable {
    std::vector<double> planes;               // the columns' horizontal angles, as stored
    std::vector<double> angles;               // the rows' vertical angles
    std::vector<std::vector<double>> values;  // values[row][column], candela
};

// Empty (no rows, no columns) for a record without planes or finite angles.
[[nodiscard]] IntensityTable MakeIntensityTable(const tIES& ies);
