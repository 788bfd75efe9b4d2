#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "IesRecord.h"

// Writing a record again as a new IES file: a type B file as type C (its
// principal planes only), or a file whose planes start at 90 degrees
// rotated to start at 0. Faults come back as values; nothing here shows
// anything or throws on bad input.

enum class ConversionKind {
    None,      // neither type B nor starting at exactly 90 degrees
    TypeC,     // type B converted to type C, written with "_C"
    Rotation,  // planes from 90 moved to start at 0, written with "_R"
};

// Type B converts; anything else whose first horizontal angle is exactly 90 rotates.
[[nodiscard]] ConversionKind ChooseConversion(const tIES& ies);

enum class ConversionFault {
    None,
    NotConvertible,  // ChooseConversion gave None
    Unexpected,      // no vertical angle 0 where the variant needs one, or a malformed record
    GridsDiffer,     // type B whose two angle grids cannot make one consistent type C grid
    WriteFailed,     // the system's text is in the message
    TargetTaken,     // a file that no conversion wrote has the new file's name
};

// The file as a list of lines, each written followed by CR LF; an entry may
// itself hold CR LF (the keyword block, wrapped number lines).
struct ConversionText {
    ConversionKind kind = ConversionKind::None;
    ConversionFault fault = ConversionFault::None;
    std::string message;  // empty unless fault
    std::vector<std::string> lines;
};

// Builds the new file from a record and its entry's texts (the keyword
// values give the keyword lines). Lines is empty on a fault.
[[nodiscard]] ConversionText BuildConversion(const tIES& ies, const EntryTexts& texts);

struct ConversionResult {
    ConversionKind kind = ConversionKind::None;
    ConversionFault fault = ConversionFault::None;
    std::string message;  // what went wrong, empty when written
    std::string oldName;  // the source's file name
    std::string newName;  // oldName with "_C" or "_R" before the extension (".ies" for a EULUMDAT source)
    std::string newPath;  // folder + newName; set even when writing failed
    [[nodiscard]] bool Written() const { return fault == ConversionFault::None; }
};

// Builds the file for the entry named by `texts.fileName` and writes it as
// `folder` + its converted name, replacing any file of that name. Nothing is
// written on a fault; a failed write leaves an existing file as it was.
[[nodiscard]] ConversionResult SaveConversion(const tIES& ies, const EntryTexts& texts, const std::string& folder);

// "lamp.ies" -> "lamp_C.ies": the suffix goes before the text from the last
// "." (so "a.ies.ies" -> "a.ies_C.ies"); a name without "." just gets it appended.
[[nodiscard]] std::string ConvertedName(std::string_view name, ConversionKind kind);

// The file's bytes: every line followed by CR LF. Frees each line as it goes,
// so a large file is not held twice.
[[nodiscard]] std::string JoinLines(std::vector<std::string>&& lines);

// Index of the first vertical angle exactly 0, or -1 when there is none.
[[nodiscard]] int ZeroVertIndex(const tIES& ies);

// The shortest general form with at most 15 significant digits: "." always,
// no digit groups, no locale; exponent form ("1.5E-7", "1E20") below 1e-5
// and from 16 integer digits on.
[[nodiscard]] std::string FormatIesNumber(double value);

// Cuts a line of numbers (each followed by one space) after the last space
// within 60 characters, joining the pieces by CR LF; "," becomes ".". A run
// of more than 60 characters without a space is cut at 60.
[[nodiscard]] std::string WrapLine(std::string_view line);
