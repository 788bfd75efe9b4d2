#include "app/OptionRules.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QWidget>

#include "app/GroupBoxEx.h"

namespace {

template <class T>
T* Find(QWidget* content, const char* name)
{
    T* widget = content->findChild<T*>(QString::fromLatin1(name));
    Q_ASSERT(widget);
    return widget;
}

bool Ticked(QWidget* content, const char* name)
{
    return Find<QCheckBox>(content, name)->isChecked();
}

void SetTicked(QWidget* content, const char* name, bool on)
{
    Find<QCheckBox>(content, name)->setChecked(on);
}

void Choose(QWidget* content, const char* name)
{
    Find<QRadioButton>(content, name)->setChecked(true);
}

// Radio buttons without Qt's exclusivity: choosing one clears its siblings in
// the same box, and clicking the chosen one keeps it chosen.
void MakeExclusive(TGroupBoxEx* box)
{
    const QList<QRadioButton*> radios = box->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    for (QRadioButton* radio : radios) {
        QObject::connect(radio, &QRadioButton::toggled, radio, [radio, radios](bool on) {
            if (!on)
                return;
            for (QRadioButton* other : radios)
                if (other != radio)
                    other->setChecked(false);
        });
        QObject::connect(radio, &QRadioButton::clicked, radio, [radio](bool on) {
            if (!on)
                radio->setChecked(true);
        });
    }
}

void OnTicked(QWidget* content, const char* name, const std::function<void(bool)>& reaction)
{
    QObject::connect(Find<QCheckBox>(content, name), &QCheckBox::toggled, content, reaction);
}

void OnChosen(QWidget* content, const char* name, const std::function<void()>& reaction)
{
    QObject::connect(Find<QRadioButton>(content, name), &QRadioButton::toggled, content, [reaction](bool on) {
        if (on)
            reaction();
    });
}

void Enable(QWidget* content, const char* name, bool on)
{
    content->findChild<QWidget*>(QString::fromLatin1(name))->setEnabled(on);
}

}  // namespace

namespace OptionRules {

int TreeStyleValue(bool lines, bool autoExpand, bool hotTrack)
{
    return (lines ? 1 : 0) + (autoExpand ? 2 : 0) + (hotTrack ? 4 : 0);
}

int ListStyleValue(bool handPoint, bool underlineHot, bool underlineCold, bool hotTrack)
{
    return (handPoint ? 8 : 0) + (underlineHot ? 16 : 0) + (underlineCold ? 32 : 0) + (hotTrack ? 64 : 0);
}

void TreeStyleIndicator(QWidget* content)
{
    const int tree = TreeStyleValue(Ticked(content, "CheckBoxLines"), Ticked(content, "CheckBoxExpand"),
                                    Ticked(content, "CheckBoxHotTrack"));
    Choose(content, tree == 1 ? "RadioButton9X" : tree == 6 ? "RadioButtonXP" : "RadioButtonCustom");
    const int list = ListStyleValue(Ticked(content, "CheckBoxHandPont"), Ticked(content, "CheckBoxUnderlineHot"),
                                    Ticked(content, "CheckBoxUnderlineCold"), Ticked(content, "CheckBoxLHotTrack"));
    Choose(content, list == 0 ? "RadioButtonL9X" : list == 24 ? "RadioButtonLXP" : "RadioButtonLCustom");
}

void Connect(QWidget* content)
{
    for (TGroupBoxEx* box : content->findChildren<TGroupBoxEx*>())
        MakeExclusive(box);

    auto indicator = [content](bool) { TreeStyleIndicator(content); };
    for (const char* name : {"CheckBoxLines", "CheckBoxExpand", "CheckBoxHotTrack", "CheckBoxHandPont",
                             "CheckBoxUnderlineHot", "CheckBoxUnderlineCold", "CheckBoxLHotTrack"})
        OnTicked(content, name, indicator);

    OnChosen(content, "RadioButton9X", [content] {
        SetTicked(content, "CheckBoxLines", true);
        SetTicked(content, "CheckBoxExpand", false);
        SetTicked(content, "CheckBoxHotTrack", false);
    });
    OnChosen(content, "RadioButtonXP", [content] {
        SetTicked(content, "CheckBoxHotTrack", true);
        SetTicked(content, "CheckBoxExpand", true);
        SetTicked(content, "CheckBoxLines", false);
    });
    OnChosen(content, "RadioButtonL9X", [content] {
        for (const char* name : {"CheckBoxHandPont", "CheckBoxUnderlineHot", "CheckBoxUnderlineCold", "CheckBoxLHotTrack"})
            SetTicked(content, name, false);
    });
    OnChosen(content, "RadioButtonLXP", [content] {
        SetTicked(content, "CheckBoxHandPont", true);
        SetTicked(content, "CheckBoxUnderlineHot", true);
        SetTicked(content, "CheckBoxUnderlineCold", false);
        SetTicked(content, "CheckBoxLHotTrack", false);
    });

    OnTicked(content, "CheckBoxLHotTrack", [content](bool on) { Enable(content, "EditHoverTime", on); });
    OnTicked(content, "CheckBoxAlways", [content](bool on) { Enable(content, "CheckBoxHide", !on); });
    OnTicked(content, "CheckBoxDblClick", [content](bool on) { Enable(content, "ComboBoxDblClick", on); });
    OnTicked(content, "CheckBoxFavs", [content](bool on) {
        Enable(content, "CheckBoxFavViews", on);
        Enable(content, "CheckBoxFavCaptions", on);
    });
    OnTicked(content, "CheckBoxOn", [content](bool on) {
        for (const char* name : {"CheckBoxPlus", "TrackBarR", "TrackBarK"})
            Enable(content, name, on);
    });
}

}  // namespace OptionRules
