#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include "AppTestSupport.h"
#include "app/DiagramPanel.h"
#include "app/MainWindow.h"
#include "app/RenderWindowLink.h"
#include "browser/FileBrowser.h"
#include "render/RenderWindow.h"

namespace {

// The main window on the sample library with the render window beside it.
class RenderWindowLinkTest : public ::testing::Test, public WindowFixture {
protected:
    std::unique_ptr<RenderWindowLink> link;

    TRenderWindow& openBoth()
    {
        open().show();
        link = std::make_unique<RenderWindowLink>(*window, shown, *config, presenter);
        const std::string samples = std::string(KANDORA_SOURCE_DIR) + "/samples";
        window->browser().NavigateToPath(window->browser().Navigator().ParsingToDisplayPath(samples));
        return link->window();
    }
    QToolButton* toggle() const { return window->areas().diagramPanel->renderButton(); }
    // Focuses the sample `name` (or the first entry, a folder, for nullptr) and lets queued work run.
    bool select(const char* name) const
    {
        FileListView& list = *window->browser().List();
        for (int row = 0; row < list.Model().rowCount(); ++row) {
            const QModelIndex index = list.Model().index(row);
            const QString caption = list.Model().data(index, Qt::DisplayRole).toString();
            if (name ? caption == QString::fromLatin1(name) : row == 0) {
                list.setCurrentIndex(index);
                QCoreApplication::processEvents();
                return true;
            }
        }
        return false;
    }
};

TEST_F(RenderWindowLinkTest, ToggleShowsAndHidesAndClosingRaisesIt)
{
    TRenderWindow& render = openBoth();
    EXPECT_FALSE(render.isVisible()) << "created hidden";
    if (!select("downlight-led-4in-15w.ies"))
        GTEST_SKIP() << "sample library missing";
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
    if (!select("downlight-led-4in-15w.ies"))
        GTEST_SKIP() << "sample library missing";
    EXPECT_EQ(renders.count(), 0) << "hidden";

    toggle()->setChecked(true);
    ASSERT_TRUE(select("street-light-led-type-ii.ies"));
    EXPECT_EQ(renders.count(), 2) << "shown, then the new file once";
    QSlider* degree = window->areas().diagramPanel->degreeSlider();
    ASSERT_GT(degree->maximum(), degree->value());
    const QImage first = render.image();
    degree->setValue(degree->value() + 1);
    EXPECT_EQ(renders.count(), 3) << "the degree slider";
    EXPECT_NE(render.image(), first);
    const QImage last = render.image();
    ASSERT_TRUE(select(nullptr));
    EXPECT_EQ(renders.count(), 3) << "a folder entry: nothing to render";
    EXPECT_EQ(render.image(), last);
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
    link.reset();
    window.reset();

    // A bad value is reported; what follows it keeps the window's start.
    writeIni("[Render]\r\nLeft=10\r\nTop=20\r\nBrightness=7\r\nZoom=lots\r\nRadiocity=0\r\n");
    TRenderWindow& third = openBoth();
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].text, QStringLiteral("'lots' is not a valid integer value"));
    EXPECT_EQ(third.settings(), (RenderSettings{10, 20, 7, 500, true, true}));
}

}  // namespace
