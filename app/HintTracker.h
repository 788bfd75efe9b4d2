#pragma once

#include <QObject>
#include <QPointer>
#include <QProxyStyle>

// Hints appear at once: no wake-up delay.
class ImmediateHintStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
};

// Follows the application's current hint: the hint of the widget under the
// mouse. Hints beginning with "?" or "!" are meant for the title bar and
// never pop up.
class HintTracker : public QObject {
    Q_OBJECT
public:
    explicit HintTracker(QObject* parent = nullptr);
    [[nodiscard]] const QString& currentHint() const { return hint_; }

    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void hintChanged(const QString& hint);

private:
    void setHint(const QString& hint);
    QPointer<QWidget> hovered_;
    QString hint_;
};
