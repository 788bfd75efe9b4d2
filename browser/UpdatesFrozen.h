#pragma once

#include <QScopeGuard>
#include <QWidget>

// Suspends a widget's painting until the returned guard goes, then puts the
// widget's previous state back. Only an explicit freeze is put back: a widget
// whose painting was off because its parent's was must follow its parent
// again, or a freeze nested in a frozen parent would outlive both.
[[nodiscard]] inline auto UpdatesFrozen(QWidget& widget)
{
    const bool wasForced = widget.testAttribute(Qt::WA_ForceUpdatesDisabled);
    widget.setUpdatesEnabled(false);
    return qScopeGuard([&widget, wasForced] { widget.setUpdatesEnabled(!wasForced); });
}
