#pragma once

class FileBrowser;
class OptionsPanel;

// Connects the options panel's browser controls (captions, sorting, the up
// entry, double click, the tree and list looks, the hover time, "Refresh")
// to the browser, and applies their present states once, so the browser
// follows them whether the user or the settings file set them.
void BindBrowserOptions(OptionsPanel& panel, FileBrowser& browser);
