#pragma once

#include <QString>

class QWidget;

// Shows the program's modal messages. Windows hold an interface so tests can
// record messages instead of blocking on a dialog.
class MessagePresenter {
public:
    enum class Icon { None, Error, Warning, Information };
    virtual ~MessagePresenter() = default;
    // `text` may hold "\r" line breaks.
    virtual void showMessage(Icon icon, const QString& caption, const QString& text) = 0;
};

// The real one: a message box with an OK button.
class MessageBoxPresenter : public MessagePresenter {
public:
    explicit MessageBoxPresenter(QWidget* parent = nullptr) : parent_(parent) {}
    void showMessage(Icon icon, const QString& caption, const QString& text) override;

private:
    QWidget* parent_;
};
