#include "Magnifier.h"

#include <QPainter>

void Magnifier::setSettings(const LensSettings& settings)
{
    settings_ = settings;
    if (!map_.fits(settings_))
        map_ = LensMap(settings_);
}

QRegion Magnifier::moveTo(QPoint pointer, QSize box)
{
    QRegion dirty = clear();
    last_ = pointer;
    box_ = box;
    lens_ = LensRect(pointer, settings_);
    window_ = FlyWindowRect(box, pointer, lens_.isEmpty() ? 0 : settings_.radius, windowSize_);
    shown_ = true;
    dirty += lens_;
    dirty += window_;
    return dirty;
}

QRegion Magnifier::clear()
{
    QRegion was;
    if (shown_) {
        was += lens_;
        was += window_;
    }
    shown_ = false;
    lens_ = QRect();
    window_ = QRect();
    return was;
}

void Magnifier::paint(QPainter& painter, const QImage& snapshot, double scaleMax, int margin) const
{
    if (!shown_)
        return;
    if (!lens_.isEmpty()) {
        const QImage lens = DrawLens(snapshot, last_, map_);
        if (!lens.isNull())
            painter.drawImage(lens_.topLeft(), lens);
    }
    // The window goes last, so it lies over the lens where they meet.
    DrawFlyWindow(painter, window_, ReadOutAt(last_, box_.width(), scaleMax, margin), style_);
}
