#pragma once

#include <QList>

class QWidget;
class TGroupBoxEx;
struct OptionControls;

// Builders of the seven option group boxes with their child controls in their
// designed states. Children are created in control order, which is the order
// their settings are read, written and applied in. Every control's objectName
// is its configuration key; each builder fills in its controls in `c`.
namespace OptionsGroups {

TGroupBoxEx* BuildOptions(QWidget* parent, OptionControls& c);
TGroupBoxEx* BuildView(QWidget* parent, OptionControls& c);
TGroupBoxEx* BuildTree(QWidget* parent, OptionControls& c);
TGroupBoxEx* BuildList(QWidget* parent, OptionControls& c);
TGroupBoxEx* BuildEye(QWidget* parent, OptionControls& c);
TGroupBoxEx* BuildFavorites(QWidget* parent, OptionControls& c);
TGroupBoxEx* BuildOther(QWidget* parent, OptionControls& c);

// The boxes' common width: the designed 130, or what the widest caption or
// control needs at the running font, with the designed right margin.
[[nodiscard]] int FittedBoxWidth(const QList<TGroupBoxEx*>& boxes);

}  // namespace OptionsGroups
