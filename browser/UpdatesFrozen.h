#pragma once

#include <QScopeGuard>
#include <QWidget>

// Suspends a widget's painting until the returned guard goes, then puts the
// widget's own setting back. A child whose parent is frozen already reports
// painting off without having been turned off itself; restoring that report
// would keep it off for good, so only its own setting is kept.
[[nodiscard]] inline auto UpdatesFrozen(QWidget& widget)
{
    const bool offItself = widget.testAttribute(Qt::WA_ForceUpdatesDisabled);
    widget.setUpdatesEnabled(false);
    return qScopeGuard([&widget, offItself] { widget.setUpdatesEnabled(!offItself); });
}
