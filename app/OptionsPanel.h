#pragma once

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QMouseEvent;
class TGroupBoxEx;

// The options panel along the right edge (`PanelMain`): a column of seven
// collapsible group boxes on a content panel (`PanelMainChild`) that is
// dragged up and down when it is higher than the panel, and that slides out
// to width 0 and back in to 144.
class OptionsPanel : public QWidget {
    Q_OBJECT
public:
    explicit OptionsPanel(QWidget* parent = nullptr);

    [[nodiscard]] QWidget* content() const { return content_; }
    [[nodiscard]] const QList<TGroupBoxEx*>& groupBoxes() const { return groups_; }
    // A control of the panel by its name (its configuration key).
    template <class T>
    [[nodiscard]] T* control(const QString& name) const
    {
        return content_->findChild<T*>(name);
    }
    [[nodiscard]] bool ticked(const QString& checkBoxName) const;

    // Slides out: the focus goes back to the saved control, the panel is disabled,
    // narrowed step by step with a repaint after each, and hidden.
    void ButtonHideClick();
    // Slides in, remembers the focused control, enables the panel and focuses it.
    void ButtonShowClick();
    // The widths of the last slide, for whoever wants to check the animation.
    [[nodiscard]] const std::vector<int>& lastSlideWidths() const { return lastSlide_; }

    // Remembers the focused control, to get the focus back when the panel hides.
    void rememberFocus();
    [[nodiscard]] QWidget* savedFocus() const { return savedFocus_; }

    // Content height := lowest bottom of its controls + 20, then refit its top.
    void UpdateOptionsContentHeight();
    // Restacks the boxes after one expanded or collapsed.
    void GroupBoxExOtherExpand();

    // The options content's cursor: the hand (7), the dragging hand (8) or the default (0).
    void SetOptionsCursor(int id);

    // Mouse on the content, its group boxes (outside their buttons) and passive children.
    void PanelMainChildMouseDown(QMouseEvent* event);
    void PanelMainChildMouseMove(QMouseEvent* event);
    void PanelMainChildMouseUp(QMouseEvent* event);

signals:
    void slidOut();
    void slidIn();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PanelMainResize();
    void setSlideWidth(int width);

    QWidget* content_ = nullptr;
    QList<TGroupBoxEx*> groups_;
    QPointer<QWidget> savedFocus_;
    std::vector<int> lastSlide_;
    bool dragging_ = false;
    int grabOffset_ = 0;
};
