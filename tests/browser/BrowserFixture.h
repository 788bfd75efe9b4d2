#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

#include "FakeHost.h"
#include "TempTree.h"
#include "browser/FileBrowser.h"

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// A browser over a temporary home folder: home/Lamps/{Spots,Floods},
// home/Lamps holding three files, and an empty file-system root beside it.
class BrowserFixture : public ::testing::Test {
protected:
    BrowserFixture()
    {
        tree_.MakeFolder("home/Lamps/Spots/Narrow");
        tree_.MakeFolder("home/Lamps/Floods");
        tree_.MakeFolder("home/Docs");
        tree_.MakeFolder("fs");
        tree_.WriteIes("home/Lamps/b.ies", "Zeta", "", 3);
        tree_.WriteIes("home/Lamps/A.ies", "Alpha", "Halogen", 1);
        tree_.WriteIes("home/Lamps/c.ies", "Mid", "", 2);
        tree_.WriteIes("home/Lamps/Spots/s.ies", "Spot");
    }

    FileBrowser& Browser()
    {
        if (!browser_) {
            browser_ = std::make_unique<FileBrowser>(host_, host_.shown,
                                                     ShellNamespace(Home(), (tree_.Root() / "fs").string()), widgets_);
            browser_->List()->resize(400, 300);
            browser_->Tree()->resize(300, 400);
            browser_->ButtonCreateTreeClick();
        }
        return *browser_;
    }
    std::string Home() const { return (tree_.Root() / "home").string(); }
    // The display path of a folder below home, e.g. Path("Lamps/Spots").
    static QString Path(const QString& belowHome) { return QStringLiteral("Desktop/home/") + belowHome + QStringLiteral("/"); }
    QString SelectedText() { return Browser().Tree()->Selected() ? Browser().Tree()->Selected()->text(0) : QString(); }
    QStringList ListCaptions()
    {
        QStringList out;
        auto& model = Browser().List()->Model();
        for (int i = 0; i < model.rowCount(); ++i)
            out.append(model.data(model.index(i), Qt::DisplayRole).toString());
        return out;
    }
    void Focus(int row) { Browser().List()->setCurrentIndex(Browser().List()->Model().index(row)); }
    // A listing's box waits for the tree to be still; then every box is shown.
    void DeliverQueuedMessages()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !Browser().Messages().BoxesHeld(); }));
        QCoreApplication::sendPostedEvents();
        Browser().Messages().Flush();
    }

    TempTree tree_;
    FakeHost host_;
    QWidget widgets_;  // owns the tree and the list, after the browser is gone
    std::unique_ptr<FileBrowser> browser_;
};
