#pragma once

#include <vector>

class QPoint;

// Small pure rules of the main window's layout.
namespace SlideSteps {

inline constexpr int kPanelWidth = 144;

// Widths the options panel passes through while sliding out (ending at 0)
// and in (ending at `to`: kPanelWidth, or more when the captions need it).
[[nodiscard]] std::vector<int> SlideOutWidths(int from);
[[nodiscard]] std::vector<int> SlideInWidths(int from, int to = kPanelWidth);

// New content top for a drag to `wanted`: never below 0, never so high that
// the content's bottom leaves the panel's bottom.
[[nodiscard]] int ClampContentTop(int wanted, int panelHeight, int contentHeight);
// Content top after the panel or the content changed height.
[[nodiscard]] int FitContentTop(int top, int panelHeight, int contentHeight);

// The information panel's height snapped to whole 13-pixel text lines, 17 to 98.
[[nodiscard]] int SnapInfoHeight(int proposed);

}  // namespace SlideSteps

#include <Qt>

namespace SlideSteps {

// The edge gesture that slides the panel in: x (in the coordinates of the
// control under the mouse) past the list's client width - 20, with exactly Ctrl
// and no button, or exactly the right button and no key.
[[nodiscard]] bool EdgeGestureShows(int x, int listClientWidth, Qt::KeyboardModifiers keys, Qt::MouseButtons buttons);

}  // namespace SlideSteps
