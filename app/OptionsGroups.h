#pragma once

class QWidget;
class TGroupBoxEx;

// Builders of the seven option group boxes with their child controls in their
// designed states. Children are created in control order, which is the order
// their settings are read, written and applied in. Every control's objectName
// is its configuration key.
namespace OptionsGroups {

TGroupBoxEx* BuildOptions(QWidget* parent);
TGroupBoxEx* BuildView(QWidget* parent);
TGroupBoxEx* BuildTree(QWidget* parent);
TGroupBoxEx* BuildList(QWidget* parent);
TGroupBoxEx* BuildEye(QWidget* parent);
TGroupBoxEx* BuildFavorites(QWidget* parent);
TGroupBoxEx* BuildOther(QWidget* parent);

}  // namespace OptionsGroups
