#pragma once

#include <optional>
#include <string_view>

#include "EntryLoader.h"

// The EULUMDAT reader of an entry, as the entry loader calls it for
// PhotometricFormat::Eulumdat: the record mapped from the file, the texts
// from its items, the change marker from item 12, and what the file states
// of itself (EulumdatStated).

// Fills the entry from the whole file's bytes. A captioned entry's fault in
// the lines its caption read took was reported then and is not reported
// again; a fault further on is. A refused file leaves the entry as it was.
LoadResult ReadEulumdatEntry(TiesData& entry, std::string_view bytes);

// Fills the texts and the change marker from a front of the file, checking
// the lines through the lamp sets as the full read does: nothing when those
// lines may run past `front` (`wholeFile` false).
std::optional<LoadResult> ReadEulumdatEntryFront(TiesData& entry, std::string_view front, bool wholeFile);
