#include <gtest/gtest.h>

#include <cstring>

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolButton>

#include "RenderTestRecords.h"
#include "render/RenderSource.h"
#include "render/RenderWindow.h"

namespace {

class FakeSource : public RenderSource {
public:
    QString path;
    tIES ies;
    int plane = 0;
    PlaneOptions planes;

    QString CurrentFilePath() const override { return path; }
    const tIES& CurrentIes() const override { return ies; }
    int PlaneIndex() const override { return plane; }
    PlaneOptions Planes() const override { return planes; }
};

class FakeStore : public RenderSettingsStore {
public:
    RenderSettings stored;
    std::optional<RenderSettings> written;

    std::optional<QString> ReadRenderSettings(RenderSettings& settings, QSize, QSize) const override
    {
        settings = stored;
        return std::nullopt;
    }
    void WriteRenderSettings(const RenderSettings& settings) override { written = settings; }
};

// Light downward in plane 0 and sideways in plane 1.
tIES Downlight()
{
    return MakeRecord({0, 45, 90}, {0, 180}, {{1000, 600, 0}, {800, 300, 0}});
}

class RenderWindowTest : public ::testing::Test {
protected:
    FakeSource source;
    FakeStore store;
    std::unique_ptr<TRenderWindow> window;
    std::unique_ptr<QSignalSpy> renders;

    void open(bool visible = true)
    {
        source.path = QStringLiteral("/lib/down.ies");
        source.ies = Downlight();
        window = std::make_unique<TRenderWindow>(store, source);
        if (visible)
            window->show();
        renders = std::make_unique<QSignalSpy>(window.get(), &TRenderWindow::rendered);
    }
    template <typename T>
    T* control(const char* name) const
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QString text(const char* label) const { return control<QLabel>(label)->text(); }
    QPoint handleCentre(QSlider* slider) const
    {
        QStyleOptionSlider option;
        option.initFrom(slider);
        option.orientation = slider->orientation();
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        option.sliderPosition = slider->sliderPosition();
        option.sliderValue = slider->value();
        return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider).center();
    }
};

TEST_F(RenderWindowTest, ShowsItsFixedDialogWithStoredSettingsClampedByTheSliders)
{
    store.stored = RenderSettings{20, 30, 1000, 9000, false, false};
    open(false);
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(window->isVisible()) << "created hidden";
    EXPECT_TRUE(window->image().isNull()) << "blank until the first render";
    EXPECT_EQ(text("Label2"), QStringLiteral("100"));
    EXPECT_EQ(text("LabelZoom"), QStringLiteral("1000"));

    window.reset();
    ASSERT_TRUE(store.written.has_value()) << "written when destroyed";
    EXPECT_EQ(*store.written, (RenderSettings{20, 30, 100, 9000, false, false}));
}

TEST_F(RenderWindowTest, ShowingRendersWhatTheEngineGivesForTheControls)
{
    store.stored = RenderSettings{20, 30, 55, 800, false, true};
    open(false);
    source.plane = 1;
    source.planes.Fit = true;
    window->show();
    ASSERT_EQ(renders->count(), 1);
    const RenderRequest request{1, 55, 800, 1, false, source.planes};
    const std::vector<std::uint8_t> expected = RenderLight(source.ies, MakeRenderParameters(source.ies, request));
    const QImage& image = window->image();
    ASSERT_EQ(image.format(), QImage::Format_Grayscale8);
    ASSERT_EQ(image.size(), QSize(300, 300));
    EXPECT_EQ(std::memcmp(image.constBits(), expected.data(), expected.size()), 0);

    const QImage before = image;
    QTest::mouseClick(control<QToolButton>("SBradiosity"), Qt::LeftButton);
    EXPECT_EQ(renders->count(), 2) << "the radiosity toggle renders";
    EXPECT_NE(window->image(), before);
}

TEST_F(RenderWindowTest, ATypeBFileSaysWhyItsPictureIsWhite)
{
    open(false);
    source.ies.PhotometricType = 2;
    window->show();
    EXPECT_TRUE(control<QLabel>("LabelNotRendered")->isVisible());
    EXPECT_TRUE(text("LabelNotRendered").startsWith(QStringLiteral("Type B")));
}

