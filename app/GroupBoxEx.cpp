#include "app/GroupBoxEx.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>

namespace {

// The owner hears Shift, Ctrl and the buttons; Alt is not reported.
QMouseEvent WithoutAlt(const QMouseEvent* event)
{
    return QMouseEvent(event->type(), event->position(), event->scenePosition(), event->globalPosition(),
                       event->button(), event->buttons(), event->modifiers() & ~Qt::AltModifier);
}

}  // namespace

TGroupBoxEx::TGroupBoxEx(const QString& caption, QWidget* parent) : QWidget(parent), caption_(caption)
{
    setMouseTracking(true);
}

void TGroupBoxEx::setCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

QString TGroupBoxEx::shownCaption() const
{
    QString shown;
    for (qsizetype i = 0; i < caption_.size(); ++i) {
        if (caption_[i] == QLatin1Char('&') && i + 1 < caption_.size())
            ++i;
        else if (caption_[i] == QLatin1Char('&'))
            continue;
        shown += caption_[i];
    }
    return shown;
}

int TGroupBoxEx::zeroHeight() const
{
    return fontMetrics().height();
}

int TGroupBoxEx::collapsedHeight() const
{
    return zeroHeight() + 2 * borderTB_ + 3;
}

void TGroupBoxEx::setCollapsed(bool collapsed)
{
    collapsed_ = collapsed;
    pressed_ = false;
    apply();
}

void TGroupBoxEx::setHeightExpanded(int height)
{
    heightExpanded_ = height;
    if (!collapsed_)
        setBoxHeight(height);
}

void TGroupBoxEx::setBorderLR(int border)
{
    borderLR_ = std::clamp(border, 0, kMaxBorder);
    update();
}

void TGroupBoxEx::setBorderTB(int border)
{
    borderTB_ = std::clamp(border, 0, kMaxBorder);
    if (collapsed_)
        setBoxHeight(collapsedHeight());
    update();
}

void TGroupBoxEx::setCtl3D(bool on)
{
    ctl3D_ = on;
    update();
}

void TGroupBoxEx::setBoxHeight(int height)
{
    applying_ = true;
    resize(width(), std::max(height, 0));
    applying_ = false;
}

// The shrinking steps of a collapse would be forced back at once by the resize
// rule, so the box goes straight to its end height.
void TGroupBoxEx::apply()
{
    setBoxHeight(collapsed_ ? collapsedHeight() : heightExpanded_);
    update();
    emit expanded(this);
}

void TGroupBoxEx::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (collapsed_) {
        if (height() != collapsedHeight() && !applying_)
            setBoxHeight(collapsedHeight());
    } else {
        heightExpanded_ = height();
    }
    update();
}

void TGroupBoxEx::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange && collapsed_)
        setBoxHeight(collapsedHeight());
}

int TGroupBoxEx::captionFitWidth() const
{
    const QFontMetrics fm = fontMetrics();
    const int text = std::max(fm.horizontalAdvance(QStringLiteral("+ ") + shownCaption()),
                              fm.horizontalAdvance(QStringLiteral("- ") + shownCaption()));
    // The text starts 8 inside the border; the button ends 10 before the far border; 3 to spare.
    return borderLR_ + 8 + text + 3 + 10 + borderLR_;
}

QRect TGroupBoxEx::captionButton() const
{
    const int h = zeroHeight();
    // Right and bottom are exclusive edges, as the frame drawing expects.
    return QRect(QPoint(borderLR_ + 6, borderTB_), QPoint(width() - borderLR_ - 9 - 1, borderTB_ + h + 1 - 1));
}

QRect TGroupBoxEx::buttonRect() const
{
    return captionButton().translated(1, 1);
}

bool TGroupBoxEx::overButton(QPointF pos) const
{
    const QRect hit = buttonRect();
    return pos.x() > hit.left() && pos.x() < hit.right() + 1 && pos.y() > hit.top() && pos.y() < hit.bottom() + 1;
}

void TGroupBoxEx::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    const QPalette& pal = palette();
    const QColor highlight = pal.color(QPalette::Light);
    const QColor shadow = pal.color(QPalette::Dark);
    const QColor face = pal.color(QPalette::Window);
    const int h = zeroHeight();

    // An outline with exclusive right and bottom edges.
    auto outline = [&p](QRect r, const QColor& colour) {
        p.setPen(colour);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    };
    const QRect frame(QPoint(borderLR_, h / 2 - 1 + borderTB_),
                      QPoint(width() - borderLR_ - 1, height() - h / 2 - borderTB_ - 1));
    if (ctl3D_) {
        outline(frame.adjusted(1, 1, 0, 0), highlight);
        outline(frame.adjusted(0, 0, -1, -1), shadow);
    } else {
        outline(frame, pal.color(QPalette::WindowText));
    }

    const QRect b = captionButton();
    p.fillRect(b, face);
    outline(b, collapsed_ ? highlight : shadow);
    outline(b.translated(2, 2), collapsed_ ? shadow : highlight);
    outline(b.translated(1, 1), face);

    if (caption_.isEmpty())
        return;
    const QString text = (collapsed_ ? QStringLiteral("+ ") : QStringLiteral("- ")) + shownCaption();
    const QFontMetrics fm = fontMetrics();
    const int textWidth = fm.horizontalAdvance(text);
    const int x = layoutDirection() == Qt::RightToLeft ? frame.right() + 1 - 8 - borderLR_ - textWidth : borderLR_ + 8;
    const QRect textRect(x, borderTB_ + 1, textWidth, h);
    p.setPen(pal.color(QPalette::WindowText));
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void TGroupBoxEx::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && overButton(event->position())) {
        pressed_ = true;
        update();
        return;
    }
    QMouseEvent reported = WithoutAlt(event);
    emit mousePressed(this, &reported);
}

void TGroupBoxEx::mouseMoveEvent(QMouseEvent* event)
{
    // Qt keeps the mouse grabbed while a button is held, so leaving is seen here.
    if (pressed_ && !rect().contains(event->position().toPoint())) {
        pressed_ = false;
        update();
    }
    if (overButton(event->position())) {
        if (!cursorSaved_ && testAttribute(Qt::WA_SetCursor) && cursor().shape() != Qt::ArrowCursor) {
            savedCursor_ = cursor();
            cursorSaved_ = true;
            setCursor(Qt::ArrowCursor);
        }
        return;
    }
    if (cursorSaved_) {
        setCursor(savedCursor_);
        cursorSaved_ = false;
    }
    QMouseEvent reported = WithoutAlt(event);
    emit mouseMoved(this, &reported);
}

void TGroupBoxEx::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && pressed_ && overButton(event->position())) {
        collapsed_ = !collapsed_;
        pressed_ = false;
        apply();
        return;
    }
    pressed_ = false;
    QMouseEvent reported = WithoutAlt(event);
    emit mouseReleased(this, &reported);
}

void TGroupBoxEx::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (pressed_) {
        pressed_ = false;
        update();
    }
}
