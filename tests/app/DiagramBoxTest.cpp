#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include "AppTestSupport.h"
#include "app/DiagramBox.h"
#include "app/DiagramPanel.h"
#include "app/LensProfileBox.h"
#include "photometry/EntryLoader.h"

namespace {

int RedPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.red() > 200 && c.green() < 90 && c.blue() < 90;
        }
    return count;
}

class DiagramBoxTest : public ::testing::Test, public WindowFixture {
protected:
    DiagramBox* box() const { return window->areas().diagramPanel->paintBox(); }
    QImage picture() const { return box()->grab().toImage(); }
    // Shows a sample as the browser would.
    bool loadSample(const char* name)
    {
        TiesData entry;
        entry.Texts.fileName = name;
        const LoadResult result = LoadEntry(entry, std::string(KANDORA_SOURCE_DIR) + "/samples/");
        if (result.kind != LoadResult::Kind::Loaded)
            return false;
        shown.ShowFile(entry, std::string());
        return true;
    }
};

TEST_F(DiagramBoxTest, BackgroundOnlyUntilAFileIsShown)
{
    open().show();
    EXPECT_EQ(RedPixels(picture()), 0);
    if (!loadSample("area-light-wall-pack.ies"))
        GTEST_SKIP() << "sample library missing";
    EXPECT_GT(RedPixels(picture()), 50) << "the main curve is red";
    shown.ShowNone();
    EXPECT_EQ(RedPixels(picture()), 0);
}

TEST_F(DiagramBoxTest, ToolBarSettingsReachThePipeline)
{
    open().show();
    if (!loadSample("area-light-wall-pack.ies"))
        GTEST_SKIP() << "sample library missing";
    ASSERT_TRUE(window->ortho());
    EXPECT_TRUE(box()->options().Planes.Orthogonal);
    const QImage withOrtho = picture();
    QTest::mouseClick(box(), Qt::RightButton);
    EXPECT_FALSE(box()->options().Planes.Orthogonal);
    EXPECT_NE(picture(), withOrtho) << "the perpendicular pair is gone";
    QTest::mouseClick(box(), Qt::LeftButton);
    EXPECT_TRUE(box()->options().Planes.Fit);
}

TEST_F(DiagramBoxTest, PanelChoicesReachThePipelineThroughTheirSignal)
{
    open().show();
    QSignalSpy announced(&options(), &OptionsPanel::diagramChoicesChanged);
    const OptionControls& c = options().controls();
    c.CheckBoxLabels->setChecked(true);
    EXPECT_TRUE(box()->options().TextLabels);
    c.CheckBoxMulti->setChecked(true);
    EXPECT_TRUE(box()->options().AbsoluteValues);
    c.CheckBoxComplete->setChecked(!c.CheckBoxComplete->isChecked());
    EXPECT_EQ(box()->options().Planes.ShowComplete, c.CheckBoxComplete->isChecked());
    c.CheckBoxWarning->setChecked(!c.CheckBoxWarning->isChecked());
    EXPECT_EQ(box()->options().ShowWarning, c.CheckBoxWarning->isChecked());
    ASSERT_EQ(announced.size(), 4);
    const auto last = announced.back().at(0).value<DiagramChoices>();
    EXPECT_TRUE(last.textLabels && last.absoluteValues);
    EXPECT_EQ(last.showWarning, c.CheckBoxWarning->isChecked());
    // The plane pair the slider stands on reaches the box too.
    if (!loadSample("area-light-wall-pack.ies"))
        GTEST_SKIP() << "sample library missing";
    shown.SetPlaneIndex(shown.CurrentIes().HorzCount - 1);
    EXPECT_EQ(window->areas().diagramPanel->degreeSlider()->value(), shown.CurrentIes().HorzCount - 1);
}

