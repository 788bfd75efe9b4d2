#include "app/OptionsGroups.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "app/AppTexts.h"
#include "app/GroupBoxEx.h"
#include "app/LensProfileBox.h"
#include "app/OptionControls.h"
#include "photometry/EntryTexts.h"

namespace {

constexpr int kBoxWidth = 130;
constexpr int kRowHeight = 17;
constexpr int kInnerWidth = 114;

TGroupBoxEx* Box(QWidget* parent, const char* name, const char* caption, int expandedHeight, bool collapsed)
{
    auto* box = new TGroupBoxEx(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->resize(kBoxWidth, expandedHeight);
    box->setHeightExpanded(expandedHeight);
    box->setCollapsed(collapsed);
    return box;
}

// A caption is never cut: a control narrower than its text at the running
// font grows to it (the box then grows too, see FittedBoxWidth).
void FitToText(QWidget* control)
{
    control->resize(std::max(control->width(), control->sizeHint().width()), control->height());
}

template <class T>
T* Named(T* widget, const char* name, QRect geometry, const char* hint = nullptr)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    if (hint)
        widget->setToolTip(QString::fromUtf8(hint));
    return widget;
}

QCheckBox* Check(TGroupBoxEx* box, const char* name, const char* caption, int x, int y, bool ticked,
                 const char* hint = nullptr)
{
    auto* check = Named(new QCheckBox(QString::fromUtf8(caption), box), name, QRect(x, y, kInnerWidth + 8 - x, kRowHeight),
                        hint);
    FitToText(check);
    check->setChecked(ticked);
    return check;
}

// Radio buttons of a box are made exclusive by the option rules, not by Qt,
// because the configuration must be able to leave all of them unchosen.
QRadioButton* Radio(TGroupBoxEx* box, const char* name, const char* caption, int y, bool chosen)
{
    auto* radio = Named(new QRadioButton(QString::fromUtf8(caption), box), name, QRect(8, y, kInnerWidth, kRowHeight));
    FitToText(radio);
    radio->setAutoExclusive(false);
    radio->setChecked(chosen);
    return radio;
}

QSlider* Slider(TGroupBoxEx* box, const char* name, QRect geometry, int min, int max, int value, const char* hint = nullptr)
{
    auto* slider = Named(new QSlider(Qt::Horizontal, box), name, geometry, hint);
    slider->setRange(min, max);
    slider->setValue(value);
    return slider;
}

QComboBox* Combo(TGroupBoxEx* box, const char* name, int y, std::initializer_list<const char*> items, int index,
                 const char* hint = nullptr)
{
    auto* combo = Named(new QComboBox(box), name, QRect(8, y, kInnerWidth, 21), hint);
    for (const char* item : items)
        combo->addItem(QString::fromUtf8(item));
    combo->setCurrentIndex(index);
    return combo;
}

QLabel* Label(TGroupBoxEx* box, const char* name, const char* text, QRect geometry)
{
    QLabel* label = Named(new QLabel(QString::fromUtf8(text), box), name, geometry);
    if (!label->wordWrap())
        FitToText(label);
    return label;
}

// Places `control` at least `gap` pixels right of `left`'s end.
void KeepRightOf(QWidget* control, const QWidget* left, int gap)
{
    control->move(std::max(control->x(), left->geometry().right() + 1 + gap), control->y());
}

QPushButton* Button(TGroupBoxEx* box, const char* name, const char* caption, QRect geometry, const char* hint = nullptr)
{
    return Named(new QPushButton(QString::fromUtf8(caption), box), name, geometry, hint);
}

}  // namespace

