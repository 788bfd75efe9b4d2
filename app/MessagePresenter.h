#pragma once

#include <memory>

#include <QFont>
#include <QString>

class QMessageBox;
class QWidget;

// Shows the program's modal messages. Windows hold an interface so tests can
// record messages instead of blocking on a dialog.
class MessagePresenter {
public:
    enum class Icon { None, Error, Warning, Information };
    virtual ~MessagePresenter() = default;
    // `text` may hold "\r" line breaks.
    virtual void showMessage(Icon icon, const QString& caption, const QString& text) = 0;
    // The same with `detail` as a line of its own under the text (none when
    // empty); by default it is simply the text's last line.
    virtual void showDetailedMessage(Icon icon, const QString& caption, const QString& text, const QString& detail)
    {
        showMessage(icon, caption, detail.isEmpty() ? text : text + QLatin1Char('\n') + detail);
    }
};

// The real one: a message box with an OK button.
class MessageBoxPresenter : public MessagePresenter {
public:
    explicit MessageBoxPresenter(QWidget* parent = nullptr) : parent_(parent) {}
    void showMessage(Icon icon, const QString& caption, const QString& text) override;
    void showDetailedMessage(Icon icon, const QString& caption, const QString& text, const QString& detail) override;

    // The box showMessage runs, wide enough that the window manager can show its
    // caption in the title bar beside the title bar's own buttons; `detail`
    // is the box's informative line below the text.
    [[nodiscard]] static std::unique_ptr<QMessageBox> MakeBox(Icon icon, const QString& caption, const QString& text,
                                                              QWidget* parent, const QString& detail = QString());
    // The width a title bar needs for `caption`: the text in a bold face plus room
    // for the window menu and the close, minimise and maximise buttons.
    [[nodiscard]] static int CaptionWidth(const QString& caption);
    // The widest two words that stand side by side in `text` (or one word
    // alone at a line's start): a box this wide never leaves a word by itself
    // before a long one.
    [[nodiscard]] static int WidestWordPair(const QString& text, const QFont& font);
    // The box's icon and margins beside its text.
    static constexpr int kTextIndent = 80;
    static constexpr int kTitleBarButtons = 160;
    // The most lines a box shows; longer texts end in a line "…".
    static constexpr int kMessageLines = 40;

private:
    QWidget* parent_;
};