// The magnifier and the read-out read the snapshot: the picture and the scale
// of the last off-screen repaint, renewed on slider moves only with "Quality
// repaint" on, otherwise when the slider is let go.
TEST_F(DiagramBoxTest, SnapshotFollowsTheOffScreenRepaints)
{
    open().show();
    if (!loadSample("area-light-wall-pack.ies"))
        GTEST_SKIP() << "sample library missing";
    QTest::mouseClick(box(), Qt::LeftButton);  // Fit: every plane its own scale
    (void)picture();
    const DiagramSnapshot& snapshot = box()->snapshot();
    ASSERT_EQ(snapshot.image.size(), box()->size());
    EXPECT_EQ(snapshot.image.format(), QImage::Format_RGB32);
    EXPECT_EQ(snapshot.margin, 10);
    const double planeZero = snapshot.scaleMax;
    EXPECT_GT(planeZero, 0);

    QSlider* slider = window->areas().diagramPanel->degreeSlider();
    QCheckBox* quality = options().controls().CheckBoxMethod;
    quality->setChecked(false);
    ASSERT_FALSE(box()->qualityRepaint());
    (void)picture();  // the toggle itself may renew the snapshot once
    ASSERT_EQ(snapshot.scaleMax, planeZero);
    ASSERT_GE(slider->maximum() - slider->minimum(), 6);
    slider->setValue(slider->minimum() + 3);
    const QImage moved = picture().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(snapshot.scaleMax, planeZero) << "direct redraws leave the snapshot";
    QTest::mouseRelease(slider, Qt::LeftButton);
    (void)picture();
    EXPECT_LT(snapshot.scaleMax, planeZero);
    EXPECT_EQ(snapshot.image, moved) << "the same picture either way";

    quality->setChecked(true);
    ASSERT_TRUE(box()->qualityRepaint());
    const double planeThree = snapshot.scaleMax;
    slider->setValue(slider->minimum() + 6);
    (void)picture();
    EXPECT_LT(snapshot.scaleMax, planeThree);
}

// The slider keeps a usable width whatever width the column had before, and
// its hint names the key that works; a record that did not read is not "axially symmetric".
TEST_F(DiagramBoxTest, SliderWidthHintAndSymmetryText)
{
    DiagramPanel panel;
    ShownFile file;
    panel.followShownFile(file);
    QSlider* slider = panel.degreeSlider();
    panel.show();
    panel.resize(800, 400);
    EXPECT_EQ(slider->width(), DiagramPanel::kSliderMaxWidth);
    panel.resize(DiagramPanel::kMinWidth, 400);
    EXPECT_GE(slider->width(), 70);
    EXPECT_LE(slider->geometry().right(), DiagramPanel::kMinWidth);
    EXPECT_TRUE(slider->toolTip().contains(QStringLiteral("Shift+")));

    const auto* axial = panel.findChild<QLabel*>(QStringLiteral("LabelAxial"));
    ASSERT_NE(axial, nullptr);
    file.ShowFile(UnreadEntry("unreadable.ies"), std::string());  // what a failed read leaves
    EXPECT_FALSE(axial->isVisibleTo(&panel));
    TiesData entry;
    entry.Texts.fileName = "pendant-opal-globe.ies";
    if (LoadEntry(entry, std::string(KANDORA_SOURCE_DIR) + "/samples/").kind != LoadResult::Kind::Loaded)
        GTEST_SKIP() << "sample library missing";
    file.ShowFile(entry, std::string());  // one plane
    EXPECT_TRUE(axial->isVisibleTo(&panel));
}

// The regions the box is asked to paint.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton,
               Qt::MouseButtons held = Qt::NoButton, Qt::KeyboardModifiers keys = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held, keys);
    QApplication::sendEvent(widget, &event);
}

// The pixels where two pictures of one size differ.
QRegion Differences(const QImage& a, const QImage& b)
{
    QRegion region;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                region += QRect(x, y, 1, 1);
    return region;
}

