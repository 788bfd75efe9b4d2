#include "app/SlideSteps.h"

#include <algorithm>
#include <cmath>

namespace SlideSteps {

std::vector<int> SlideOutWidths(int from)
{
    std::vector<int> widths;
    int width = from;
    for (int step = 8; width - step > 0; step *= 2) {
        width -= step;
        widths.push_back(width);
    }
    widths.push_back(0);
    return widths;
}

std::vector<int> SlideInWidths(int from, int to)
{
    std::vector<int> widths;
    int width = from;
    for (int step = 90; width + step < to - 1; step = std::max(step / 2, 1)) {
        width += step;
        widths.push_back(width);
    }
    widths.push_back(to);
    return widths;
}

int ClampContentTop(int wanted, int panelHeight, int contentHeight)
{
    if (wanted >= 0)
        return 0;
    return std::max(wanted, panelHeight - contentHeight);
}

int FitContentTop(int top, int panelHeight, int contentHeight)
{
    if (top + contentHeight < panelHeight) {
        if (top < 0)
            top = panelHeight - contentHeight;
        if (top > 0)
            top = 0;
    }
    return top;
}

int SnapInfoHeight(int proposed)
{
    // Whole lines, halves to the even neighbour.
    const int lines = static_cast<int>(std::nearbyint(static_cast<double>(proposed) / 13.0));
    return std::max(std::min(lines * 13 + 2, 98), 17);
}

}  // namespace SlideSteps

namespace SlideSteps {

bool EdgeGestureShows(int x, int listClientWidth, Qt::KeyboardModifiers keys, Qt::MouseButtons buttons)
{
    if (x <= listClientWidth - 20)
        return false;
    keys &= Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    return (keys == Qt::ControlModifier && buttons == Qt::NoButton)
           || (keys == Qt::NoModifier && buttons == Qt::RightButton);
}

}  // namespace SlideSteps
