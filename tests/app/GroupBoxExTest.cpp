#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include "app/GroupBoxEx.h"

namespace {

class GroupBoxExTest : public ::testing::Test {
protected:
    QWidget owner;
    TGroupBoxEx* box = new TGroupBoxEx(QStringLiteral("Tree View"), &owner);

    void SetUp() override
    {
        box->setGeometry(6, 6, 130, 174);
        owner.resize(200, 400);
        owner.show();
    }
    QPoint onButton() const { return box->buttonRect().center(); }
    QPoint offButton() const { return QPoint(40, box->height() - 10); }
    void click(QPoint at) const
    {
        QTest::mousePress(box, Qt::LeftButton, {}, at);
        QTest::mouseRelease(box, Qt::LeftButton, {}, at);
    }
};

TEST_F(GroupBoxExTest, CollapsedHeightFollowsFontAndBorder)
{
    box->setCollapsed(true);
    EXPECT_EQ(box->height(), box->fontMetrics().height() + 3);
    if (box->fontMetrics().height() == 13) {
        EXPECT_EQ(box->height(), 16) << "the standard 13-pixel font";
    }
    box->setBorderTB(25);
    EXPECT_EQ(box->borderTB(), 20);
    EXPECT_EQ(box->height(), box->fontMetrics().height() + 2 * 20 + 3);
    box->setBorderLR(-4);
    EXPECT_EQ(box->borderLR(), 0);
}

TEST_F(GroupBoxExTest, ButtonClickCollapsesAndExpandsToRememberedHeight)
{
    QSignalSpy spy(box, &TGroupBoxEx::expanded);
    click(onButton());
    EXPECT_TRUE(box->collapsed());
    EXPECT_EQ(box->height(), box->collapsedHeight());
    click(onButton());
    EXPECT_FALSE(box->collapsed());
    EXPECT_EQ(box->height(), 174);
    EXPECT_EQ(spy.count(), 2);
}

TEST_F(GroupBoxExTest, SettingSameStateReappliesAndAnnounces)
{
    box->setCollapsed(false);
    box->resize(130, 60);
    QSignalSpy spy(box, &TGroupBoxEx::expanded);
    box->setCollapsed(false);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(box->height(), 60);
}

TEST_F(GroupBoxExTest, PressMoveOffAndReleaseDoesNotToggle)
{
    QSignalSpy released(box, &TGroupBoxEx::mouseReleased);
    QTest::mousePress(box, Qt::LeftButton, {}, onButton());
    EXPECT_TRUE(box->pressed());
    QMouseEvent move(QEvent::MouseMove, QPointF(box->width() + 30, 5), QPointF(box->mapToGlobal(QPoint(box->width() + 30, 5))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &move);
    EXPECT_FALSE(box->pressed());
    QTest::mouseRelease(box, Qt::LeftButton, {}, onButton());
    EXPECT_FALSE(box->collapsed());
    EXPECT_EQ(released.count(), 1) << "the release is not a button click, so the owner hears it";
}

TEST_F(GroupBoxExTest, ResizeUpdatesExpandedHeightButNotCollapsedOne)
{
    box->resize(130, 90);
    EXPECT_EQ(box->heightExpanded(), 90);
    box->setCollapsed(true);
    box->resize(130, 120);
    EXPECT_EQ(box->height(), box->collapsedHeight());
    EXPECT_EQ(box->heightExpanded(), 90);
    box->setHeightExpanded(100);
    EXPECT_EQ(box->height(), box->collapsedHeight());
    box->setCollapsed(false);
    EXPECT_EQ(box->height(), 100);
}

TEST_F(GroupBoxExTest, MouseOutsideButtonGoesToOwnerInsideDoesNot)
{
    QSignalSpy pressed(box, &TGroupBoxEx::mousePressed);
    QSignalSpy moved(box, &TGroupBoxEx::mouseMoved);
    QTest::mouseMove(box, onButton());
    QTest::mousePress(box, Qt::LeftButton, {}, onButton());
    EXPECT_EQ(pressed.count(), 0);
    EXPECT_EQ(moved.count(), 0);
    QTest::mouseRelease(box, Qt::LeftButton, {}, onButton());
    box->setCollapsed(false);
    QTest::mousePress(box, Qt::LeftButton, {}, offButton());
    QTest::mouseMove(box, offButton() + QPoint(3, 3));
    EXPECT_EQ(pressed.count(), 1);
    EXPECT_GE(moved.count(), 1);
    QTest::mouseRelease(box, Qt::LeftButton, {}, offButton());
}

TEST_F(GroupBoxExTest, CursorIsArrowOverButtonAndRestoredElsewhere)
{
    box->setCursor(Qt::OpenHandCursor);
    // A move to where the pointer already is (a test before may have left it
    // on the button) sends no event, so start from elsewhere.
    QTest::mouseMove(box, offButton());
    QTest::mouseMove(box, onButton());
    EXPECT_EQ(box->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(box, offButton());
    EXPECT_EQ(box->cursor().shape(), Qt::OpenHandCursor);
}

TEST_F(GroupBoxExTest, OwnerHearsShiftAndCtrlButNotAlt)
{
    Qt::KeyboardModifiers heard;
    QObject::connect(box, &TGroupBoxEx::mousePressed, box, [&heard](TGroupBoxEx*, QMouseEvent* e) { heard = e->modifiers(); });
    QTest::mousePress(box, Qt::LeftButton, Qt::AltModifier | Qt::ShiftModifier | Qt::ControlModifier, offButton());
    EXPECT_EQ(heard, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::mouseRelease(box, Qt::LeftButton, {}, offButton());
}

TEST(GroupBoxExCaption, DoubledAmpersandShowsAsOne)
{
    TGroupBoxEx box(QStringLiteral("Fish eye&&Fly Window"));
    EXPECT_EQ(box.shownCaption(), QStringLiteral("Fish eye&Fly Window"));
}

}  // namespace
