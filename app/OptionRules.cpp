#include "app/OptionRules.h"

#include <functional>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include "app/LensProfileBox.h"
#include "app/OptionControls.h"

namespace {

// Radio buttons without Qt's exclusivity: choosing one clears its siblings in
// the same box, and clicking the chosen one keeps it chosen.
void MakeExclusive(const std::vector<QRadioButton*>& radios)
{
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

void OnTicked(QCheckBox* box, const std::function<void(bool)>& reaction)
{
    QObject::connect(box, &QCheckBox::toggled, box, reaction);
}

void OnChosen(QRadioButton* radio, const std::function<void()>& reaction)
{
    QObject::connect(radio, &QRadioButton::toggled, radio, [reaction](bool on) {
        if (on)
            reaction();
    });
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

void TreeStyleIndicator(const OptionControls& c)
{
    const int tree = TreeStyleValue(c.CheckBoxLines->isChecked(), c.CheckBoxExpand->isChecked(),
                                    c.CheckBoxHotTrack->isChecked());
    (tree == 1 ? c.RadioButton9X : tree == 6 ? c.RadioButtonXP : c.RadioButtonCustom)->setChecked(true);
    const int list = ListStyleValue(c.CheckBoxHandPont->isChecked(), c.CheckBoxUnderlineHot->isChecked(),
                                    c.CheckBoxUnderlineCold->isChecked(), c.CheckBoxLHotTrack->isChecked());
    (list == 0 ? c.RadioButtonL9X : list == 24 ? c.RadioButtonLXP : c.RadioButtonLCustom)->setChecked(true);
}

void Connect(const OptionControls& c)
{
    MakeExclusive({c.RadioButtonList, c.RadioButtonIcons, c.RadioButtonThumbnails, c.RadioButtonDetails});
    MakeExclusive({c.RadioButton9X, c.RadioButtonXP, c.RadioButtonCustom});
    MakeExclusive({c.RadioButtonL9X, c.RadioButtonLXP, c.RadioButtonLCustom});

    auto indicator = [&c](bool) { TreeStyleIndicator(c); };
    for (QCheckBox* box : {c.CheckBoxLines, c.CheckBoxExpand, c.CheckBoxHotTrack, c.CheckBoxHandPont,
                           c.CheckBoxUnderlineHot, c.CheckBoxUnderlineCold, c.CheckBoxLHotTrack})
        OnTicked(box, indicator);

    OnChosen(c.RadioButton9X, [&c] {
        c.CheckBoxLines->setChecked(true);
        c.CheckBoxExpand->setChecked(false);
        c.CheckBoxHotTrack->setChecked(false);
    });
    OnChosen(c.RadioButtonXP, [&c] {
        c.CheckBoxHotTrack->setChecked(true);
        c.CheckBoxExpand->setChecked(true);
        c.CheckBoxLines->setChecked(false);
    });
    OnChosen(c.RadioButtonL9X, [&c] {
        for (QCheckBox* box : {c.CheckBoxHandPont, c.CheckBoxUnderlineHot, c.CheckBoxUnderlineCold, c.CheckBoxLHotTrack})
            box->setChecked(false);
    });
    OnChosen(c.RadioButtonLXP, [&c] {
        c.CheckBoxHandPont->setChecked(true);
        c.CheckBoxUnderlineHot->setChecked(true);
        c.CheckBoxUnderlineCold->setChecked(false);
        c.CheckBoxLHotTrack->setChecked(false);
    });

    OnTicked(c.CheckBoxLHotTrack, [&c](bool on) { c.EditHoverTime->setEnabled(on); });
    OnTicked(c.CheckBoxAlways, [&c](bool on) { c.CheckBoxHide->setEnabled(!on); });
    OnTicked(c.CheckBoxUp, [&c](bool on) { c.ComboBoxUp->setEnabled(on); });
    OnTicked(c.CheckBoxDblClick, [&c](bool on) { c.ComboBoxDblClick->setEnabled(on); });
    OnTicked(c.CheckBoxFavs, [&c](bool on) {
        c.CheckBoxFavViews->setEnabled(on);
        c.CheckBoxFavCaptions->setEnabled(on);
    });
    OnTicked(c.CheckBoxOn, [&c](bool on) {
        c.CheckBoxPlus->setEnabled(on);
        c.TrackBarR->setEnabled(on);
        c.TrackBarK->setEnabled(on);
    });
    OnTicked(c.CheckBoxPlus, [&c](bool on) { c.PaintBoxArc->setMagnify(on); });
}

}  // namespace OptionRules
