#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "photometry/EntryTexts.h"
#include "photometry/PhotometricSummary.h"

// The columns of the file list's details view, in their designed order.
enum class DetailColumn {
    Caption,
    Manufacturer,
    Luminaire,
    Lamp,
    Flux,
    Watts,
    Efficacy,
    BeamC0,
    BeamC90,
    FieldC0,
    FieldC90,
    Imax,
    Lor,
    CieCode,
};
inline constexpr int kDetailColumnCount = 14;

struct DetailColumnInfo {
    DetailColumn column;
    std::string_view key;     // its name in ies.ini
    std::string_view header;  // its header text
    bool numeric;             // sorted by value, right-aligned
    int width;                // designed width in pixels
};

[[nodiscard]] const std::array<DetailColumnInfo, kDetailColumnCount>& DetailColumns();
[[nodiscard]] const DetailColumnInfo& InfoOf(DetailColumn column);

// The value a numeric column sorts by, in the unit it shows; empty when the
// summary lacks it (or the column holds text).
[[nodiscard]] std::optional<double> DetailValue(DetailColumn column, const PhotometricSummary& summary);

// The text a cell shows: the caption, a keyword text, or the value rounded
// as the column shows it. Empty when absent.
[[nodiscard]] std::string DetailText(DetailColumn column, const std::string& caption, const EntryTexts& texts,
                                     const PhotometricSummary* summary);

// Orders two entries by `column`: numbers by value, texts as captions sort.
// An empty cell sorts after every filled one whichever the direction, which
// `descending` reverses for the filled cells only. Negative, zero or positive.
[[nodiscard]] int CompareDetails(DetailColumn column, bool descending, const std::string& captionA,
                                 const EntryTexts& textsA, const PhotometricSummary* a, const std::string& captionB,
                                 const EntryTexts& textsB, const PhotometricSummary* b);

// How the details view's columns stand: visual order, widths, which are
// hidden, and the sort. Kept in ies.ini.
struct DetailsLayout {
    std::vector<DetailColumn> order;  // every column once, in visual order
    std::array<int, kDetailColumnCount> widths{};
    std::array<bool, kDetailColumnCount> hidden{};
    std::optional<DetailColumn> sortColumn;
    bool descending = false;
    friend bool operator==(const DetailsLayout&, const DetailsLayout&) = default;
};

// Every column visible in its designed order and width, unsorted.
[[nodiscard]] DetailsLayout DefaultDetailsLayout();

// The layout as ies.ini keys: Columns (keys in visual order), Widths (in the
// same order), Hidden (keys), Sort (a key or empty), Descending (0 or 1).
struct DetailsLayoutText {
    std::string columns;
    std::string widths;
    std::string hidden;
    std::string sort;
    std::string descending;
};
[[nodiscard]] DetailsLayoutText DetailsLayoutToText(const DetailsLayout& layout);
// Reads what it can: unknown keys and bad widths are skipped, columns the
// text does not list follow in designed order, widths stay within 16..2000.
[[nodiscard]] DetailsLayout DetailsLayoutFromText(const DetailsLayoutText& text);
