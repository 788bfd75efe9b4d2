#include "app/HintTracker.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

int ImmediateHintStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                  QStyleHintReturn* returnData) const
{
    if (hint == SH_ToolTip_WakeUpDelay || hint == SH_ToolTip_FallAsleepDelay)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

HintTracker::HintTracker(QObject* parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

void HintTracker::setHint(const QString& hint)
{
    if (hint == hint_)
        return;
    hint_ = hint;
    emit hintChanged(hint_);
}

bool HintTracker::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    switch (event->type()) {
    case QEvent::Enter:
        hovered_ = widget;
        setHint(widget->toolTip());
        break;
    case QEvent::Leave:
        if (hovered_ == widget) {
            QWidget* parent = widget->parentWidget();
            hovered_ = parent;
            setHint(parent ? parent->toolTip() : QString());
        }
        break;
    case QEvent::ToolTipChange:
        if (hovered_ == widget)
            setHint(widget->toolTip());
        break;
    case QEvent::ToolTip: {
        const QString tip = widget->toolTip();
        if (tip.startsWith(QLatin1Char('?')) || tip.startsWith(QLatin1Char('!')))
            return true;
        break;
    }
    default:
        break;
    }
    return false;
}
