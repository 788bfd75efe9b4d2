#pragma once

// Option sets the options panel hands out, as plain values. The browser's
// sets (BrowserOptions, TreeViewOptions, ListViewOptions, FavouriteOptions)
// live with the browser, the lens's (LensSettings) with the magnifier.

#include "browser/Favorites.h"
#include "diagram/FishEye.h"

// The diagram switches of the "View IES" and "Other" boxes.
struct DiagramChoices {
    bool showComplete = false;    // "Show complete"
    bool absoluteValues = false;  // "Absolute values"
    bool showWarning = false;     // "Show warning icon"
    bool textLabels = false;      // "Show text labels"
    bool qualityRepaint = false;  // "Quality repaint"
};
