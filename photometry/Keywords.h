#pragma once

#include <string>
#include <string_view>

#include "EntryTexts.h"

// The value of the first `key` in `headerText` (case-sensitive, anywhere in
// a line): the rest of that line, cut at `stop` when given, trimmed of
// blanks and control characters. Empty when the key is absent.
[[nodiscard]] std::string KeywordValue(std::string_view key, std::string_view headerText, std::string_view stop);

enum class KeywordForm { Labels, KeywordLines };

// The non-empty keyword values of an entry's texts as prefixed lines joined
// by CR LF, in the order test, manufacturer, luminaire catalog, luminaire,
// lamp catalog, lamp. Empty when none is set.
[[nodiscard]] std::string KeywordText(const EntryTexts& texts, KeywordForm form);

// Fills the six keyword fields of `texts` (the file name stays) from the
// header, with the older labelled forms as fallbacks, and tells whether the
// file carries this program's change marker.
bool FillKeywordTexts(std::string_view headerText, EntryTexts& texts);

// The text that [CHANGED] must contain for a file written by this program.
inline constexpr std::string_view kChangeMarker = "Orvanek";

// The date a header names: [ISSUEDATE] (LM-63-2002 on), else [DATE], else
// [TESTDATE], else the first edition's "LM-DATE :" label; empty when it
// names none.
[[nodiscard]] std::string DateKeyword(std::string_view headerText);

// The edition a file's first line names ("IESNA:LM-63-2002" gives
// "IES LM-63-2002", "IESNA91" gives "IES LM-63-1991"); a file without such a
// line is of the first edition, "IES LM-63-1986", when it has a TILT line,
// otherwise not IES at all (empty).
[[nodiscard]] std::string IesFormatName(std::string_view fileText, bool hasTilt);
