#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include <QMimeData>
#include <QUrl>

#include "BrowserFixture.h"
#include "RecordingDesktop.h"

namespace fs = std::filesystem;

namespace {

// Names a shell would mangle: spaces, quotes, a command substitution, a
// newline, a leading "-", and bytes that are not UTF-8.
const std::string kOddNames[] = {"two words.ies", "it's \"q\".ies", "$(touch x).ies", "new\nline.ies",
                                 "-rf.ies", "caf\xe9 \xff.ies"};

class FileOperationsTest : public BrowserFixture {};

}  // namespace

TEST_F(FileOperationsTest, FileUrlsKeepEveryByte)
{
    for (const std::string& name : kOddNames) {
        const std::string path = "/l/" + name;
        const QByteArray url = FileUrl(path);
        EXPECT_TRUE(url.startsWith("file:///l/")) << name;
        for (const char c : url)
            EXPECT_TRUE(c > ' ' && c < 127 && c != '\'' && c != '"' && c != '$') << name;
        EXPECT_EQ(QByteArray::fromPercentEncoding(url.mid(7)).toStdString(), path);
        // The drag's QUrl gives the same bytes back in the uri-list.
        EXPECT_EQ(QUrl::fromEncoded(url, QUrl::StrictMode).toEncoded(), url) << name;
    }
    EXPECT_EQ(FolderOfPath("/a/b c/d.ies"), "/a/b c/");
    EXPECT_EQ(FolderOfPath("d.ies"), "");
}

TEST_F(FileOperationsTest, EditorGetsThePathAsOneArgument)
{
    RecordingDesktop desktop;
    // No editor: never the desktop's choice, which may be this program itself.
    EXPECT_FALSE(OpenWithTextEditor(desktop, "/l/two words.ies"));
    EXPECT_TRUE(desktop.opened.empty());
    desktop.programs = {QStringLiteral("mousepad"), QStringLiteral("gedit")};
    for (const std::string& name : kOddNames)
        OpenWithTextEditor(desktop, "/l/" + name);
    ASSERT_EQ(desktop.started.size(), std::size(kOddNames));
    for (std::size_t i = 0; i < desktop.started.size(); ++i) {
        EXPECT_EQ(desktop.started[i].program, QStringLiteral("gedit"));  // the first of the usual ones found
        EXPECT_EQ(desktop.started[i].arguments, std::vector<std::string>{"/l/" + kOddNames[i]});
    }
    // A relative name starting with "-" is made a path, never an option.
    OpenWithTextEditor(desktop, "-rf.ies");
    EXPECT_EQ(desktop.started.back().arguments, std::vector<std::string>{"./-rf.ies"});
    EXPECT_FALSE(OpenWithTextEditor(desktop, ""));
}

TEST_F(FileOperationsTest, ListedOddNamesReachTheDesktopExactly)
{
    for (const std::string& name : kOddNames)
        tree_.WriteIes("home/Docs/" + name, "Odd");
    RecordingDesktop desktop;
    desktop.programs = {QStringLiteral("kate")};
    Browser().SetDesktop(desktop);
    Browser().NavigateToPath(Path(QStringLiteral("Docs")));
    const Catalog& entries = Browser().List()->Entries();
    ASSERT_EQ(entries.FileCount(), static_cast<int>(std::size(kOddNames)));
    for (int row = entries.FolderCount(); row < entries.Count(); ++row) {
        const std::string path = Home() + "/Docs/" + entries.Item(row).entry->Texts.fileName;
        Focus(row);
        EXPECT_EQ(Browser().CurrentFileBytes(), path);
        Browser().Open1Click();
        Browser().OpenNotepad1Click();
        Browser().Openfolder1Click();
        EXPECT_EQ(desktop.opened.back(), FileUrl(Home() + "/Docs/"));
        EXPECT_EQ(desktop.opened[desktop.opened.size() - 2], FileUrl(path));
        EXPECT_EQ(desktop.started.back().arguments, std::vector<std::string>{path});
        std::unique_ptr<QMimeData> drag = Browser().FileDragData();
        ASSERT_NE(drag, nullptr);
        ASSERT_EQ(drag->urls().size(), 1);
        EXPECT_EQ(drag->urls()[0].toEncoded(), FileUrl(path));
    }
    EXPECT_TRUE(host_.messages.empty());
}

TEST_F(FileOperationsTest, WhatFailsOnTheDesktopIsToldInABox)
{
    RecordingDesktop desktop;
    Browser().SetDesktop(desktop);
    Browser().NavigateToPath(Path(QStringLiteral("Lamps")));
    Focus(static_cast<int>(ListCaptions().indexOf(QStringLiteral("c.ies"))));
    Browser().OpenNotepad1Click();  // no editor installed
    // The opener started, then gave up: told once it ends.
    Browser().Openfolder1Click();
    ASSERT_EQ(desktop.ended.size(), 1U);
    desktop.ended[0](QStringLiteral("xdg-open"), 4);
    Browser().Messages().Flush();
    ASSERT_EQ(host_.messages.size(), 2U);
    EXPECT_TRUE(desktop.started.empty() && desktop.opened.size() == 1U) << "never the desktop's choice as editor";
    EXPECT_TRUE(host_.messages[0].contains(QStringLiteral("in a text editor")));
    EXPECT_EQ(host_.messages[1], QStringLiteral("Cannot open the folder ") + NameToText(Home() + "/Lamps/") +
                                     QStringLiteral("\rxdg-open ended with status 4."));
}

TEST_F(FileOperationsTest, StartedProgramsGetExactBytesWithoutAShell)
{
    const fs::path folder = tree_.MakeFolder("spawned");
    SystemDesktop desktop;
    ASSERT_TRUE(desktop.HasProgram(QStringLiteral("touch")));
    EXPECT_FALSE(desktop.Start(QStringLiteral("no-such-program-here"), {}, {}));
    for (const std::string& name : kOddNames)
        ASSERT_TRUE(desktop.Start(QStringLiteral("touch"), {(folder / name).string()}, {}));
    // The programs run detached: wait a little for them.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    auto count = [&folder] { return std::distance(fs::directory_iterator(folder), fs::directory_iterator()); };
    while (count() < static_cast<long>(std::size(kOddNames)) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    for (const std::string& name : kOddNames)
        EXPECT_TRUE(fs::exists(folder / name)) << name;
    EXPECT_EQ(count(), static_cast<long>(std::size(kOddNames)));  // nothing else: no substitution ran
    EXPECT_FALSE(fs::exists(fs::current_path() / "x"));

    // Each started program's exit status comes back on the event loop.
    std::vector<int> statuses;
    for (const char* program : {"true", "false"})
        ASSERT_TRUE(desktop.Start(QString::fromLatin1(program), {},
                                  [&](const QString&, int status) { statuses.push_back(status); }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return statuses.size() == 2; }, 10000));
    std::sort(statuses.begin(), statuses.end());
    EXPECT_EQ(statuses, (std::vector<int>{0, 1}));
}
