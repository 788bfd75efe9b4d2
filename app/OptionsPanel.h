#pragma once

#include <QPointer>
#include <QWidget>

#include "app/OptionControls.h"
#include "app/PanelOptions.h"
#include "browser/ListOptions.h"

class QMouseEvent;
class TGroupBoxEx;

// The options panel along the right edge (`PanelMain`): a column of seven
// collapsible group boxes on a content panel (`PanelMainChild`) that is
// dragged up and down when it is higher than the panel, and that slides out
// to width 0 and back in to 144. It hands its settings out as plain option
// sets, each with a signal when one of its controls changes.
class OptionsPanel : public QWidget {
    Q_OBJECT
public:
    // The content's cursors while it can be dragged.
    enum class ContentCursor { Default, Hand, DraggingHand };

    explicit OptionsPanel(QWidget* parent = nullptr);

    [[nodiscard]] QWidget* content() const { return content_; }
    // The width when shown: 144, or wider when the captions need it at the running font.
    [[nodiscard]] int shownWidth() const { return shownWidth_; }
    [[nodiscard]] const QList<TGroupBoxEx*>& groupBoxes() const { return groups_; }
    // The controls, for the window's own wiring and the configuration.
    [[nodiscard]] const OptionControls& controls() const { return c_; }

    [[nodiscard]] DiagramChoices diagramChoices() const;
    [[nodiscard]] BrowserOptions browserOptions() const;
    [[nodiscard]] TreeViewOptions treeOptions() const;
    [[nodiscard]] ListViewOptions listOptions() const;
    [[nodiscard]] LensSettings lensOptions() const;
    [[nodiscard]] FavouriteOptions favouriteOptions() const;
    // "Always show": the panel never slides out by itself.
    [[nodiscard]] bool alwaysShown() const;
    // "AutoHide": the panel slides out when the mouse leaves it.
    [[nodiscard]] bool autoHides() const;

    // The browser went back to file-name captions: the chooser follows
    // without announcing a change.
    void ResetCaptionChoice();
    // Chooses a view ("View IES" radio buttons) or a caption kind (the
    // caption chooser) as the user would, so the change is announced.
    void ChooseView(FileListViewKind kind);
    void ChooseCaption(CaptionChoice choice);

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

    void SetOptionsCursor(ContentCursor cursor);

    // Mouse on the content, its group boxes (outside their buttons) and passive children.
    void PanelMainChildMouseDown(QMouseEvent* event);
    void PanelMainChildMouseMove(QMouseEvent* event);
    void PanelMainChildMouseUp(QMouseEvent* event);

signals:
    void slidOut();
    void slidIn();
    void diagramChoicesChanged(const DiagramChoices& choices);
    void browserOptionsChanged(const BrowserOptions& options);
    void treeOptionsChanged(const TreeViewOptions& options);
    void listOptionsChanged(const ListViewOptions& options);
    // For the magnifier and the favourites, which arrive later.
    void lensOptionsChanged(const LensSettings& options);
    void favouriteOptionsChanged(const FavouriteOptions& options);
    void refreshRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The wheel scrolls the content as a drag would.
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PanelMainResize();
    void setSlideWidth(int width);
    void announceChanges();
    void applyHoverTimeField();

    QWidget* content_ = nullptr;
    OptionControls c_;
    QList<TGroupBoxEx*> groups_;
    QPointer<QWidget> savedFocus_;
    std::vector<int> lastSlide_;
    int hoverTime_ = -1;
    int shownWidth_ = 0;
    bool dragging_ = false;
    int grabOffset_ = 0;
};
