#pragma once

#include <QScopeGuard>
#include <QWidget>

// Suspends a widget's painting until the returned guard goes, then puts the
// widget's previous state back.
[[nodiscard]] inline auto UpdatesFrozen(QWidget& widget)
{
    const bool was = widget.updatesEnabled();
    widget.setUpdatesEnabled(false);
    return qScopeGuard([&widget, was] { widget.setUpdatesEnabled(was); });
}
