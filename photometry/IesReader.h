#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "IesRecord.h"

// The most candela values one record may hold. The counts are 16-bit, so a
// hostile file could ask for 65535 x 65535 doubles (34 GB); anything above
// this bound (128 MB of doubles) is refused before allocating.
#ifndef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
inline constexpr std::size_t kMaxCandelaValues = std::size_t{1} << 24;
#else
// Fuzzing explores the same paths far faster with a smaller bound.
inline constexpr std::size_t kMaxCandelaValues = std::size_t{1} << 16;
#endif

// The header lines of a file (through the TILT line) and where its numbers
// start. The views point into the text that was split.
struct HeaderSplit {
    std::string_view headerLines;  // the file's own header lines with their line ends; empty without TILT line
    std::size_t numericOffset = 0; // first byte after the TILT line's end
    int numericFirstLine = 1;      // line number (from 1) at numericOffset
    bool hasTilt = false;
    std::string_view tiltValue;    // text after the TILT line's first "="
};

// The header lines each followed by CR LF, whatever line ends the file used.
[[nodiscard]] std::string HeaderText(const HeaderSplit& split);

// The text a file's bytes stand for: everything before the first NUL byte.
[[nodiscard]] std::string_view FileText(std::string_view bytes);

// Finds the TILT line (name before the first "=" equal to "TILT", any case)
// in `text` and splits the header from the numbers. Lines end at CR LF, a
// lone CR or a lone LF; a zero byte ends the text.
[[nodiscard]] HeaderSplit SplitHeader(std::string_view text);

// Takes the next number off the front of `text`. Spaces, CR, LF and commas
// separate numbers; anything else belongs to the token. A token that is not
// a decimal number (or is out of the double range) sets `fault` and gives 0;
// `fault` is never cleared. At the end of the text the token is empty: a fault.
double NextNumber(std::string_view& text, bool& fault);

// What reading a file's numbers found.
struct ReadResult {
    enum class Status { Ok, HeaderFault, Refused };
    Status status = Status::Ok;
    int faultLine = 0;     // HeaderFault: line (from 1) of the first faulty header value
    std::string message;   // HeaderFault: "Line N"; Refused: why the file was not read

    [[nodiscard]] bool Read() const { return status != Status::Refused; }
};

// Fills `ies` from a file's text; a zero byte ends it, as FileText says. A header
// fault is reported and reading goes on; a refused file leaves `ies` cleared.
// Never throws on bad input; allocation is bounded by kMaxCandelaValues.
ReadResult ReadIes(std::string_view fileText, tIES& ies);

// The same, for a caller that already split the header off `fileText`.
ReadResult ReadIes(std::string_view fileText, const HeaderSplit& split, tIES& ies);

// Only the part of ReadIes that the header values make up: the tilt block and
// the 13 values, with the same header fault or refusal ReadIes would report.
// The record gets the counts, dimensions and multiplier and no arrays.
// `headerEnd` is the offset in `fileText` just past the last header token:
// when `fileText` is the start of a longer file and the split found its TILT
// line, bytes after the start change nothing if headerEnd is below its size.
ReadResult ReadIesHeader(std::string_view fileText, const HeaderSplit& split, tIES& ies, std::size_t& headerEnd);
