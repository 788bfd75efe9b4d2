#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>

#include "diagram/FishEye.h"
#include "diagram/FlyWindow.h"

class QPainter;

// The lens and the fly window that follow the pointer over the diagram box.
// It keeps where they were drawn last, so a move repaints only the old and
// the new places, and draws both over the box's snapshot; the diagram itself
// is never drawn again for a move.
class Magnifier {
public:
    // R, K, "+/-" and "On"; the lens geometry is worked out again only when
    // R, K or "+/-" change.
    void setSettings(const LensSettings& settings);
    [[nodiscard]] const LensSettings& settings() const { return settings_; }
    void setWindowStyle(const FlyWindowStyle& style) { style_ = style; }
    [[nodiscard]] const FlyWindowStyle& windowStyle() const { return style_; }
    // The window's size, from FlyWindowSize of the application's font.
    void setWindowSize(QSize size) { windowSize_ = size; }

    // The pointer is at `pointer` over a box of `box` size: the lens and the
    // window go there. Returns the region to repaint, old and new places.
    [[nodiscard]] QRegion moveTo(QPoint pointer, QSize box);
    // The same at the last position, after a change of the settings or style.
    [[nodiscard]] QRegion refresh() { return moveTo(last_, box_); }
    // The diagram was drawn again over them: nothing is shown until the next
    // move. Returns where they were.
    [[nodiscard]] QRegion clear();

    [[nodiscard]] bool shown() const { return shown_; }
    // The last pointer position; (-100, -100) before the first move.
    [[nodiscard]] QPoint lastPointer() const { return last_; }
    [[nodiscard]] QRect lensRect() const { return lens_; }
    [[nodiscard]] QRect windowRect() const { return window_; }

    // Draws the lens and the window onto `painter`, over `snapshot` already
    // painted at (0, 0). The read-out maps the pointer with the snapshot's
    // scale maximum and margin.
    void paint(QPainter& painter, const QImage& snapshot, double scaleMax, int margin) const;

private:
    LensSettings settings_;
    LensMap map_{settings_};
    FlyWindowStyle style_;
    QSize windowSize_{100, 48};
    QSize box_;
    QPoint last_{-100, -100};
    QRect lens_;
    QRect window_;
    bool shown_ = false;
};
