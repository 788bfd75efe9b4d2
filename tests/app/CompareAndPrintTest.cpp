#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QPrinter>
#include <QSlider>
#include <QToolButton>

#include "AppTestSupport.h"
#include "app/CompareWindow.h"
#include "app/DiagramPanel.h"
#include "app/OptionControls.h"
#include "browser/FileBrowser.h"

namespace {

// The main window on the sample library with a compare window handed to it.
class CompareAndPrintTest : public ::testing::Test, public WindowFixture {
protected:
    void SetUp() override
    {
        TMainWindow& w = open();
        w.setCompareWindow(&compare_);
        w.show();
        const std::string samples = std::string(KANDORA_SOURCE_DIR) + "/samples";
        w.browser().NavigateToPath(w.browser().Navigator().ParsingToDisplayPath(samples));
    }
    void TearDown() override { window->setCompareWindow(nullptr); }
    FileListView& List() const { return *window->browser().List(); }
    const TiesData& Focus(const char* caption) const
    {
        for (int row = 0; row < List().Model().rowCount(); ++row)
            if (List().Model().index(row).data().toString() == QString::fromLatin1(caption)) {
                List().setCurrentIndex(List().Model().index(row));
                return *List().Entries().Item(row).entry;
            }
        ADD_FAILURE() << caption;
        return *List().Entries().Item(List().FolderCount()).entry;
    }
    QToolButton* PrintButton() const { return window->areas().diagramPanel->printButton(); }

    TBigGonioWin compare_;
};

}  // namespace

TEST_F(CompareAndPrintTest, CompareWindowKeepsItsCopyUntilAskedAgain)
{
    EXPECT_EQ(compare_.windowTitle(), QStringLiteral("BigGonioWin"));
    const Qt::WindowFlags flags = compare_.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);

    const TiesData& globe = Focus("pendant-opal-globe.ies");
    window->ShowCompareWindow();
    ASSERT_TRUE(compare_.isVisible());
    EXPECT_EQ(compare_.windowTitle(), QStringLiteral("pendant-opal-globe.ies"));
    EXPECT_EQ(compare_.CompareIes(), globe.Ies);
    EXPECT_EQ(compare_.size(), QSize(329, 329));  // first shown at 329 x 326, then squared

    const TiesData& street = Focus("street-light-post-top.ies");
    window->areas().diagramPanel->degreeSlider()->setValue(3);
    EXPECT_EQ(compare_.CompareIes(), globe.Ies);
    EXPECT_EQ(compare_.windowTitle(), QStringLiteral("pendant-opal-globe.ies"));

    window->ShowCompareWindow();
    EXPECT_EQ(compare_.CompareIes(), street.Ies);
    EXPECT_EQ(compare_.ComparePlane(), 3);
    EXPECT_EQ(compare_.windowTitle(), QStringLiteral("street-light-post-top.ies"));
}

TEST_F(CompareAndPrintTest, WithAFolderEntryFocusedNothingStaleIsComparedOrPrinted)
{
    ASSERT_EQ(List().Model().index(0).data().toString(), QStringLiteral(".."));
    const auto focusUp = [this] { List().setCurrentIndex(List().Model().index(0)); };
    focusUp();
    window->ShowCompareWindow();
    EXPECT_FALSE(compare_.isVisible()) << "no file shown: nothing to compare";
    const TiesData& globe = Focus("pendant-opal-globe.ies");
    window->ShowCompareWindow();
    focusUp();
    window->ShowCompareWindow();
    EXPECT_EQ(compare_.windowTitle(), QStringLiteral("pendant-opal-globe.ies"));
    EXPECT_EQ(compare_.CompareIes(), globe.Ies);
    EXPECT_FALSE(PrintButton()->isEnabled());

    // A file that does not read shows nothing, so there is nothing to print either.
    QFile bad(dir.filePath(QStringLiteral("refused.ies")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly) && bad.write("TILT=NONE\r\n1 1000 1 65535 65535 1 2 0 0 0 1 1 35\r\n"));
    bad.close();
    window->browser().NavigateToPath(window->browser().Navigator().ParsingToDisplayPath(dir.path().toStdString()));
    Focus("refused.ies");
    ASSERT_FALSE(window->browser().CurrentFilePath().isEmpty());
    EXPECT_FALSE(PrintButton()->isEnabled());
    bool asked = false;
    window->setPrintDialogRunner([&](QPrinter&, QWidget*) { return asked = true; });
    window->SpeedButtonPrintClick();
    EXPECT_FALSE(asked);
}

TEST_F(CompareAndPrintTest, CompareWindowFollowsOptionChangesAndStaysSquare)
{
    Focus("pendant-opal-globe.ies");
    window->ShowCompareWindow();
    const QImage before = compare_.grab().toImage();
    options().controls().CheckBoxLabels->toggle();
    QCoreApplication::processEvents();
    EXPECT_NE(compare_.grab().toImage(), before);

    compare_.resize(400, 300);
    EXPECT_EQ(compare_.size(), QSize(400, 400));
    compare_.resize(250, 320);
    EXPECT_EQ(compare_.size(), QSize(320, 320));
}

TEST_F(CompareAndPrintTest, PrintingWritesThePageAndAlwaysPopsTheButtonUp)
{
    Focus("pendant-opal-globe.ies");
    ASSERT_TRUE(PrintButton()->isEnabled());
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    bool heldDown = false;
    QString offered;
    window->setPrintDialogRunner([&](QPrinter& printer, QWidget*) {
        heldDown = PrintButton()->isDown();
        offered = printer.docName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    PrintButton()->click();
    EXPECT_TRUE(heldDown);
    EXPECT_FALSE(PrintButton()->isDown());
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 1) << "one page";
    // The dialog's file is named after the shown file; the document keeps its title.
    EXPECT_EQ(offered, QStringLiteral("pendant-opal-globe.ies"));
    QByteArray title("\xFE\xFF", 2);
    for (const QChar c : kPrintDocumentTitle)
        title += QByteArray(1, '\0') + QByteArray(1, static_cast<char>(c.unicode()));
    EXPECT_TRUE(bytes.contains(title));
    file.close();
    QFile::remove(pdf);

    window->setPrintDialogRunner([](QPrinter&, QWidget*) { return false; });
    PrintButton()->click();
    EXPECT_FALSE(PrintButton()->isDown());
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(presenter.messages.empty());
}
