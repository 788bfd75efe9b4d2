#pragma once

#include <QCursor>
#include <QWidget>

// A framed container whose caption is a small button: clicking it collapses the
// box to its caption line or expands it to its remembered height. Mouse events
// outside the caption button are passed on through signals, so an owner can be
// dragged by any of its boxes.
class TGroupBoxEx : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Collapsed READ collapsed WRITE setCollapsed)
    Q_PROPERTY(int HeightExpanded READ heightExpanded WRITE setHeightExpanded)
    Q_PROPERTY(int BorderLR READ borderLR WRITE setBorderLR)
    Q_PROPERTY(int BorderTB READ borderTB WRITE setBorderTB)

public:
    static constexpr int kMaxBorder = 20;

    explicit TGroupBoxEx(const QString& caption = QString(), QWidget* parent = nullptr);

    [[nodiscard]] QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    // The caption as shown: "&&" stands for one "&", a single "&" marks a mnemonic.
    [[nodiscard]] QString shownCaption() const;

    [[nodiscard]] bool collapsed() const { return collapsed_; }
    // Stores the state and applies it even when unchanged: resizes and raises expanded().
    void setCollapsed(bool collapsed);

    [[nodiscard]] int heightExpanded() const { return heightExpanded_; }
    void setHeightExpanded(int height);

    [[nodiscard]] int borderLR() const { return borderLR_; }
    void setBorderLR(int border);
    [[nodiscard]] int borderTB() const { return borderTB_; }
    void setBorderTB(int border);

    [[nodiscard]] bool ctl3D() const { return ctl3D_; }
    void setCtl3D(bool on);

    // The narrowest width whose caption button shows the whole caption.
    [[nodiscard]] int captionFitWidth() const;
    // Text height of "0" in the box's font + 2 x BorderTB + 3.
    [[nodiscard]] int collapsedHeight() const;
    // The caption button's hit rectangle (the pointer is over it when strictly inside).
    [[nodiscard]] QRect buttonRect() const;
    [[nodiscard]] bool pressed() const { return pressed_; }

signals:
    // OnExpand: raised after every collapse or expand.
    void expanded(TGroupBoxEx* sender);
    // Mouse events outside the caption button. Alt is never reported.
    void mousePressed(TGroupBoxEx* sender, QMouseEvent* event);
    void mouseMoved(TGroupBoxEx* sender, QMouseEvent* event);
    void mouseReleased(TGroupBoxEx* sender, QMouseEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void apply();
    void setBoxHeight(int height);
    [[nodiscard]] QRect captionButton() const;
    [[nodiscard]] bool overButton(QPointF pos) const;
    [[nodiscard]] int zeroHeight() const;

    QString caption_;
    bool collapsed_ = false;
    int heightExpanded_ = 0;
    int borderLR_ = 0;
    int borderTB_ = 0;
    bool ctl3D_ = true;
    bool pressed_ = false;
    bool cursorSaved_ = false;
    QCursor savedCursor_;
    bool applying_ = false;
};
