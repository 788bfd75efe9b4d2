#pragma once

#include <optional>

#include <QImage>
#include <QSlider>
#include <QString>
#include <QWidget>

#include "render/RenderSettings.h"

class QLabel;
class QPushButton;
class QToolButton;
class RenderSource;

// A render window slider: reports when the user lets go of it (a mouse button
// released, a key released, a wheel step), so the picture is rendered once
// after a change and never while the thumb is dragged or a key repeats.
class RenderTrackBar : public QSlider {
    Q_OBJECT
public:
    explicit RenderTrackBar(QWidget* parent);

signals:
    void settled();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

// The render window: the grey picture of the light the shown file throws, with
// its brightness and zoom sliders, the radiosity and automatic-update toggles.
// A fixed-size dialog above the other windows; it reads its settings when
// created and writes them when destroyed.
class TRenderWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 358;
    static constexpr int kClientHeight = 384;
    static constexpr int kDefaultBrightness = 40;
    static constexpr int kDefaultZoom = 500;

    // Created hidden; `parent` only keeps it with its main window on the desktop.
    TRenderWindow(RenderSettingsStore& store, const RenderSource& source, QWidget* parent = nullptr);
    ~TRenderWindow() override;

    // The conversion error that stopped reading the settings, for the caller to report.
    [[nodiscard]] const std::optional<QString>& settingsReadError() const { return readError_; }
    // The last rendered picture; null until the first render.
    [[nodiscard]] const QImage& image() const { return image_; }
    [[nodiscard]] RenderSettings settings() const;
    [[nodiscard]] bool autoUpdate() const;

    // The shown file or plane changed: re-renders while visible and on automatic update.
    void ShownFileChanged();
    // Writes the settings; runs once, at the latest when the window is destroyed.
    void FormDestroy();

    void DoRender();
    void ButtonUpdateClick();
    void SBUpdateClick();
    void SBradiosityClick();
    void ButtonResetBrightnessClick();
    void ButtonResetZoomClick();
    void ButtonResetClick();

signals:
    // A picture was rendered and shown.
    void rendered();
    // The user closed the window (its close button or the title bar's).
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void ReadRenderSettings();
    void TrackBarChange();
    void TrackBarSettled();
    [[nodiscard]] bool FileShown() const;

    RenderSettingsStore& store_;
    const RenderSource& source_;
    QImage image_;
    QLabel* image1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* labelZoom_ = nullptr;
    QLabel* labelNotRendered_ = nullptr;
    RenderTrackBar* trackBar2_ = nullptr;
    RenderTrackBar* trackBarZoom_ = nullptr;
    RenderTrackBar* trackBarZ_ = nullptr;
    QToolButton* sbUpdate_ = nullptr;
    QToolButton* sbRadiosity_ = nullptr;
    QString lastRendered_;
    std::optional<QString> readError_;
    bool sliderChanged_ = false;
    bool destroyed_ = false;
};
