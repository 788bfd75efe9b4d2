#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QWidget>

#include "app/HintTracker.h"

namespace {

TEST(HintTracker, FollowsHoveredWidgetAndKeepsTitleHintsFromPoppingUp)
{
    QWidget top;
    auto* plain = new QWidget(&top);
    plain->setToolTip(QStringLiteral("Print"));
    auto* titled = new QWidget(&top);
    titled->setToolTip(QStringLiteral("?/home/light"));
    HintTracker tracker;
    QSignalSpy spy(&tracker, &HintTracker::hintChanged);

    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(plain, &enter);
    EXPECT_EQ(tracker.currentHint(), QStringLiteral("Print"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(plain, &leave);
    QApplication::sendEvent(titled, &enter);
    EXPECT_EQ(tracker.currentHint(), QStringLiteral("?/home/light"));
    titled->setToolTip(QStringLiteral("?/srv"));
    EXPECT_EQ(tracker.currentHint(), QStringLiteral("?/srv")) << "a hint changed while hovered";
    QApplication::sendEvent(titled, &leave);
    EXPECT_EQ(tracker.currentHint(), QString());
    EXPECT_EQ(spy.count(), 5) << "Print, none, two title hints, none";

    QHelpEvent titleTip(QEvent::ToolTip, QPoint(1, 1), QPoint(1, 1));
    EXPECT_TRUE(tracker.eventFilter(titled, &titleTip)) << "no pop-up for a title hint";
    QHelpEvent plainTip(QEvent::ToolTip, QPoint(1, 1), QPoint(1, 1));
    EXPECT_FALSE(tracker.eventFilter(plain, &plainTip));
}

TEST(ImmediateHintStyle, NoDelays)
{
    ImmediateHintStyle style;
    EXPECT_EQ(style.styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(style.styleHint(QStyle::SH_ToolTip_FallAsleepDelay, nullptr, nullptr, nullptr), 0);
}

}  // namespace
