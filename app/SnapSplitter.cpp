#include "app/SnapSplitter.h"

#include <QMouseEvent>
#include <QSplitterHandle>

class SnapSplitterHandle : public QSplitterHandle {
public:
    SnapSplitterHandle(Qt::Orientation orientation, SnapSplitter* parent)
        : QSplitterHandle(orientation, parent), owner_(parent)
    {
    }

    void moveTo(int position) { moveSplitter(position); }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            grab_ = pick(event->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (!(event->buttons() & Qt::LeftButton))
            return;
        const QPoint inSplitter = owner_->mapFromGlobal(event->globalPosition().toPoint());
        owner_->dragHandleTo(pick(inSplitter) - grab_);
    }
    void mouseReleaseEvent(QMouseEvent* event) override { mouseMoveEvent(event); }

private:
    [[nodiscard]] int pick(QPoint p) const { return orientation() == Qt::Horizontal ? p.x() : p.y(); }

    SnapSplitter* owner_;
    int grab_ = 0;
};

SnapSplitter::SnapSplitter(Qt::Orientation orientation, QWidget* parent) : QSplitter(orientation, parent)
{
    setChildrenCollapsible(false);
    setOpaqueResize(true);
}

void SnapSplitter::setSizeFilter(int pane, SizeFilter filter)
{
    pane_ = pane;
    filter_ = std::move(filter);
}

void SnapSplitter::dragHandleTo(int position)
{
    auto* h = static_cast<SnapSplitterHandle*>(handle(1));
    if (!h)
        return;
    if (filter_) {
        const int extent = orientation() == Qt::Horizontal ? width() : height();
        const int proposed = pane_ == 0 ? position : extent - position - handleWidth();
        const std::optional<int> size = filter_(proposed);
        if (!size)
            return;
        position = pane_ == 0 ? *size : extent - *size - handleWidth();
    }
    h->moveTo(position);
}

QSplitterHandle* SnapSplitter::createHandle()
{
    return new SnapSplitterHandle(orientation(), this);
}
