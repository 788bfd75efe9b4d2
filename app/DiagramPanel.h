#pragma once

#include <QRect>
#include <QWidget>

class DiagramBox;
class QLabel;
class QSlider;
class QToolButton;
class ShownFile;

// The diagram panel (`PanelImage`): the tool bar (`PanelDegree`) with the Fit,
// Ortho, Render and Print buttons and the degree slider, and below it the
// square diagram box.
class DiagramPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kToolBarHeight = 32;
    static constexpr int kMinWidth = 180;
    static constexpr int kMinHeight = 150;
    static constexpr int kSliderMaxWidth = 193;
    // The slider's right margin; at the panel's minimum width it still has 74 px.
    static constexpr int kSliderRightMargin = 10;

    explicit DiagramPanel(QWidget* parent = nullptr);

    // The degree slider's hint.
    [[nodiscard]] static QString SliderHint();

    // The square for a panel's client size: side min(w - 4, h - bar - 4),
    // centred horizontally, vertically centred below the tool bar.
    [[nodiscard]] static QRect DiagramSquare(QSize client, int toolBarHeight);

    [[nodiscard]] DiagramBox* paintBox() const { return paintBox_; }
    [[nodiscard]] QSlider* degreeSlider() const { return degreeSlider_; }
    [[nodiscard]] QToolButton* fitButton() const { return fit_; }
    [[nodiscard]] QToolButton* orthoButton() const { return ortho_; }
    [[nodiscard]] QToolButton* renderButton() const { return render_; }
    [[nodiscard]] QToolButton* printButton() const { return print_; }

    // Follows `file` from now on: its plane goes with the degree slider, and
    // each shown file sets up the slider, the buttons and the diagram.
    void followShownFile(ShownFile& file);

    // Places the diagram square and fits the slider's width to the panel.
    void FormResize();

signals:
    // The right mouse button was released on the Fit button.
    void compareWindowRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShownFileChanged();

    ShownFile* shown_ = nullptr;
    QWidget* toolBar_ = nullptr;
    QToolButton* fit_ = nullptr;
    QToolButton* ortho_ = nullptr;
    QToolButton* render_ = nullptr;
    QToolButton* print_ = nullptr;
    QLabel* labelDegree_ = nullptr;
    QLabel* labelAxial_ = nullptr;
    QSlider* degreeSlider_ = nullptr;
    DiagramBox* paintBox_ = nullptr;
};
