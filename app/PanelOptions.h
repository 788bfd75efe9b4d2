#pragma once

// Option sets the options panel hands out, as plain values. The browser's
// sets (BrowserOptions, TreeViewOptions, ListViewOptions) live with the browser.

// The diagram switches of the "View IES" and "Other" boxes.
struct DiagramChoices {
    bool showComplete = false;    // "Show complete"
    bool absoluteValues = false;  // "Absolute values"
    bool showWarning = false;     // "Show warning icon"
    bool textLabels = false;      // "Show text labels"
    bool qualityRepaint = false;  // "Quality repaint"
};

// The magnifying lens and the read-out window ("Fish eye&Fly Window").
struct LensOptions {
    bool on = true;
    bool plus = false;
    int radius = 32;       // TrackBarR
    int refraction = 80;   // TrackBarK
    int opacity = 128;     // TrackBarAlpha, 0..255
};

// How favourite folders keep their own view settings ("Favorites").
struct FavouriteOptions {
    bool rememberSettings = false;
    bool views = false;
    bool captions = false;
};

