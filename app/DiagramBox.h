#pragma once

#include <QWidget>

#include "app/PanelOptions.h"
#include "diagram/DiagramOptions.h"
#include "diagram/DrawDiagram.h"
#include "diagram/Magnifier.h"

struct tIES;

// The square diagram box (`PaintBox`). It draws the background grid and, when
// a file is shown, its goniogram through the diagram pipeline, and turns mouse
// presses into the diagram tool bar's toggles; the exact buttons and keys decide.
//
// A new file, a resize and the Fit and Orthogonal toggles repaint off screen
// through RepaintDiagram, which also renews the snapshot the magnifier and the
// hover read-out use. Slider moves and the other options redraw straight onto
// the box unless "Quality repaint" is on; the snapshot is then brought up to
// date when the slider is let go.
//
// While a file is shown, the lens and the fly window follow the pointer over
// the box. Both are drawn over the snapshot in the paint, and a move repaints
// only the old and the new places, never the diagram itself. They stay where
// the pointer last was, also when it leaves the box, so a change of R, K or
// opacity shows at once; drawing the diagram again takes them away.
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
    // "Quality repaint": every redraw goes through the off-screen repaint.
    void setQualityRepaint(bool on);
    [[nodiscard]] bool qualityRepaint() const { return quality_; }

    // Repaints off screen at the next paint; dropped while a repaint runs.
    void repaintDiagram();
    // The degree slider was let go: catch up with the snapshot after direct redraws.
    void sliderSettled();

    // The last off-screen picture of the box with the scale and margin it was
    // drawn at; for the magnifier and the hover read-out.
    [[nodiscard]] const DiagramSnapshot& snapshot() const { return snapshot_; }

    // The "Fish eye&Fly Window" group's settings. Turning the lens on or off
    // redraws the diagram; the others redraw the lens and window where they are.
    void setLensOptions(const LensSettings& options);
    [[nodiscard]] const LensSettings& lensOptions() const { return lens_; }
    // Where the lens and the window are, for whoever checks them.
    [[nodiscard]] const Magnifier& magnifier() const { return magnifier_; }

signals:
    void toggleFitRequested();
    void toggleOrthoRequested();
    // Ctrl + left and Ctrl + right, for the magnifier.
    void magnifierOnToggleRequested();
    void magnifierPlusToggleRequested();
    // Alt (or Shift) + right and + left drags: R's and K's new positions.
    void lensRadiusDragged(int radius);
    void lensRefractionDragged(int refraction);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // How the next paint draws; a later, stronger request wins.
    enum class Pending { None, Direct, OffScreen };

    void redrawDiagram();
    [[nodiscard]] DiagramRequest request() const;
    // The lens and the window to the pointer.
    void HoverUpdate(QPoint pointer);
    void applyWindowStyle();

    const tIES* record_ = nullptr;
    DiagramOptions options_;
    int planeIndex_ = 0;
    bool quality_ = false;
    Pending pending_ = Pending::OffScreen;
    bool repainting_ = false;       // a repaint runs; another one asked for is dropped
    bool snapshotCurrent_ = false;  // the snapshot shows what the box shows
    DiagramSnapshot snapshot_;
    LensSettings lens_;
    Magnifier magnifier_;
    int lensDragBase_ = 0;  // the Alt-drags' base: pointer y + the slider's value at the press
};
