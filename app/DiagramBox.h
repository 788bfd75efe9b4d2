#pragma once

#include <QWidget>

#include "diagram/DiagramOptions.h"

struct tIES;

// The square diagram box (`PaintBox`). It paints the background grid and, when
// a file is shown, its goniogram through the diagram pipeline, and turns mouse
// presses into the diagram tool bar's toggles; the exact buttons and keys decide.
class DiagramBox : public QWidget {
    Q_OBJECT
public:
    explicit DiagramBox(QWidget* parent = nullptr);

    // The shown record (owned by the caller), or none for the background only.
    void setRecord(const tIES* record);
    [[nodiscard]] const tIES* record() const { return record_; }
    void setOptions(const DiagramOptions& options);
    [[nodiscard]] const DiagramOptions& options() const { return options_; }
    void setPlaneIndex(int index);

signals:
    void toggleFitRequested();
    void toggleOrthoRequested();
    // Ctrl + left and Ctrl + right, for the magnifier.
    void magnifierOnToggleRequested();
    void magnifierPlusToggleRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const tIES* record_ = nullptr;
    DiagramOptions options_;
    int planeIndex_ = 0;
};
