#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include "AppTestSupport.h"
#include "app/DiagramBox.h"
#include "app/DiagramPanel.h"
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
        entry.Texts = {"", name};
        const LoadResult result = LoadEntry(entry, std::string(KANDORA_SOURCE_DIR) + "/samples/");
        if (result.kind != LoadResult::Kind::Loaded)
            return false;
        shown.ShowFile(entry.Ies, QString::fromLatin1(name));
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

TEST_F(DiagramBoxTest, SliderKeepsItsWidthWhenTheColumnNarrowsAgainAndItsHintIsTrue)
{
    DiagramPanel panel;
    QSlider* slider = panel.degreeSlider();
    panel.show();
    panel.resize(800, 400);
    EXPECT_EQ(slider->width(), DiagramPanel::kSliderMaxWidth);
    for (const int width : {335, DiagramPanel::kMinWidth}) {
        panel.resize(width, 400);
        EXPECT_GE(slider->width(), 70) << width;
        EXPECT_LE(slider->geometry().right(), width) << width;
    }
    EXPECT_TRUE(slider->toolTip().contains(QStringLiteral("Shift+"))) << "Shift + wheel moves it";
    EXPECT_FALSE(slider->toolTip().contains(QStringLiteral("Ctrl")));
}

TEST_F(DiagramBoxTest, SymmetryTextOnlyForARecordWithOnePlane)
{
    DiagramPanel panel;
    ShownFile file;
    panel.followShownFile(file);
    const auto* axial = panel.findChild<QLabel*>(QStringLiteral("LabelAxial"));
    ASSERT_NE(axial, nullptr);
    file.ShowFile(tIES{}, QStringLiteral("unreadable.ies"));  // what a failed read leaves
    EXPECT_FALSE(axial->isVisibleTo(&panel));
    TiesData entry;
    entry.Texts = {"", "pendant-opal-globe.ies"};
    if (LoadEntry(entry, std::string(KANDORA_SOURCE_DIR) + "/samples/").kind != LoadResult::Kind::Loaded
        || entry.Ies.HorzCount != 1)
        GTEST_SKIP() << "axial sample missing";
    file.ShowFile(entry.Ies, QStringLiteral("pendant-opal-globe.ies"));
    EXPECT_TRUE(axial->isVisibleTo(&panel));
    EXPECT_FALSE(panel.degreeSlider()->isVisibleTo(&panel));
}

}  // namespace
