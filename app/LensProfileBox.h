#pragma once

#include <QWidget>

// The small picture of the lens's profile in the "Fish eye&Fly Window" group
// (`PaintBoxArc`): a dome while the lens magnifies, a bowl while it shrinks.
// It takes no mouse input, so the group box under it gets the drags.
class LensProfileBox : public QWidget {
    Q_OBJECT
public:
    explicit LensProfileBox(QWidget* parent = nullptr);

    [[nodiscard]] bool magnify() const { return magnify_; }

public slots:
    // "+/-" was ticked or cleared.
    void setMagnify(bool magnify);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool magnify_ = false;
};
