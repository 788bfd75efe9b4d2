#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "EntryTexts.h"
#include "EulumdatStated.h"
#include "PhotometricFormat.h"

// The photometric record of one LM-63 file. Arrays are owned by value, so
// copying a record is always a deep copy.
using tArrEx = std::vector<double>;
using tArrEx2 = std::vector<tArrEx>;

struct tIES {
    double LampLumens = 0;
    double Multiplier = 0;
    double Width = 0;
    double Length = 0;
    double Height = 0;
    tArrEx2 Candela;  // HorzCount rows of VertCount values
    std::uint16_t VertCount = 0;
    std::uint16_t HorzCount = 0;
    std::uint16_t UnitsType = 0;
    std::uint16_t InputWatts = 0;
    std::uint16_t LampCount = 0;
    std::uint16_t PhotometricType = 0;
    tArrEx VertAngles;
    tArrEx HorzAngles;
    // The file's own values as read, unrounded. A record made in code has
    // neutral factors, so its candela stand as given.
    double BallastFactor = 1;
    double BallastLampFactor = 1;  // the "future use" value of early editions
    double InputWattsExact = 0;    // InputWatts is this rounded to 16 bits

    friend bool operator==(const tIES&, const tIES&) = default;
};

// Makes the record a fresh one: every number 0 but the two neutral
// factors, the arrays empty.
void ClearIes(tIES& ies);

// Replaces `dest` by a deep copy of `source`.
void CopyIes(const tIES& source, tIES& dest);

// Absolute photometry (lamp lumens -1, or 0) is not normalised: its values
// are candela once multiplied, and no per-kilolumen view of it exists.
[[nodiscard]] inline bool HasAbsolutePhotometry(const tIES& ies)
{
    return !(ies.LampLumens > 0);
}

// The catalog entry of one listed file, in one of three states:
// - unread: only Texts.fileName is set;
// - captioned: a caption read (LoadEntryTexts) took the keyword texts, the
//   change marker and the header check; KeywordsRead is true, Loaded false
//   and Ies empty;
// - loaded (LoadEntry): the texts and the record read, Loaded true.
// Format says which reader reads the file; it follows from the name.
// A loaded EULUMDAT entry also keeps what its file states of itself.
struct TiesData {
    EntryTexts Texts;
    PhotometricFormat Format = PhotometricFormat::Ies;
    bool KeywordsRead = false;  // captioned or loaded
    bool Loaded = false;        // the record is read
    bool Changed = false;
    tIES Ies;
    std::optional<EulumdatStated> Eulumdat;  // loaded EULUMDAT entries only
};

// Whether the entry's keyword texts are read: captioned or loaded.
[[nodiscard]] inline bool HasKeywordTexts(const TiesData& entry)
{
    return entry.KeywordsRead;
}

// An unread entry for `fileName` (a name without folder), of the format its
// name says; a name no reader claims is read as LM-63, the format a desktop's
// content match hands over under any name.
[[nodiscard]] TiesData UnreadEntry(std::string fileName);

// An unread entry for the file at `path`, or nothing when no file exists there.
[[nodiscard]] std::optional<TiesData> NewEntry(const std::string& path);

// Nearest integer with exact halves to the even neighbour, keeping the low
// 16 bits as two's complement would; non-finite values give 0.
[[nodiscard]] std::uint16_t RoundToU16(double value);

// Nearest integer with exact halves to the even neighbour, for pixel
// coordinates; saturates instead of overflowing.
[[nodiscard]] int RoundHalfEven(double value);
