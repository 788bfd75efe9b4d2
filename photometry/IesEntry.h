#pragma once

#include <optional>
#include <string_view>

#include "EntryLoader.h"

// The LM-63 reader of an entry, as the entry loader calls it for
// PhotometricFormat::Ies: the record from the numbers, the texts from the
// header keywords, the change marker from "[CHANGED]".

// Fills the entry from the whole file's bytes. A captioned entry's header
// fault was reported by its caption read and is not reported again. A
// refused file leaves the entry as it was.
LoadResult ReadIesEntry(TiesData& entry, std::string_view bytes);

// Fills the texts and the change marker from a front of the file and checks
// the header values as the full read would: nothing when the header may run
// past `front` (`wholeFile` false).
std::optional<LoadResult> ReadIesEntryFront(TiesData& entry, std::string_view front, bool wholeFile);
