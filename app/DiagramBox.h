#pragma once

#include <QWidget>

// The square diagram box (`PaintBox`). It paints the goniogram of the shown
// file through the diagram pipeline and turns mouse presses into the diagram
// tool bar's toggles; the exact buttons and keys decide.
class DiagramBox : public QWidget {
    Q_OBJECT
public:
    explicit DiagramBox(QWidget* parent = nullptr);

signals:
    void toggleFitRequested();
    void toggleOrthoRequested();
    // Ctrl + left and Ctrl + right, for the magnifier.
    void magnifierOnToggleRequested();
    void magnifierPlusToggleRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
