#pragma once

#include <string>

#include "Conversion.h"
#include "EulumdatReader.h"
#include "IesRecord.h"

// Writing an IES record as EULUMDAT and a EULUMDAT file as LM-63-2002 IES.
// Pure functions from what was read to the new file's bytes; faults come
// back as values. Numbers are written as FormatIesNumber writes them.

// What an IES record alone does not say, given by the caller.
struct EulumdatWriteInputs {
    std::string manufacturer;      // item 1
    std::string test;              // item 8, the report number
    std::string luminaire;         // item 9
    std::string luminaireCatalog;  // item 10
    std::string lamp;              // the lamp set's type
    std::string fileName;          // item 11, the new file's name
    double lorl = 0;               // light output ratio, %, from the flux integration
    double downwardFlux = 0;       // downward flux fraction, %, likewise
    double luminaireFlux = 0;      // absolute photometry: the integrated luminaire flux, lm
    // Folded into the intensities; the record does not keep them yet.
    double ballastFactor = 1;
    double ballastLampFactor = 1;
};

struct EulumdatBuild {
    ConversionFault fault = ConversionFault::None;
    std::string message;  // empty unless fault
    EulumdatFile file;    // empty on a fault
};

// The EULUMDAT file of a type C record. The symmetry follows the horizontal
// angles: one plane 1, 0-90 4, 0-180 2, 90-270 3 (when its planes fall on
// the C270-C0-C90 storage), else 0 with every plane over 360 degrees.
// Intensities are cd/klm of the lamp set's flux: candela x multiplier x
// factors x 1000 / (lamps x lumens per lamp); an absolute record gets lamp
// count -1 and the luminaire flux as the set's flux. Types A and B, and
// angles that do not ascend, are refused.
[[nodiscard]] EulumdatBuild EulumdatFromIes(const tIES& ies, const EulumdatWriteInputs& inputs);

// The file's text: one item per line, one number per line in the blocks,
// CR LF line ends; texts are written as UTF-8, a line end in one as a space.
[[nodiscard]] std::string EulumdatBytes(const EulumdatFile& file);

// The bytes of a new file, or the fault that kept it from being written.
struct FormatConversion {
    ConversionFault fault = ConversionFault::None;
    std::string message;
    std::string bytes;
    [[nodiscard]] bool Written() const { return fault == ConversionFault::None; }
};

// EulumdatFromIes, then EulumdatBytes.
[[nodiscard]] FormatConversion BuildEulumdat(const tIES& ies, const EulumdatWriteInputs& inputs);

// An LM-63-2002 file ("IESNA:LM-63-2002") of a EULUMDAT file: keywords from
// its items, TILT=NONE, its record's angles (EulumdatRecord.h), the first
// lamp set (lumens per lamp, or -1 when absolute, multiplier 1, the set's
// watts) and candela = cd/klm x the set's flux / 1000 x the conversion factor.
[[nodiscard]] FormatConversion BuildIesFromEulumdat(const EulumdatFile& file);

// Item 12 of a written EULUMDAT file: it carries the change marker, so the
// file reads back as this program's conversion (FillEulumdatTexts).
[[nodiscard]] std::string EulumdatConvertedNote();
