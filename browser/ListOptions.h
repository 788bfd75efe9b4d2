#pragma once

#include <optional>
#include <string_view>

// The look the tree and list options give the two views.
struct TreeStyleFlags {
    bool lines = true;
    bool autoExpand = false;
    bool hotTrack = false;
};

// The views of the file list, in the order of the radio buttons "List",
// "Icons" and "Thumbnails".
enum class FileListViewKind { List = 0, Icons = 1, Thumbnails = 2 };

struct ListStyleFlags {
    bool handPoint = false;
    bool underlineHot = false;
    bool underlineCold = false;
    bool hotTrack = false;
};

// The hover time typed into the field: a decimal number rounded to two
// decimals, then to the nearest integer with halves to the even neighbour.
// Nothing when the text is not a number (the list keeps its time).
[[nodiscard]] std::optional<int> ParseHoverTime(std::string_view text);

// Whether the hover-time field takes a typed character, given its text.
[[nodiscard]] bool HoverTimeAccepts(char typed, std::string_view text);
