#include <gtest/gtest.h>

#include <csignal>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QScreen>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QWheelEvent>

#include "AppTestSupport.h"
#include "app/AppTexts.h"
#include "app/DiagramBox.h"
#include "app/DiagramPanel.h"
#include "app/GroupBoxEx.h"
#include "app/IniDocument.h"
#include "app/SlideSteps.h"
#include "app/SnapSplitter.h"
#include "app/TerminationSignal.h"
#include "diagram/BoundedText.h"

namespace {

class MainWindowTest : public ::testing::Test, public WindowFixture {
protected:
    TMainWindow& start(const QByteArray& ini = QByteArray())
    {
        if (!ini.isEmpty())
            writeIni(ini);
        TMainWindow& w = open();
        w.show();
        return w;
    }
    // A mouse move over the file list at `x` in the list's client coordinates.
    void moveOverList(int x, Qt::KeyboardModifiers keys, Qt::MouseButtons buttons) const
    {
        QWidget* viewport = window->areas().folderList->viewport();
        const QPoint local(x, 10);
        QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(viewport->mapToGlobal(local)), Qt::NoButton,
                         buttons, keys);
        QApplication::sendEvent(viewport, &move);
    }
    int listEdge() const { return window->areas().folderList->viewport()->width(); }
    void wheel(QWidget* target, int deltaY, Qt::KeyboardModifiers keys) const
    {
        const QPointF at(5, 5);
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, deltaY), Qt::NoButton, keys,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }
};

TEST_F(MainWindowTest, PanelSlidesOutAndInThroughTheGivenWidths)
{
    TMainWindow& w = start();
    OptionsPanel* panel = w.areas().optionsPanel;
    ASSERT_EQ(panel->width(), panel->shownWidth()) << "144 unless the captions need more at this font";
    panel->ButtonHideClick();
    EXPECT_EQ(panel->lastSlideWidths(), SlideSteps::SlideOutWidths(panel->shownWidth()));
    EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(panel->isEnabled());
    panel->ButtonShowClick();
    EXPECT_EQ(panel->lastSlideWidths(), SlideSteps::SlideInWidths(0, panel->shownWidth()));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->isEnabled());
    EXPECT_EQ(panel->width(), panel->shownWidth());
}

TEST(SlideSteps, WidthSequences)
{
    EXPECT_EQ(SlideSteps::SlideOutWidths(144), (std::vector<int>{136, 120, 88, 24, 0}));
    EXPECT_EQ(SlideSteps::SlideInWidths(0), (std::vector<int>{90, 135, 144}));
    EXPECT_EQ(SlideSteps::SlideInWidths(144), (std::vector<int>{144}));
    EXPECT_EQ(SlideSteps::SlideOutWidths(5), (std::vector<int>{0}));
}

TEST_F(MainWindowTest, HideButtonSlidesOut)
{
    TMainWindow& w = start();
    QTest::mouseClick(w.areas().optionsPanel->controls().ButtonHide, Qt::LeftButton);
    EXPECT_FALSE(w.areas().optionsPanel->isVisible());
    EXPECT_FALSE(w.panelVisible());
}

TEST_F(MainWindowTest, EdgeGestureShowsAndAutoHideHides)
{
    TMainWindow& w = start("[GroupBoxExOptions]\r\nCheckBoxAlways=0\r\nCheckBoxHide=1\r\n");
    OptionsPanel* panel = w.areas().optionsPanel;
    EXPECT_FALSE(panel->isVisible()) << "slid out at start without 'Always show'";
    EXPECT_TRUE(options().controls().CheckBoxHide->isEnabledTo(panel));

    moveOverList(listEdge() - 30, Qt::ControlModifier, Qt::NoButton);
    EXPECT_FALSE(panel->isVisible()) << "too far from the edge";
    moveOverList(listEdge() - 10, Qt::ControlModifier, Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible()) << "Ctrl with the left button does not count";
    moveOverList(listEdge() - 10, Qt::ControlModifier | Qt::ShiftModifier, Qt::NoButton);
    EXPECT_FALSE(panel->isVisible()) << "exactly Ctrl";
    moveOverList(listEdge() - 10, Qt::ControlModifier, Qt::NoButton);
    EXPECT_TRUE(panel->isVisible());

    moveOverList(20, Qt::NoModifier, Qt::NoButton);
    EXPECT_FALSE(panel->isVisible()) << "AutoHide";
    moveOverList(listEdge() - 10, Qt::NoModifier, Qt::RightButton);
    EXPECT_TRUE(panel->isVisible()) << "the right button alone";
}

