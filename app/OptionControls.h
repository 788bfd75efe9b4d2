#pragma once

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;
class QWidget;
class LensProfileBox;
class TGroupBoxEx;

// Every control of the options panel, filled in by the code that creates
// them. Each member is named as its control's objectName, which is also
// its configuration key; nothing else looks a control up by its name.
struct OptionControls {
    // "Options panel"
    TGroupBoxEx* GroupBoxExOptions = nullptr;
    QCheckBox* CheckBoxHide = nullptr;
    QCheckBox* CheckBoxAlways = nullptr;
    QPushButton* ButtonHide = nullptr;

    // "View IES"
    TGroupBoxEx* GroupBoxExView = nullptr;
    QComboBox* ComboBoxCaption = nullptr;
    QCheckBox* CheckBoxSort = nullptr;
    QRadioButton* RadioButtonList = nullptr;
    QRadioButton* RadioButtonIcons = nullptr;
    QRadioButton* RadioButtonThumbnails = nullptr;
    QRadioButton* RadioButtonDetails = nullptr;
    QCheckBox* CheckBoxKeep = nullptr;
    QCheckBox* CheckBoxMulti = nullptr;
    QCheckBox* CheckBoxComplete = nullptr;
    QCheckBox* CheckBoxWarning = nullptr;
    QCheckBox* CheckBoxLabels = nullptr;
    QPushButton* ButtonRefresh = nullptr;

    // "Tree View"
    TGroupBoxEx* GroupBoxExTree = nullptr;
    QCheckBox* CheckBoxLarge = nullptr;
    QCheckBox* CheckBoxButton = nullptr;
    QCheckBox* CheckBoxLines = nullptr;
    QCheckBox* CheckBoxExpand = nullptr;
    QCheckBox* CheckBoxHotTrack = nullptr;
    QRadioButton* RadioButton9X = nullptr;
    QRadioButton* RadioButtonXP = nullptr;
    QRadioButton* RadioButtonCustom = nullptr;

    // "List View"
    TGroupBoxEx* GroupBoxExList = nullptr;
    QCheckBox* CheckBoxHandPont = nullptr;
    QCheckBox* CheckBoxUnderlineHot = nullptr;
    QCheckBox* CheckBoxUnderlineCold = nullptr;
    QCheckBox* CheckBoxFlat = nullptr;
    QCheckBox* CheckBoxLHotTrack = nullptr;
    QLineEdit* EditHoverTime = nullptr;
    QRadioButton* RadioButtonL9X = nullptr;
    QRadioButton* RadioButtonLXP = nullptr;
    QRadioButton* RadioButtonLCustom = nullptr;
    QCheckBox* CheckBoxUp = nullptr;
    QComboBox* ComboBoxUp = nullptr;
    QComboBox* ComboBoxDblClick = nullptr;
    QCheckBox* CheckBoxDblClick = nullptr;

    // "Fish eye&Fly Window"
    TGroupBoxEx* GroupBoxExEye = nullptr;
    QSlider* TrackBarR = nullptr;
    QSlider* TrackBarK = nullptr;
    QCheckBox* CheckBoxLink = nullptr;
    QCheckBox* CheckBoxPlus = nullptr;
    QCheckBox* CheckBoxOn = nullptr;
    QSlider* TrackBarAlpha = nullptr;
    LensProfileBox* PaintBoxArc = nullptr;

    // "Favorites"
    TGroupBoxEx* GroupBoxExFavorites = nullptr;
    QListWidget* ListBoxFavorites = nullptr;
    QPushButton* ButtonAdd = nullptr;
    QPushButton* ButtonRemove = nullptr;
    QCheckBox* CheckBoxFavs = nullptr;
    QCheckBox* CheckBoxFavViews = nullptr;
    QCheckBox* CheckBoxFavCaptions = nullptr;

    // "Other"
    TGroupBoxEx* GroupBoxExOther = nullptr;
    QCheckBox* CheckBoxMessages = nullptr;
    QCheckBox* CheckBoxSave = nullptr;
    QCheckBox* CheckBoxMethod = nullptr;
    QCheckBox* CheckBoxTitleBar = nullptr;
    QLabel* LabelMy = nullptr;
};
