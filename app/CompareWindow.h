#pragma once

#include <QSize>
#include <QWidget>

#include "diagram/DiagramOptions.h"
#include "photometry/IesRecord.h"

// The compare window: one diagram kept large and square beside the main
// window while other files are selected. It draws a frozen deep copy of the
// record and plane that were shown when it was opened; only the diagram
// options follow the main window.
class TBigGonioWin : public QWidget {
    Q_OBJECT
public:
    // The client size the window is first shown at, before it is squared.
    static constexpr QSize kFirstSize{329, 326};

    explicit TBigGonioWin(QWidget* parent = nullptr);

    // Takes a deep copy of `record` and `plane` and shows the window (centred
    // on the screen the first time); a visible window just takes the new copy.
    // A non-empty `caption` becomes the window's caption.
    void ShowCopy(const tIES& record, int plane, const QString& caption);
    // The main diagram's options; a visible window repaints with them.
    void setOptions(const DiagramOptions& options);

    [[nodiscard]] const tIES& CompareIes() const { return CompareIes_; }
    [[nodiscard]] int ComparePlane() const { return ComparePlane_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    tIES CompareIes_;
    int ComparePlane_ = 0;
    DiagramOptions options_;
    bool placed_ = false;
    int requestedSide_ = -1;  // the last squaring asked of the window manager
};
