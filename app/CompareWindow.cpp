#include "app/CompareWindow.h"

#include <QGuiApplication>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>

#include <algorithm>

#include "diagram/DrawDiagram.h"
#include "diagram/QPainterCanvas.h"

TBigGonioWin::TBigGonioWin(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      options_(DefaultDiagramOptions())
{
    setObjectName(QStringLiteral("BigGonioWin"));
    setWindowTitle(QStringLiteral("BigGonioWin"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kFirstSize);
}

void TBigGonioWin::ShowCopy(const tIES& record, int plane, const QString& caption)
{
    ClearIes(CompareIes_);
    CopyIes(record, CompareIes_);
    ComparePlane_ = plane;
    if (!caption.isEmpty())
        setWindowTitle(caption);
    if (!placed_) {
        placed_ = true;
        resize(kFirstSize);
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            move(area.center() - QPoint(width() / 2, height() / 2));
        }
    }
    show();
    update();
}

void TBigGonioWin::setOptions(const DiagramOptions& options)
{
    options_ = options;
    if (isVisible())
        update();
}

void TBigGonioWin::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    // Beside the square that a maximised window cannot keep, the form's colour.
    painter.fillRect(rect(), options_.Colors.ButtonFace);
    QPainterCanvas canvas(painter, true);
    DiagramRequest request;
    request.size = QSize(height(), height());
    request.record = &CompareIes_;
    request.planeIndex = ComparePlane_;
    request.options = options_;
    DrawDiagram(canvas, request);
}

void TBigGonioWin::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const QSize size = event->size();
    if (size.width() == size.height() || (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        requestedSide_ = -1;
        return;
    }
    const int side = std::max(size.width(), size.height());
    // A window manager that refuses the square would otherwise be asked forever.
    if (side == requestedSide_)
        return;
    requestedSide_ = side;
    resize(side, side);
}