TEST_F(MainWindowTest, NoAutoHideWhileAlwaysShown)
{
    TMainWindow& w = start("[GroupBoxExOptions]\r\nCheckBoxAlways=1\r\nCheckBoxHide=1\r\n");
    moveOverList(20, Qt::NoModifier, Qt::NoButton);
    EXPECT_TRUE(w.areas().optionsPanel->isVisible());
}

TEST_F(MainWindowTest, PanelHiddenAtStartIgnoresEdgeGesture)
{
    TMainWindow& w = start("[Options]\r\nPanel=0\r\n");
    OptionsPanel* panel = w.areas().optionsPanel;
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(panel->isEnabled());
    moveOverList(listEdge() - 5, Qt::ControlModifier, Qt::NoButton);
    EXPECT_FALSE(panel->isVisible());
    w.ShowOptionsPanelClick();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->width(), panel->shownWidth());
}

struct SnapCase {
    int dragged;
    int expected;
};

class InfoSplitter : public MainWindowTest, public ::testing::WithParamInterface<SnapCase> {};

TEST_P(InfoSplitter, SnapsToWholeLines)
{
    TMainWindow& w = start();
    SnapSplitter* splitter = w.areas().listInfoSplitter;
    splitter->dragHandleTo(splitter->height() - splitter->handleWidth() - GetParam().dragged);
    EXPECT_EQ(w.areas().panelInfo->height(), GetParam().expected);
    EXPECT_EQ(TMainWindow::Splitter2CanResize(GetParam().dragged), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Drags, InfoSplitter,
                         ::testing::Values(SnapCase{40, 41}, SnapCase{120, 98}, SnapCase{5, 17}, SnapCase{58, 54},
                                           SnapCase{45, 41}, SnapCase{46, 54}, SnapCase{84, 80}));

TEST_F(MainWindowTest, LongInformationTextNeitherGrowsThePanelNorWidensTheWindow)
{
    TMainWindow& w = start();
    SnapSplitter* splitter = w.areas().listInfoSplitter;
    splitter->dragHandleTo(splitter->height() - splitter->handleWidth() - 41);
    const int minimumWidth = w.minimumSizeHint().width();
    const std::string line(kShownTextLimit, 'x');
    TiesData entry = UnreadEntry(line + ".ies");
    for (const CaptionKind& kind : CaptionKinds())
        entry.Texts.*kind.field = line;
    shown.ShowFile(entry, "/");
    ASSERT_EQ(w.areas().panelInfo->text().count(QLatin1Char('\n')), kInfoPanelLines - 1);
    QApplication::processEvents();
    EXPECT_EQ(w.areas().panelInfo->height(), 41);
    EXPECT_EQ(w.infoHeight(), 41) << "the stored height stays the user's";
    EXPECT_EQ(w.minimumSizeHint().width(), minimumWidth);
}

TEST_F(MainWindowTest, ColumnSplitterRefusesNarrowAndRepeatedWidths)
{
    TMainWindow& w = start();
    SnapSplitter* splitter = w.areas().columnSplitter;
    splitter->dragHandleTo(150);
    EXPECT_EQ(w.areas().panelLeftAll->width(), 330);
    splitter->dragHandleTo(260);
    EXPECT_EQ(w.areas().panelLeftAll->width(), 260);
    EXPECT_FALSE(w.SplitterCanResize(260).has_value());
    EXPECT_EQ(w.SplitterCanResize(261), 261);
}

TEST_F(MainWindowTest, DiagramIsASquareBelowTheToolBar)
{
    TMainWindow& w = start();
    DiagramPanel* panel = w.areas().diagramPanel;
    const QRect box = panel->paintBox()->geometry();
    EXPECT_EQ(box, DiagramPanel::DiagramSquare(panel->size(), DiagramPanel::kToolBarHeight));
    EXPECT_EQ(DiagramPanel::DiagramSquare(QSize(330, 362), 32), QRect(2, 35, 326, 326));
    EXPECT_EQ(DiagramPanel::DiagramSquare(QSize(400, 200), 32), QRect(118, 35, 164, 164));
}

TEST_F(MainWindowTest, DiagramClicksToggleFitAndOrthoOnlyWithExactButtons)
{
    TMainWindow& w = start();
    DiagramBox* box = w.areas().diagramPanel->paintBox();
    const bool fit = w.fit();
    const bool ortho = w.ortho();
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_NE(w.fit(), fit);
    QTest::mouseClick(box, Qt::RightButton);
    EXPECT_NE(w.ortho(), ortho);
    QTest::mouseClick(box, Qt::LeftButton, Qt::ControlModifier);
    QTest::mouseClick(box, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_NE(w.fit(), fit) << "only a plain left click toggles Fit";
}

TEST_F(MainWindowTest, ShiftWheelStepsEnabledSliderOnly)
{
    TMainWindow& w = start();
    QSlider* slider = w.areas().diagramPanel->degreeSlider();
    slider->setRange(0, 5);
    slider->setValue(2);
    wheel(w.areas().folderList, -120, Qt::ShiftModifier);
    EXPECT_EQ(slider->value(), 2) << "disabled without a file";
    slider->setEnabled(true);
    wheel(w.areas().folderList, -120, Qt::ShiftModifier);
    EXPECT_EQ(slider->value(), 3) << "wheel down moves one position up";
    wheel(w.areas().folderList, 120, Qt::ShiftModifier);
    EXPECT_EQ(slider->value(), 2);
    wheel(slider, -120, Qt::ControlModifier);
    wheel(slider, -120, Qt::NoModifier);
    EXPECT_EQ(slider->value(), 2) << "Ctrl + wheel never moves the slider";
    slider->setValue(5);
    wheel(w.areas().folderList, -120, Qt::ShiftModifier);
    EXPECT_EQ(slider->value(), 5);
}

TEST_F(MainWindowTest, QuestionMarkHintShowsInTitleUntilItGoes)
{
    // Without the full path the title holds no folder of its own.
    TMainWindow& w = start("[GroupBoxExOther]\r\nCheckBoxTitleBar=0\r\n");
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Kandora v2.9    "));
    w.DisplayHint(QStringLiteral("?/home/light/ies"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Kandora v2.9    /home/light/ies"));
    w.DisplayHint(QStringLiteral("Print"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Kandora v2.9    /home/light/ies")) << "a plain hint leaves it";
    w.DisplayHint(QString());
    EXPECT_EQ(w.windowTitle(), AppTexts::MainTitle());
    w.DisplayHint(QStringLiteral("short|?long"));
    EXPECT_EQ(w.windowTitle(), AppTexts::MainTitle()) << "only a hint beginning with ? counts";
}

TEST_F(MainWindowTest, ExclamationHintNeedsFullPathOption)
{
    TMainWindow& w = start("[GroupBoxExOther]\r\nCheckBoxTitleBar=0\r\n");
    w.DisplayHint(QStringLiteral("!/data"));
    EXPECT_EQ(w.windowTitle(), AppTexts::MainTitle());
    options().controls().CheckBoxTitleBar->setChecked(true);
    w.DisplayHint(QStringLiteral("!/data"));
    EXPECT_EQ(w.windowTitle(), AppTexts::MainTitle() + QStringLiteral("/data"));
}

struct PathCase {
    const char* ini;
    const char* expected;
};

class StoredFolder : public MainWindowTest, public ::testing::WithParamInterface<PathCase> {};

TEST_P(StoredFolder, WalkedToWhenFirstShownOnlyWithSaveSettings)
{
    writeIni(GetParam().ini);
    TMainWindow& w = open();
    QSignalSpy spy(&w, &TMainWindow::navigateRequested);
    w.show();
    w.hide();
    w.show();
    ASSERT_EQ(spy.count(), 1) << "only the first show";
    EXPECT_EQ(spy.at(0).at(0).toString(), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    SaveSettings, StoredFolder,
    ::testing::Values(PathCase{"[Kandora]\r\nPath=Root/home/\r\n[GroupBoxExOther]\r\nCheckBoxSave=1\r\n", "Root/home/"},
                      PathCase{"[Kandora]\r\nPath=Root/home/\r\n[GroupBoxExOther]\r\nCheckBoxSave=0\r\n", ""},
                      PathCase{"", ""}));

TEST_F(MainWindowTest, CollapsingShrinksScrolledContentButNeverBelowTop)
{
    TMainWindow& w = start("[GroupBoxExView]\r\nCollapsed=0\r\n[GroupBoxExList]\r\nCollapsed=0\r\n"
                           "[GroupBoxExFavorites]\r\nCollapsed=0\r\n[GroupBoxExTree]\r\nCollapsed=0\r\n");
    OptionsPanel* panel = w.areas().optionsPanel;
    QWidget* content = panel->content();
    ASSERT_GT(content->height(), panel->height());
    const int lowest = panel->height() - content->height();
    content->move(0, lowest);
    const int before = content->height();
    auto* view = options().controls().GroupBoxExView;
    view->setCollapsed(true);
    EXPECT_LT(content->height(), before);
    EXPECT_EQ(content->y(), std::min(0, panel->height() - content->height()));
    for (const char* name : {"GroupBoxExList", "GroupBoxExFavorites", "GroupBoxExTree"})
        control<TGroupBoxEx>(name)->setCollapsed(true);
    EXPECT_EQ(content->y(), 0);
}

TEST_F(MainWindowTest, DraggingScrollsContentWithinBounds)
{
    TMainWindow& w = start("[GroupBoxExView]\r\nCollapsed=0\r\n[GroupBoxExList]\r\nCollapsed=0\r\n"
                           "[GroupBoxExFavorites]\r\nCollapsed=0\r\n[GroupBoxExTree]\r\nCollapsed=0\r\n");
    OptionsPanel* panel = w.areas().optionsPanel;
    QWidget* content = panel->content();
    auto press = [&](QEvent::Type type, int globalY, Qt::MouseButtons buttons) {
        QMouseEvent e(type, QPointF(5, 5), QPointF(0, globalY), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      buttons, Qt::NoModifier);
        if (type == QEvent::MouseButtonPress)
            panel->PanelMainChildMouseDown(&e);
        else if (type == QEvent::MouseMove)
            panel->PanelMainChildMouseMove(&e);
        else
            panel->PanelMainChildMouseUp(&e);
    };
    press(QEvent::MouseButtonPress, 500, Qt::LeftButton);
    press(QEvent::MouseMove, 400, Qt::LeftButton);
    EXPECT_EQ(content->y(), -100);
    press(QEvent::MouseMove, -5000, Qt::LeftButton);
    EXPECT_EQ(content->y(), panel->height() - content->height());
    press(QEvent::MouseMove, 900, Qt::LeftButton);
    EXPECT_EQ(content->y(), 0);
    EXPECT_EQ(content->cursor().shape(), Qt::OpenHandCursor);
    press(QEvent::MouseButtonRelease, 900, Qt::NoButton);
    press(QEvent::MouseMove, 100, Qt::LeftButton);
    EXPECT_EQ(content->y(), 0) << "no drag after the release";
}

TEST_F(MainWindowTest, ShortContentKeepsArrowAndDoesNotDrag)
{
    TMainWindow& w = start("[Kandora]\r\nHeight=560\r\n[GroupBoxExView]\r\nCollapsed=1\r\n"
                           "[GroupBoxExFavorites]\r\nCollapsed=1\r\n[GroupBoxExOther]\r\nCollapsed=1\r\n");
    OptionsPanel* panel = w.areas().optionsPanel;
    ASSERT_GE(panel->height(), panel->content()->height());
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(0, 300), Qt::LeftButton, Qt::LeftButton, {});
    panel->PanelMainChildMouseDown(&down);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(0, 100), Qt::NoButton, Qt::LeftButton, {});
    panel->PanelMainChildMouseMove(&move);
    EXPECT_EQ(panel->content()->y(), 0);
    EXPECT_EQ(panel->content()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainWindowTest, OptionReactionsEnableTheirControls)
{
    start();
    auto enabled = [this](const char* name) { return control<QWidget>(name)->isEnabled(); };
    options().controls().CheckBoxFavs->setChecked(false);
    EXPECT_FALSE(enabled("CheckBoxFavViews") || enabled("CheckBoxFavCaptions"));
    options().controls().CheckBoxLHotTrack->setChecked(true);
    EXPECT_TRUE(enabled("EditHoverTime"));
    EXPECT_TRUE(chosen("RadioButtonLCustom"));
    options().controls().RadioButtonL9X->click();
    EXPECT_FALSE(ticked("CheckBoxHandPont") || ticked("CheckBoxLHotTrack"));
    EXPECT_FALSE(enabled("EditHoverTime"));
    options().controls().CheckBoxOn->setChecked(false);
    EXPECT_FALSE(enabled("TrackBarK") || enabled("TrackBarR") || enabled("CheckBoxPlus"));
    options().controls().CheckBoxMessages->setChecked(false);
    EXPECT_EQ(window->ShellOwnerWindow(), nullptr);
}

TEST_F(MainWindowTest, ClickingChosenRadioKeepsItChosen)
{
    start();
    auto* list = options().controls().RadioButtonList;
    ASSERT_TRUE(list->isChecked());
    list->click();
    EXPECT_TRUE(list->isChecked());
    options().controls().RadioButtonIcons->click();
    EXPECT_FALSE(list->isChecked());
}

TEST_F(MainWindowTest, NarrowingWindowShrinksRightAreaThenLeftColumn)
{
    TMainWindow& w = start();
    w.resize(700, w.height());
    EXPECT_EQ(w.areas().panelLeftAll->width(), 330) << "the right area gives way first";
    w.resize(330 + 3 + 200 - 60, w.height());
    EXPECT_EQ(w.areas().panelRightAll->width(), 200);
    EXPECT_GE(w.areas().panelLeftAll->width(), DiagramPanel::kMinWidth);
    EXPECT_LT(w.areas().panelLeftAll->width(), 330);
}

TEST_F(MainWindowTest, FocusLeavingPanelHidesItUnlessAlwaysShown)
{
    TMainWindow& w = start("[GroupBoxExOptions]\r\nCheckBoxAlways=0\r\nCheckBoxHide=0\r\n");
    QApplication::setActiveWindow(&w);
    OptionsPanel* panel = w.areas().optionsPanel;
    w.areas().folderList->setFocus();
    panel->ButtonShowClick();
    ASSERT_TRUE(panel->isVisible());
    options().controls().CheckBoxSort->setFocus();
    w.areas().folderTree->setFocus();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(panel->savedFocus(), w.areas().folderList);
}

TEST(Termination, SignalReachesTheEventLoop)
{
    TerminationSignal termination;
    QSignalSpy spy(&termination, &TerminationSignal::requested);
    std::raise(SIGTERM);
    EXPECT_TRUE(spy.wait(2000));
}

TEST_F(MainWindowTest, TerminationClosesWindowAndWritesSettings)
{
    TMainWindow& w = start();
    TerminationSignal termination;
    QObject::connect(&termination, &TerminationSignal::requested, &w, &QWidget::close);
    std::raise(SIGTERM);
    QTRY_VERIFY_WITH_TIMEOUT(!w.isVisible(), 2000);
    EXPECT_TRUE(readIni().contains("[Kandora]\r\n"));

    writeIni("[Kandora]\r\nWidth=1\r\n");
    QCloseEvent late;
    QApplication::sendEvent(&w, &late);
    EXPECT_EQ(readIni(), QByteArray("[Kandora]\r\nWidth=1\r\n")) << "a second close writes nothing";
}

}  // namespace

namespace {

QString written(const WindowFixture& fixture, const char* key)
{
    return IniDocument::Parse(fixture.readIni()).value(QStringLiteral("Kandora"), QString::fromLatin1(key)).value_or(QString());
}

// Sizes from a larger screen are cut to this one, each area keeping its minimum;
// closed maximised, the window stores where its frame stood when it was not.
TEST_F(MainWindowTest, StoredGeometryFitsTheScreenAndTheFramePositionIsKept)
{
    TMainWindow& w = start("[Kandora]\r\nWidth=1600\r\nHeight=1000\r\nLeft=900\r\nTop=700\r\n"
                           "Tree=900\r\nRight=1500\r\nInfo=600\r\n");
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(w.frameGeometry()));
    const MainLayout& a = w.areas();
    EXPECT_GE(a.panelRightAll->width() - a.optionsPanel->width(), MainLayout::kRightMinWidth);
    EXPECT_GE(a.folderTree->height(), DiagramPanel::kMinHeight);
    EXPECT_GE(a.listInfoSplitter->widget(0)->height(), DiagramPanel::kMinHeight);

    w.move(40, 50);
    const QPoint frame = w.pos();
    w.setWindowState(Qt::WindowMaximized);
    QTest::qWait(10);
    closeWindow();
    EXPECT_EQ(written(*this, "Left"), QString::number(frame.x()));
    EXPECT_EQ(written(*this, "Top"), QString::number(frame.y()));
}

TEST_F(MainWindowTest, WheelScrollsTheOptionsPanelAndAHandleBringsItBack)
{
    TMainWindow& w = start();
    w.resize(w.width(), TMainWindow::kMinHeight);
    OptionsPanel* panel = w.areas().optionsPanel;
    for (int i = 0; i < 50; ++i)
        wheel(panel, -120, Qt::NoModifier);
    EXPECT_EQ(panel->content()->y(), std::min(0, panel->height() - panel->content()->height()));
    EXPECT_LT(panel->content()->y(), 0);

    QToolButton* handle = w.areas().panelHandle;
    QTest::mouseClick(panel->controls().ButtonHide, Qt::LeftButton);
    EXPECT_TRUE(handle->isVisible()) << "something on screen says where the panel went";
    QTest::mouseClick(handle, Qt::LeftButton);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_FALSE(handle->isVisible());
}

TEST_F(MainWindowTest, TheWheelChangesOnlyTheFocusedControlAndScrollsPastTheOthers)
{
    TMainWindow& w = start("[GroupBoxExView]\r\nCollapsed=0\r\n[GroupBoxExEye]\r\nCollapsed=0\r\n");
    QApplication::setActiveWindow(&w);
    w.resize(w.width(), TMainWindow::kMinHeight);
    OptionsPanel* panel = w.areas().optionsPanel;
    ASSERT_LT(panel->height(), panel->content()->height());
    const OptionControls& c = panel->controls();
    w.areas().folderList->setFocus();
    for (QWidget* control : {static_cast<QWidget*>(c.TrackBarR), static_cast<QWidget*>(c.ComboBoxCaption)}) {
        const int radius = c.TrackBarR->value();
        const int caption = c.ComboBoxCaption->currentIndex();
        const int top = panel->content()->y();
        wheel(control, -120, Qt::NoModifier);
        EXPECT_EQ(c.TrackBarR->value(), radius);
        EXPECT_EQ(c.ComboBoxCaption->currentIndex(), caption);
        EXPECT_LT(panel->content()->y(), top) << control->objectName().toStdString() << ": the panel scrolls";
        EXPECT_FALSE(control->hasFocus());
    }
    c.TrackBarR->setFocus();
    const int radius = c.TrackBarR->value();
    wheel(c.TrackBarR, -120, Qt::NoModifier);
    EXPECT_NE(c.TrackBarR->value(), radius) << "the focused slider takes the wheel";
}

TEST_F(MainWindowTest, OptionCaptionsFitTheirControlsAndBoxes)
{
    start();
    for (const TGroupBoxEx* box : options().groupBoxes()) {
        EXPECT_GE(box->width(), box->captionFitWidth()) << box->objectName().toStdString();
        for (const QCheckBox* check : box->findChildren<QCheckBox*>()) {
            if (!check->isHidden()) {
                EXPECT_LE(check->x() + check->sizeHint().width(), box->width() - 8) << check->objectName().toStdString();
            }
        }
    }
    EXPECT_EQ(options().controls().CheckBoxFlat->text(), QStringLiteral("Flat Scrool Bars"));
}

TEST(MessageBoxWidth, TheCaptionFitsBesideTheTitleBarButtons)
{
    const auto box = MessageBoxPresenter::MakeBox(MessagePresenter::Icon::Error, QStringLiteral("Error!"),
                                                  QStringLiteral("Line 10"), nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Error!"));
    EXPECT_GE(box->sizeHint().width(), MessageBoxPresenter::CaptionWidth(QStringLiteral("Error!")));
    const auto named = MessageBoxPresenter::MakeBox(MessagePresenter::Icon::Error, QStringLiteral("Error!"),
                                                    QStringLiteral("Line 11"), nullptr, QStringLiteral("lamp.ies"));
    EXPECT_EQ(named->text(), QStringLiteral("Line 11")) << "the text stays as it was";
    EXPECT_EQ(named->informativeText(), QStringLiteral("lamp.ies"));
}

}  // namespace
