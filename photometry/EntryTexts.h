#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The texts of one listed file that every view shows: its name and the six
// descriptive values of its header (bytes as the file system and the file
// hold them; empty when the file has none). Captions, the information
// panel, the printed page and the command line all read these fields.
struct EntryTexts {
    std::string fileName{};  // without folder
    std::string test{};
    std::string manufacturer{};
    std::string luminaire{};
    std::string luminaireCatalog{};
    std::string lamp{};
    std::string lampCatalog{};

    friend bool operator==(const EntryTexts&, const EntryTexts&) = default;
};

// What a file entry is captioned by, in the order of the caption chooser;
// the number is what ies.ini and a favourite's settings byte store.
enum class CaptionChoice { FileName = 0, Test, Manufacturer, Luminaire, LuminaireCatalog, Lamp, LampCatalog };
inline constexpr int kCaptionChoiceCount = 7;

// One caption choice: the field it shows, its label in the chooser and the
// "Arrange by" menu, and its name on the command line.
struct CaptionKind {
    CaptionChoice choice;
    std::string EntryTexts::*field;
    std::string_view label;
    std::string_view name;
};

// Every caption choice, in chooser order.
[[nodiscard]] const std::array<CaptionKind, kCaptionChoiceCount>& CaptionKinds();
[[nodiscard]] const CaptionKind& KindOf(CaptionChoice choice);

// The choice stored as `number`; nothing for a number no choice has.
[[nodiscard]] std::optional<CaptionChoice> CaptionChoiceAt(int number);
[[nodiscard]] inline int CaptionNumber(CaptionChoice choice) { return static_cast<int>(choice); }

// Whether captions of this choice need the files' headers read.
[[nodiscard]] inline bool NeedsKeywords(CaptionChoice choice) { return choice != CaptionChoice::FileName; }

// The caption an entry with these texts gets: the chosen field, or the file
// name when that field is empty.
[[nodiscard]] const std::string& CaptionText(const EntryTexts& texts, CaptionChoice choice);
