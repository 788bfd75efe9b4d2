#pragma once

#include <optional>
#include <string_view>

// The presets the option radio buttons show for the tree and the list.
enum class StylePreset { Classic, Modern, Custom };

struct TreeStyleFlags {
    bool lines = true;
    bool autoExpand = false;
    bool hotTrack = false;
};

struct ListStyleFlags {
    bool handPoint = false;
    bool underlineHot = false;
    bool underlineCold = false;
    bool hotTrack = false;
};

// Which preset radio button matches the tree's check boxes: lines alone is
// the classic one, hot track with auto-expand the modern one.
[[nodiscard]] StylePreset TreeStyleIndicator(const TreeStyleFlags& flags);
[[nodiscard]] StylePreset ListStyleIndicator(const ListStyleFlags& flags);

// The check boxes a preset sets (Custom gives nothing).
[[nodiscard]] std::optional<TreeStyleFlags> TreePreset(StylePreset preset);
[[nodiscard]] std::optional<ListStyleFlags> ListPreset(StylePreset preset);

// The hover time typed into the field: a decimal number rounded to two
// decimals, then to the nearest integer with halves to the even neighbour.
// Nothing when the text is not a number (the list keeps its time).
[[nodiscard]] std::optional<int> ParseHoverTime(std::string_view text);

// Whether the hover-time field takes a typed character, given its text.
[[nodiscard]] bool HoverTimeAccepts(char typed, std::string_view text);