class MagnifierWiringTest : public DiagramBoxTest {
protected:
    QImage screen() const { return picture().convertToFormat(QImage::Format_RGB32); }
    // A shown sample with an up-to-date snapshot, and the box's paints recorded from then on.
    bool ready(const char* sample = "area-light-wall-pack.ies")
    {
        open().show();
        if (!loadSample(sample))
            return false;
        (void)picture();
        QApplication::processEvents();
        recorder = new PaintRecorder(box());
        return box()->snapshot().image.size() == box()->size();
    }
    void moveTo(QPoint at) const
    {
        SendMouse(box(), QEvent::MouseMove, at);
        QApplication::processEvents();
    }
    // What the box should show: its snapshot with the magnifier composed over it at the box's own scale.
    QImage composed(double scaleMax) const
    {
        const DiagramSnapshot& snapshot = box()->snapshot();
        QImage expected = snapshot.image.copy();
        QPainter painter(&expected);
        box()->magnifier().paint(painter, snapshot.image, scaleMax, snapshot.margin);
        return expected;
    }
    PaintRecorder* recorder = nullptr;
};

TEST_F(MagnifierWiringTest, MoveRepaintsOnlyTheOldAndNewLensAndWindow)
{
    if (!ready())
        GTEST_SKIP() << "sample library missing";
    const Magnifier& magnifier = box()->magnifier();
    const QPoint first(box()->width() / 2 + 40, box()->height() / 2 - 30);
    moveTo(first);
    ASSERT_TRUE(magnifier.shown());
    EXPECT_EQ(magnifier.lensRect(), QRect(first - QPoint(32, 32), QSize(64, 64)));
    EXPECT_EQ(magnifier.windowRect().topLeft(), first + QPoint(16 + 16, 16 + 8));
    const QRegion firstPlaces = QRegion(magnifier.lensRect()) + QRegion(magnifier.windowRect());
    EXPECT_EQ(recorder->painted, firstPlaces);

    const QImage onScreen = screen();
    const QRegion changed = Differences(onScreen, box()->snapshot().image);
    EXPECT_TRUE((changed - firstPlaces).isEmpty()) << "only the lens and the window differ";
    EXPECT_FALSE((changed & magnifier.lensRect()).isEmpty()) << "the lens refracts the diagram";
    EXPECT_EQ(onScreen, composed(box()->snapshot().scaleMax)) << "composed over the box's own snapshot";
    EXPECT_NE(onScreen, composed(box()->snapshot().scaleMax * 2)) << "the read-out follows the scale";

    recorder->painted = QRegion();
    moveTo(first + QPoint(-5, 7));
    EXPECT_EQ(recorder->painted, firstPlaces + QRegion(magnifier.lensRect()) + QRegion(magnifier.windowRect()));

    // Leaving the box leaves both where they were; a new radius redraws the
    // lens there at once.
    const QPoint last = magnifier.lensRect().center();
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(box(), &leave);
    EXPECT_TRUE(magnifier.shown());
    options().controls().TrackBarR->setValue(20);
    QApplication::processEvents();
    EXPECT_EQ(magnifier.lensRect().size(), QSize(40, 40));
    EXPECT_EQ(magnifier.lensRect().center(), last);
}

TEST_F(MagnifierWiringTest, WithTheLensOffOnlyTheWindowFollows)
{
    if (!ready())
        GTEST_SKIP() << "sample library missing";
    options().controls().CheckBoxOn->setChecked(false);
    const QPoint at(60, 70);
    moveTo(at);
    const Magnifier& magnifier = box()->magnifier();
    EXPECT_TRUE(magnifier.lensRect().isEmpty());
    EXPECT_EQ(magnifier.windowRect().topLeft(), at + QPoint(16, 8));
    EXPECT_TRUE((Differences(screen(), box()->snapshot().image) - QRegion(magnifier.windowRect())).isEmpty());

    // On again redraws the diagram without them; the next move brings the lens.
    options().controls().CheckBoxOn->setChecked(true);
    EXPECT_FALSE(magnifier.shown());
    moveTo(at);
    EXPECT_EQ(magnifier.lensRect().size(), QSize(64, 64));
}

