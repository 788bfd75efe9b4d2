#pragma once

#include <string>
#include <vector>

#include "EulumdatReader.h"
#include "IesRecord.h"

// A EULUMDAT file as the program's record, so that everything reading a
// record (diagram, render engine, summary, conversion) reads its full
// distribution as it reads the same distribution written as IES:
// - type C, metres; the gamma angles are the vertical angles;
// - the stored planes are the horizontal angles in the LM-63 convention for
//   the same symmetry: one plane at 0; 0 to 90; 0 to 180; 90 to 270 (from
//   the C270-C0-C90 storage through I(C) = I((180 - C) mod 360)); or every
//   plane, a full circle from 0 closed by its plane repeated at 360;
// - candela x multiplier = cd/klm x the first lamp set's flux / 1000 x the
//   conversion factor, with lamp count x lamp lumens = that flux, as the IES
//   reader would leave the same file; a negative lamp count is absolute
//   photometry (lamp lumens -1, multiplier 1, the values in candela);
// - the luminous area (items 16 to 21) as width, length and height, with a
//   width of 0 (circular) written as a negative width, the diameter, as the
//   sketch reads it. The height is the largest of the four.
// A flux or conversion factor that is not above 0 counts as 1000 lm or 1.
[[nodiscard]] tIES EulumdatRecord(const EulumdatFile& file);

// What one stored cd/klm value is multiplied by to give a record's Candela.
[[nodiscard]] double EulumdatCandelaScale(const EulumdatFile& file);

// The first lamp set's flux as the mapping uses it (1000 when not above 0),
// and the conversion factor (1 when not above 0).
[[nodiscard]] double EulumdatFlux(const EulumdatFile& file);
[[nodiscard]] double EulumdatConversionFactor(const EulumdatFile& file);

// Whether the file's lamp count marks absolute photometry.
[[nodiscard]] bool EulumdatAbsolute(const EulumdatFile& file);

// Fills the six keyword fields of `texts` (the file name stays) as
// FillKeywordTexts does for an IES file: test = item 8, manufacturer = item 1,
// luminaire = item 9, luminaire catalog = item 10, lamp = the first set's
// lamp type, no lamp catalog. Tells whether this program's conversion wrote
// the file (its marker in item 12).
bool FillEulumdatTexts(const EulumdatFile& file, EntryTexts& texts);
