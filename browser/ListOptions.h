#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "photometry/EntryTexts.h"

// The look the tree and list options give the two views.
struct TreeStyleFlags {
    bool lines = true;
    bool autoExpand = false;
    bool hotTrack = false;
};

// The views of the file list, in the order of the radio buttons "List",
// "Icons", "Thumbnails" and "Details".
enum class FileListViewKind { List = 0, Icons = 1, Thumbnails = 2, Details = 3 };

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

// What the options panel sets on the folder tree.
struct TreeViewOptions {
    bool largeIcons = false;
    bool showButtons = true;
    TreeStyleFlags style;
};

// What the options panel sets on the file list.
struct ListViewOptions {
    ListStyleFlags style;
    bool flatScrollBars = false;
    int hoverTime = -1;  // milliseconds; -1 the system's
    FileListViewKind view = FileListViewKind::List;
};

// What a double click on a file entry does (the ies.ini value is the number).
enum class DoubleClickChoice { None = -1, OpenDefault = 0, OpenWithTextEditor = 1 };

// The settings the browser works with; the options panel hands them over
// as a whole and the browser applies what changed.
struct BrowserOptions {
    CaptionChoice caption = CaptionChoice::FileName;
    bool sort = true;
    bool upEntry = false;
    std::string upEntryStyle = ".. only";
    bool keepCaption = false;
    bool titleBarPath = true;
    bool doubleClick = false;
    DoubleClickChoice doubleClickAction = DoubleClickChoice::OpenDefault;
};
