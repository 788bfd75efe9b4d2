#pragma once

#include <string>
#include <string_view>

#include "Conversion.h"
#include "PhotometricFormat.h"

// Saving a photometric file in the other format: an IES file as EULUMDAT, a
// EULUMDAT file as IES. The command line and the window both call
// SaveInFormat, so they write the same bytes and refuse the same way.

struct FormatSaveResult {
    ConversionFault fault = ConversionFault::None;
    std::string message;  // what went wrong, empty when written
    std::string oldName;  // the source's file name
    std::string newName;  // FormatConvertedName of it
    std::string newPath;  // the target folder + newName; set once it is known
    [[nodiscard]] bool Written() const { return fault == ConversionFault::None; }
};

// The name of the file converted into `target`: the last extension replaced
// by the target's, keeping an all-capital name's case ("lamp.ies" ->
// "lamp.ldt", "LAMP.IES" -> "LAMP.LDT"); a name without one gets it appended.
// The format is in the extension, so the base name stays the source's: a
// manufacturer's pair of files is named that way too.
[[nodiscard]] std::string FormatConvertedName(std::string_view name, PhotometricFormat target);

// Reads `folder` + `fileName` with the reader its name picks and writes it
// as `target` into `outFolder` (each ending in "/" or not) under
// FormatConvertedName. IES to EULUMDAT: type C only; the light output ratio
// and downward flux fraction are the record's band fluxes (BandFlux) over
// the lamps' flux, an absolute file gets lamp count -1 and its integrated
// flux. EULUMDAT to IES: LM-63-2002 with the first lamp set.
// Refused, with nothing written: a source already in `target`'s format, a
// source that cannot be read, a target that is the source itself, or one
// that exists and is not this program's conversion (its change marker).
// The file is written whole or not at all (WriteFileAtomically).
[[nodiscard]] FormatSaveResult SaveInFormat(const std::string& folder, const std::string& fileName,
                                            PhotometricFormat target, const std::string& outFolder);
