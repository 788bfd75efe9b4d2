#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "photometry/PhotometricSummary.h"

// The filter language of the file list and of `kandora-cli list --where`:
// terms separated by blanks, all of which must hold (AND).
// - A word (or a "quoted phrase") matches when some text of the entry
//   contains it, ignoring letter case.
// - A comparison `name op number` with name one of flux, watts, lm/w, beam,
//   field, imax, lor and op one of < <= > >= =, in the units the details
//   view shows (lm, W, lm/W, degrees, cd, LOR in per cent). Blanks around
//   the operator and the column's unit after the number are allowed; "," may
//   stand for the decimal point, but not before exactly three digits, which
//   could as well be a thousands separator. `=` holds within half a unit of the last
//   digit typed (beam=30 is 29.5 up to 30.5). beam and field hold when either
//   plane pair meets them. An entry without the value does not match.
// A term that cannot be read is reported with its place and left out, so the
// rest still filters while the user types.

enum class FilterField { Flux, Watts, Efficacy, Beam, Field, Imax, Lor };
enum class FilterOp { Less, LessEqual, Greater, GreaterEqual, Equal };

struct FilterTerm {
    enum class Kind { Word, Comparison };
    Kind kind = Kind::Word;
    std::string word;  // Word: folded to lower case
    FilterField field = FilterField::Flux;
    FilterOp op = FilterOp::Equal;
    double value = 0;
    double halfStep = 0.5;  // Equal: half a unit of the last digit typed
};

// A term that could not be read: its place in the text, in bytes.
struct FilterFault {
    std::size_t begin = 0;
    std::size_t length = 0;
};

struct LibraryFilter {
    std::vector<FilterTerm> terms;
    std::vector<FilterFault> faults;
    // Nothing to filter by: every entry matches.
    [[nodiscard]] bool IsEmpty() const { return terms.empty(); }
};

[[nodiscard]] LibraryFilter ParseFilter(std::string_view text);

// What the filter sees of one entry: its texts (file name, caption, keyword
// texts, as UTF-8) and its summary, when the file has been read.
struct FilterSubject {
    std::vector<std::string_view> texts;
    const PhotometricSummary* summary = nullptr;
};

[[nodiscard]] bool FilterMatches(const LibraryFilter& filter, const FilterSubject& subject);

// The value a comparison on `field` compares, in the shown unit, for each
// plane pair where the field has two (beam, field); empty when not known.
[[nodiscard]] std::vector<double> FilterValues(FilterField field, const PhotometricSummary& summary);

// `text` with ASCII and Latin-1 letters in lower case (UTF-8 in and out), for
// case-insensitive matching without a locale.
[[nodiscard]] std::string FoldCase(std::string_view text);
