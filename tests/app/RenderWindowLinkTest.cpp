#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include "AppTestSupport.h"
#include "app/DiagramPanel.h"
#include "app/RenderWindowLink.h"
#include "diagram/ShownFile.h"
#include "render/RenderWindow.h"

namespace {

tIES TwoPlanes(double strongest)
{
    tIES ies;
    ies.PhotometricType = 1;
    ies.VertCount = 3;
    ies.HorzCount = 2;
    ies.VertAngles = {0, 45, 90};
    ies.HorzAngles = {0, 180};
    ies.Candela = {{strongest, 500, 0}, {400, 200, 0}};
    return ies;
}

class RenderWindowLinkTest : public ::testing::Test, public WindowFixture {
protected:
    std::unique_ptr<RenderWindowLink> link;

    TRenderWindow& openBoth()
    {
        open().show();
        link = std::make_unique<RenderWindowLink>(*window, shown, *config, presenter);
        return link->window();
    }
    QToolButton* toggle() const { return window->areas().diagramPanel->renderButton(); }
};

TEST_F(RenderWindowLinkTest, ToggleShowsAndHidesAndClosingRaisesIt)
{
    TRenderWindow& render = openBoth();
    EXPECT_FALSE(render.isVisible()) << "created hidden";
    shown.ShowFile(TwoPlanes(1000), QStringLiteral("/lib/a.ies"));
    ASSERT_TRUE(toggle()->isEnabled());
    QSignalSpy renders(&render, &TRenderWindow::rendered);
    QTest::mouseClick(toggle(), Qt::LeftButton);
    EXPECT_TRUE(render.isVisible());
    EXPECT_EQ(renders.count(), 1) << "showing renders the shown file";
    QTest::mouseClick(toggle(), Qt::LeftButton);
    EXPECT_FALSE(render.isVisible());

    toggle()->setChecked(true);
    render.close();
    EXPECT_FALSE(toggle()->isChecked());
}

TEST_F(RenderWindowLinkTest, NewFileAndPlaneRenderOnlyWhileVisible)
{
    TRenderWindow& render = openBoth();
    QSignalSpy renders(&render, &TRenderWindow::rendered);
    shown.ShowFile(TwoPlanes(1000), QStringLiteral("/lib/a.ies"));
    EXPECT_EQ(renders.count(), 0) << "hidden";

    toggle()->setChecked(true);
    shown.ShowFile(TwoPlanes(3000), QStringLiteral("/lib/b.ies"));
    EXPECT_EQ(renders.count(), 2) << "shown, then the new file once";
    window->areas().diagramPanel->degreeSlider()->setValue(1);
    EXPECT_EQ(renders.count(), 3) << "the degree slider";
    const QImage plane1 = render.image();
    shown.ShowNone();
    EXPECT_EQ(renders.count(), 3) << "no file: nothing to render";
    EXPECT_EQ(render.image(), plane1);
}

TEST_F(RenderWindowLinkTest, SettingsComeBackAfterARestart)
{
    writeIni("[Kandora]\r\nWidth=900\r\n[Render]\r\nMine=7\r\n");
    TRenderWindow& first = openBoth();
    first.move(40, 50);
    first.findChild<QSlider*>(QStringLiteral("TTrackBar2"))->setValue(70);
    first.findChild<QSlider*>(QStringLiteral("TTrackBarZoom"))->setValue(1234);
    first.findChild<QToolButton*>(QStringLiteral("SBradiosity"))->setChecked(false);
    const RenderSettings before = first.settings();
    EXPECT_EQ(before, (RenderSettings{40, 50, 70, 1234, false, true}));
    link.reset();
    window.reset();

    TRenderWindow& second = openBoth();
    EXPECT_EQ(second.settings(), before);
    EXPECT_TRUE(readIni().contains("[Render]\r\nMine=7\r\nLeft=40\r\nTop=50\r\n")) << "other keys are kept";
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(RenderWindowLinkTest, BadValueIsReportedAndTheRestKeepsItsStart)
{
    writeIni("[Render]\r\nLeft=10\r\nTop=20\r\nBrightness=7\r\nZoom=lots\r\nRadiocity=0\r\n");
    TRenderWindow& render = openBoth();
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].text, QStringLiteral("'lots' is not a valid integer value"));
    EXPECT_EQ(render.settings(), (RenderSettings{10, 20, 7, 500, true, true}));
}

}  // namespace
