#pragma once

#include <QFrame>

#include "browser/CatalogFeedback.h"

class QLabel;
class QProgressBar;

// The panel centred over the file list while files are read, sorted or
// cleared. It repaints itself, since the work does not yield to the event
// loop, and shows the wait cursor on request.
class ProgressPanel : public QFrame, public CatalogFeedback {
    Q_OBJECT
public:
    explicit ProgressPanel(QWidget* list);

    void ShowProgress(ProgressKind kind, int maximum) override;
    void SetProgress(int value) override;
    [[nodiscard]] int Progress() const override { return progress_; }
    void HideProgress() override;
    void BeginWait() override;
    void EndWait() override;

    [[nodiscard]] QString LabelText() const;
    [[nodiscard]] QString CaptionText() const;
    [[nodiscard]] bool GaugeShown() const;

    static constexpr int kWidth = 209;
    static constexpr int kHeight = 52;

private:
    QLabel* label_;
    QLabel* caption_;
    QProgressBar* gauge_;
    int progress_ = 0;
    int shownPercent_ = -1;
};
