#pragma once

struct OptionControls;

// The reactions of the option controls to each other: the tree and list
// presets and the indicator that chooses them, exclusive radio buttons, and
// the boxes that enable others. Every reaction runs whether the user or the
// configuration changed the control.
namespace OptionRules {

// 1 "Show lines" + 2 "Autoexpand" + 4 "Hot Track".
[[nodiscard]] int TreeStyleValue(bool lines, bool autoExpand, bool hotTrack);
// 8 "Hand Point" + 16 "Underline Hot" + 32 "Underline Cold" + 64 "Hot Track".
[[nodiscard]] int ListStyleValue(bool handPoint, bool underlineHot, bool underlineCold, bool hotTrack);

// Connects the reactions among the controls.
void Connect(const OptionControls& c);
// Checks the preset radio buttons that match the check boxes (or "Custom").
void TreeStyleIndicator(const OptionControls& c);

}  // namespace OptionRules