namespace OptionsGroups {

TGroupBoxEx* BuildOptions(QWidget* parent, OptionControls& c)
{
    TGroupBoxEx* box = c.GroupBoxExOptions = Box(parent, "GroupBoxExOptions", "Options panel", 74, false);
    c.CheckBoxHide = Check(box, "CheckBoxHide", "AutoHide", 8, 18, true);
    c.CheckBoxAlways = Check(box, "CheckBoxAlways", "Always show", 8, 36, true);
    c.ButtonHide = Button(box, "ButtonHide", ">>", QRect(92, 52, 30, 18));
    return box;
}

TGroupBoxEx* BuildView(QWidget* parent, OptionControls& c)
{
    TGroupBoxEx* box = c.GroupBoxExView = Box(parent, "GroupBoxExView", "View IES", 243, false);
    c.ComboBoxCaption = Combo(box, "ComboBoxCaption", 17, {}, 0, "IES caption");
    for (const CaptionKind& kind : CaptionKinds())
        c.ComboBoxCaption->addItem(QString::fromLatin1(kind.label.data(), static_cast<qsizetype>(kind.label.size())));
    c.ComboBoxCaption->setCurrentIndex(CaptionNumber(CaptionChoice::FileName));
    c.CheckBoxSort = Check(box, "CheckBoxSort", "Sort", 8, 42, false, "Alphabetically Sort IES files");
    c.RadioButtonList = Radio(box, "RadioButtonList", "List", 59, false);
    c.RadioButtonIcons = Radio(box, "RadioButtonIcons", "Icons", 76, false);
    c.RadioButtonThumbnails = Radio(box, "RadioButtonThumbnails", "Thumbnails", 93, false);
    c.RadioButtonDetails = Radio(box, "RadioButtonDetails", "Details", 110, false);
    c.CheckBoxKeep = Check(box, "CheckBoxKeep", "Keep caption", 8, 127, false, "Keep caption on change folder");
    c.CheckBoxMulti = Check(box, "CheckBoxMulti", "Absolute values", 8, 144, false);
    c.CheckBoxComplete = Check(box, "CheckBoxComplete", "Show complete", 8, 161, false);
    c.CheckBoxWarning = Check(box, "CheckBoxWarning", "Show warning icon", 8, 178, false);
    c.CheckBoxLabels = Check(box, "CheckBoxLabels", "Show text labels", 8, 195, false);
    c.ButtonRefresh = Button(box, "ButtonRefresh", "&Refresh", QRect(8, 215, kInnerWidth, 20));
    return box;
}

TGroupBoxEx* BuildTree(QWidget* parent, OptionControls& c)
{
    TGroupBoxEx* box = c.GroupBoxExTree = Box(parent, "GroupBoxExTree", "Tree View", 174, true);
    c.CheckBoxLarge = Check(box, "CheckBoxLarge", "Large icons", 8, 18, false);
    c.CheckBoxButton = Check(box, "CheckBoxButton", "Show buttons", 8, 35, true);
    c.CheckBoxLines = Check(box, "CheckBoxLines", "Show lines", 8, 52, true);
    c.CheckBoxExpand = Check(box, "CheckBoxExpand", "Autoexpand", 8, 69, false);
    c.CheckBoxHotTrack = Check(box, "CheckBoxHotTrack", "Hot Track", 8, 86, false);
    c.RadioButton9X = Radio(box, "RadioButton9X", "Windows 9.x, Me", 108, true);
    c.RadioButtonXP = Radio(box, "RadioButtonXP", "Windows XP", 125, false);
    c.RadioButtonCustom = Radio(box, "RadioButtonCustom", "Custom", 142, false);
    c.RadioButtonCustom->setEnabled(false);
    return box;
}

TGroupBoxEx* BuildList(QWidget* parent, OptionControls& c)
{
    TGroupBoxEx* box = c.GroupBoxExList = Box(parent, "GroupBoxExList", "List View", 274, true);
    c.CheckBoxHandPont = Check(box, "CheckBoxHandPont", "Hand Point", 8, 18, false);
    c.CheckBoxUnderlineHot = Check(box, "CheckBoxUnderlineHot", "Underline Hot", 8, 35, false);
    c.CheckBoxUnderlineCold = Check(box, "CheckBoxUnderlineCold", "Underline Cold", 8, 52, false);
    c.CheckBoxFlat = Check(box, "CheckBoxFlat", "Flat Scrool Bars", 8, 69, false);
    c.CheckBoxLHotTrack = Check(box, "CheckBoxLHotTrack", "Hot Track", 8, 86, false);
    const QLabel* hoverLabel = Label(box, "LabelHover", "Hover time:", QRect(8, 106, 60, 15));
    auto* hover = c.EditHoverTime = Named(new QLineEdit(QStringLiteral("-1"), box), "EditHoverTime", QRect(70, 104, 52, 19),
                        "-1 to 10000");
    KeepRightOf(hover, hoverLabel, 2);
    hover->setMaxLength(5);
    hover->setEnabled(false);
    c.RadioButtonL9X = Radio(box, "RadioButtonL9X", "Windows 9.x, Me", 126, true);
    c.RadioButtonLXP = Radio(box, "RadioButtonLXP", "Windows XP", 143, false);
    c.RadioButtonLCustom = Radio(box, "RadioButtonLCustom", "Custom", 160, false);
    c.RadioButtonLCustom->setEnabled(false);
    c.CheckBoxUp = Check(box, "CheckBoxUp", "Up to folder", 8, 180, false);
    c.ComboBoxUp = Combo(box, "ComboBoxUp", 198, {"Up to", "..", ".. only"}, 2);
    c.ComboBoxUp->setEnabled(false);
    c.ComboBoxDblClick = Combo(box, "ComboBoxDblClick", 243, {"Open default", "Open with Notepad"}, 0);
    c.ComboBoxDblClick->setEnabled(false);
    c.CheckBoxDblClick = Check(box, "CheckBoxDblClick", "Double click", 8, 224, false);
    return box;
}

TGroupBoxEx* BuildEye(QWidget* parent, OptionControls& c)
{
    TGroupBoxEx* box = c.GroupBoxExEye = Box(parent, "GroupBoxExEye", "Fish eye&&Fly Window", 170, true);
    const QLabel* labelR = Label(box, "LabelR", "R", QRect(8, 20, 10, 15));
    c.TrackBarR = Slider(box, "TrackBarR", QRect(20, 18, 102, 20), 8, 64, 32);
    KeepRightOf(c.TrackBarR, labelR, 2);
    const QLabel* labelK = Label(box, "LabelK", "K", QRect(8, 42, 10, 15));
    c.TrackBarK = Slider(box, "TrackBarK", QRect(20, 40, 102, 20), 0, 80, 80);
    KeepRightOf(c.TrackBarK, labelK, 2);
    c.CheckBoxLink = Check(box, "CheckBoxLink", "Link R-Z ", 8, 62, false);
    c.CheckBoxLink->setVisible(false);
    c.CheckBoxPlus = Check(box, "CheckBoxPlus", "+/-", 8, 66, false);
    c.CheckBoxOn = Check(box, "CheckBoxOn", "On", 8, 86, true);
    Label(box, "LabelOpacity", "Opacity:", QRect(8, 114, 60, 15));
    c.TrackBarAlpha = Slider(box, "TrackBarAlpha", QRect(8, 130, kInnerWidth, 20), 0, 255, 128);
    c.TrackBarAlpha->setPageStep(1);
    c.PaintBoxArc = new LensProfileBox(box);
    c.PaintBoxArc->setGeometry(62, 62, 60, 46);
    c.PaintBoxArc->setMagnify(c.CheckBoxPlus->isChecked());
    return box;
}

TGroupBoxEx* BuildFavorites(QWidget* parent, OptionControls& c)
{
    TGroupBoxEx* box = c.GroupBoxExFavorites = Box(parent, "GroupBoxExFavorites", "Favorites", 266, false);
    auto* list = c.ListBoxFavorites = Named(new QListWidget(box), "ListBoxFavorites", QRect(8, 18, kInnerWidth, 178));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setMouseTracking(true);
    c.ButtonAdd = Button(box, "ButtonAdd", "Add", QRect(8, 200, 55, 20), "Add current folder to favorite");
    c.ButtonRemove = Button(box, "ButtonRemove", "Remove", QRect(67, 200, 55, 20));
    c.ButtonRemove->setEnabled(false);
    c.CheckBoxFavs = Check(box, "CheckBoxFavs", "Remember settings", 8, 224, false, "Remember each favorite folder's view settings");
    c.CheckBoxFavViews = Check(box, "CheckBoxFavViews", "Views", 20, 242, false);
    c.CheckBoxFavCaptions = Check(box, "CheckBoxFavCaptions", "Captions", 70, 242, false);
    KeepRightOf(c.CheckBoxFavCaptions, c.CheckBoxFavViews, 4);
    return box;
}

TGroupBoxEx* BuildOther(QWidget* parent, OptionControls& c)
{
    TGroupBoxEx* box = c.GroupBoxExOther = Box(parent, "GroupBoxExOther", "Other", 178, false);
    c.CheckBoxMessages = Check(box, "CheckBoxMessages", "Show IO messages", 8, 18, true, "Show Input/Output error messages");
    c.CheckBoxSave = Check(box, "CheckBoxSave", "Save settings", 8, 35, false, "Automatic save settings");
    c.CheckBoxMethod = Check(box, "CheckBoxMethod", "Quality repaint", 8, 52, false);
    c.CheckBoxTitleBar = Check(box, "CheckBoxTitleBar", "Display full path", 8, 69, false, "Display the full path in the title bar");
    auto* about = c.LabelMy = Label(box, "LabelMy", "", QRect(8, 92, kInnerWidth, 70));
    about->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    about->setWordWrap(true);
    return box;
}

int FittedBoxWidth(const QList<TGroupBoxEx*>& boxes)
{
    int width = kBoxWidth;
    for (const TGroupBoxEx* box : boxes) {
        width = std::max(width, box->captionFitWidth());
        for (const QWidget* child : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!child->isHidden())
                width = std::max(width, child->geometry().right() + 1 + kBoxWidth - kInnerWidth - 8);
    }
    return width;
}

}  // namespace OptionsGroups
