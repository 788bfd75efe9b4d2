#include "app/BrowserOptionsBinding.h"

#include <functional>

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "app/OptionsPanel.h"
#include "browser/FileBrowser.h"

namespace {

// Applies a check box's state now and whenever it changes.
void FollowTick(OptionsPanel& panel, const char* name, QObject* context, const std::function<void(bool)>& apply)
{
    auto* box = panel.control<QCheckBox>(QString::fromLatin1(name));
    QObject::connect(box, &QCheckBox::toggled, context, apply);
    apply(box->isChecked());
}

// Refuses the characters the hover-time field does not take.
class HoverKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        if (typed.size() != 1)
            return false;
        const char16_t c = typed.at(0).unicode();
        // Everything beyond ASCII lies above "9" too.
        if (c > 127)
            return true;
        return !HoverTimeAccepts(static_cast<char>(c), static_cast<QLineEdit*>(watched)->text().toStdString());
    }
};

// Reads the field into the list and shows what the list took, all selected.
void ApplyHoverTime(QLineEdit* edit, FileListView* list)
{
    if (const std::optional<int> time = ParseHoverTime(edit->text().toStdString()))
        list->SetHoverTime(*time);
    edit->setText(QString::number(list->HoverTime()));
    edit->selectAll();
}

}  // namespace

void BindBrowserOptions(OptionsPanel& panel, FileBrowser& browser)
{
    FileBrowser* b = &browser;
    FolderTree* tree = browser.Tree();
    FileListView* list = browser.List();

    auto* caption = panel.control<QComboBox>(QStringLiteral("ComboBoxCaption"));
    QObject::connect(caption, &QComboBox::currentIndexChanged, b, [b](int index) { b->SetCaptionIndex(index); });
    b->SetCaptionIndex(caption->currentIndex());
    FollowTick(panel, "CheckBoxSort", b, [b](bool on) { b->SetSort(on); });
    FollowTick(panel, "CheckBoxKeep", b, [b](bool on) { b->SetKeepCaption(on); });
    FollowTick(panel, "CheckBoxTitleBar", b, [b](bool on) { b->SetTitleBarPath(on); });

    auto* upStyle = panel.control<QComboBox>(QStringLiteral("ComboBoxUp"));
    QObject::connect(upStyle, &QComboBox::currentTextChanged, b, [b](const QString& text) { b->ChangeUpEntryStyle(text); });
    b->ChangeUpEntryStyle(upStyle->currentText());
    FollowTick(panel, "CheckBoxUp", b, [b, upStyle](bool on) {
        upStyle->setEnabled(on);
        b->ToggleUpEntry(on);
    });

    auto* action = panel.control<QComboBox>(QStringLiteral("ComboBoxDblClick"));
    QObject::connect(action, &QComboBox::currentIndexChanged, b, [b](int index) { b->SetDoubleClickAction(index); });
    b->SetDoubleClickAction(action->currentIndex());
    FollowTick(panel, "CheckBoxDblClick", b, [b](bool on) { b->SetDoubleClick(on); });

    FollowTick(panel, "CheckBoxLarge", tree, [tree](bool on) { tree->SetLargeIcons(on); });
    FollowTick(panel, "CheckBoxButton", tree, [tree](bool on) { tree->SetShowButtons(on); });
    FollowTick(panel, "CheckBoxLines", tree, [tree](bool on) { tree->SetShowLines(on); });
    FollowTick(panel, "CheckBoxExpand", tree, [tree](bool on) { tree->SetAutoExpand(on); });
    FollowTick(panel, "CheckBoxHotTrack", tree, [tree](bool on) { tree->SetHotTrack(on); });

    FollowTick(panel, "CheckBoxHandPont", list, [list](bool on) { list->SetHandPoint(on); });
    FollowTick(panel, "CheckBoxUnderlineHot", list, [list](bool on) { list->SetUnderlineHot(on); });
    FollowTick(panel, "CheckBoxUnderlineCold", list, [list](bool on) { list->SetUnderlineCold(on); });
    FollowTick(panel, "CheckBoxFlat", list, [list](bool on) { list->SetFlatScrollBars(on); });
    FollowTick(panel, "CheckBoxLHotTrack", list, [list](bool on) { list->SetHotTrack(on); });

    auto* hover = panel.control<QLineEdit>(QStringLiteral("EditHoverTime"));
    hover->installEventFilter(new HoverKeyFilter(hover));
    QObject::connect(hover, &QLineEdit::editingFinished, list, [hover, list] { ApplyHoverTime(hover, list); });
    ApplyHoverTime(hover, list);

    QObject::connect(panel.control<QPushButton>(QStringLiteral("ButtonRefresh")), &QPushButton::clicked, b,
                     [b] { b->ButtonRefreshClick(); });
}