TEST_F(MagnifierWiringTest, ControlsAndDragsRedrawTheLensWhereItIs)
{
    if (!ready())
        GTEST_SKIP() << "sample library missing";
    const OptionControls& c = options().controls();
    const QPoint at(box()->width() / 2 + 30, box()->height() / 2 + 20);
    moveTo(at);
    const QImage before = screen();
    // Ctrl + right turns the lens over at the pointer; the profile follows.
    SendMouse(box(), QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton, Qt::ControlModifier);
    EXPECT_EQ(box()->lensOptions().magnify, c.CheckBoxPlus->isChecked());
    EXPECT_EQ(c.PaintBoxArc->magnify(), c.CheckBoxPlus->isChecked());
    EXPECT_NE(screen(), before) << "magnifying and shrinking differ";
    c.TrackBarAlpha->setValue(0);
    EXPECT_EQ(screen(), composed(box()->snapshot().scaleMax));

    // Alt + right drags R up from y + R and turns at once at the end.
    SendMouse(box(), QEvent::MouseButtonPress, {100, 150}, Qt::RightButton, Qt::RightButton, Qt::AltModifier);
    SendMouse(box(), QEvent::MouseMove, {100, 140}, Qt::NoButton, Qt::RightButton, Qt::AltModifier);
    EXPECT_EQ(c.TrackBarR->value(), 42);
    SendMouse(box(), QEvent::MouseMove, {100, 40}, Qt::NoButton, Qt::RightButton, Qt::AltModifier);
    SendMouse(box(), QEvent::MouseMove, {100, 41}, Qt::NoButton, Qt::RightButton, Qt::AltModifier);
    EXPECT_EQ(c.TrackBarR->value(), 63);
    EXPECT_EQ(box()->magnifier().lensRect(), QRect(100 - 63, 41 - 63, 126, 126));
    // Alt + left drags K from y + K; other keys leave it.
    SendMouse(box(), QEvent::MouseButtonPress, {100, 150}, Qt::LeftButton, Qt::LeftButton, Qt::AltModifier);
    SendMouse(box(), QEvent::MouseMove, {100, 200}, Qt::NoButton, Qt::LeftButton, Qt::AltModifier);
    EXPECT_EQ(c.TrackBarK->value(), 30);
    SendMouse(box(), QEvent::MouseMove, {100, 100}, Qt::NoButton, Qt::LeftButton, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(c.TrackBarK->value(), 30);
    // Shift does what Alt does, for desktops whose window manager takes Alt + drag.
    SendMouse(box(), QEvent::MouseButtonPress, {100, 150}, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(box(), QEvent::MouseMove, {100, 170}, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(c.TrackBarK->value(), 10);
    SendMouse(box(), QEvent::MouseButtonPress, {100, 150}, Qt::RightButton, Qt::RightButton, Qt::ShiftModifier);
    SendMouse(box(), QEvent::MouseMove, {100, 200}, Qt::NoButton, Qt::RightButton, Qt::ShiftModifier);
    EXPECT_EQ(c.TrackBarR->value(), 13);
    // With the lens off the drags do nothing.
    c.CheckBoxOn->setChecked(false);
    SendMouse(box(), QEvent::MouseMove, {100, 100}, Qt::NoButton, Qt::LeftButton, Qt::AltModifier);
    EXPECT_EQ(c.TrackBarK->value(), 10);
}

// After direct redraws (no "Quality repaint") the snapshot lags; the first
// move renews it, so the lens never refracts an old picture.
TEST_F(MagnifierWiringTest, StaleSnapshotIsRenewedBeforeTheLensUsesIt)
{
    if (!ready())
        GTEST_SKIP() << "sample library missing";
    options().controls().CheckBoxMethod->setChecked(false);
    QTest::mouseClick(box(), Qt::LeftButton);  // Fit: every plane its own scale
    (void)picture();
    const double before = box()->snapshot().scaleMax;
    QSlider* slider = window->areas().diagramPanel->degreeSlider();
    ASSERT_GE(slider->maximum() - slider->minimum(), 3);
    slider->setValue(slider->minimum() + 3);
    (void)picture();
    ASSERT_EQ(box()->snapshot().scaleMax, before);
    moveTo({90, 90});
    EXPECT_NE(box()->snapshot().scaleMax, before);
    EXPECT_EQ(screen(), composed(box()->snapshot().scaleMax));
}

}  // namespace