TEST_F(RenderWindowTest, DragUpdatesTheLabelAndRendersOnceAtRelease)
{
    open();
    QSlider* slider = control<QSlider>("TTrackBar2");
    ASSERT_EQ(slider->value(), 40);
    const QPoint from = handleCentre(slider);
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, from);
    for (int dx = 4; dx <= 28; dx += 4)
        QTest::mouseMove(slider, from + QPoint(dx, 0));
    EXPECT_GT(slider->value(), 40);
    EXPECT_EQ(text("Label2"), QString::number(slider->value())) << "the label follows the drag";
    EXPECT_EQ(renders->count(), 0) << "nothing while dragging";
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, from + QPoint(28, 0));
    EXPECT_EQ(renders->count(), 1);

    // Releasing without a change since the last render does nothing.
    QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, handleCentre(slider));
    EXPECT_EQ(renders->count(), 1);

    // Keys: a held key's repeated releases render nothing, the real release once.
    QSlider* zoom = control<QSlider>("TTrackBarZoom");
    zoom->setFocus();
    QTest::keyPress(zoom, Qt::Key_Right);
    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(zoom, &repeated);
    EXPECT_EQ(renders->count(), 1);
    QTest::keyRelease(zoom, Qt::Key_Right);
    EXPECT_EQ(renders->count(), 2);
    EXPECT_EQ(text("LabelZoom"), QString::number(10000 - zoom->value()));
}

TEST_F(RenderWindowTest, ResetButtonsRenderEvenAtTheDefault)
{
    open();
    EXPECT_EQ(text("LabelZoom"), QStringLiteral("9500"));
    QTest::mouseClick(control<QPushButton>("ButtonResetZoom"), Qt::LeftButton);
    EXPECT_EQ(renders->count(), 1);
    control<QSlider>("TTrackBar2")->setValue(77);
    QTest::mouseClick(control<QPushButton>("ButtonResetBrightness"), Qt::LeftButton);
    EXPECT_EQ(renders->count(), 2);
    EXPECT_EQ(control<QSlider>("TTrackBar2")->value(), 40);
    EXPECT_EQ(text("Label2"), QStringLiteral("40"));
}

TEST_F(RenderWindowTest, AutomaticUpdateOffKeepsTheOldImageUntilTheToggleIsPressed)
{
    open();
    QToolButton* toggle = control<QToolButton>("SBUpdate");
    QTest::mouseClick(toggle, Qt::LeftButton);
    ASSERT_FALSE(window->autoUpdate());
    EXPECT_EQ(renders->count(), 0) << "the shown file is already rendered";
    const QImage old = window->image();

    source.path = QStringLiteral("/lib/up.ies");
    source.ies = MakeRecord({90, 135, 180}, {0}, {{0, 500, 900}});
    window->ShownFileChanged();
    EXPECT_EQ(renders->count(), 0);
    EXPECT_EQ(window->image(), old);

    QTest::mouseClick(toggle, Qt::LeftButton);
    EXPECT_EQ(renders->count(), 1);
    EXPECT_NE(window->image(), old);
    QTest::mouseClick(toggle, Qt::LeftButton);
    EXPECT_EQ(renders->count(), 1) << "once per new file, whichever way the toggle goes";

    // Back on automatic update a change renders at once.
    QTest::mouseClick(toggle, Qt::LeftButton);
    window->ShownFileChanged();
    EXPECT_EQ(renders->count(), 2);
}

TEST_F(RenderWindowTest, HiddenWindowOrNoFileRendersNothing)
{
    open(false);
    ASSERT_TRUE(window->autoUpdate());
    window->ShownFileChanged();
    EXPECT_EQ(renders->count(), 0);

    source.path.clear();
    window->show();
    EXPECT_EQ(renders->count(), 0) << "no file shown";
    QSlider* slider = control<QSlider>("TTrackBar2");
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Left);
    QTest::mouseClick(control<QPushButton>("ButtonResetBrightness"), Qt::LeftButton);
    EXPECT_EQ(renders->count(), 0);
}

}  // namespace
