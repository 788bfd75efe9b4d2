#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QToolButton>

#include "AppTestSupport.h"
#include "diagram/BoundedText.h"
#include "app/DiagramPanel.h"
#include "browser/FileBrowser.h"
#include "photometry/Calculations.h"

namespace {

// The main window hosting the browser, opened on the sample library.
class BrowserHostingTest : public ::testing::Test, public WindowFixture {
protected:
    static std::string Samples() { return std::string(KANDORA_SOURCE_DIR) + "/samples"; }
    TMainWindow& OpenOnSamples()
    {
        TMainWindow& w = open();
        w.show();
        w.browser().NavigateToPath(w.browser().Navigator().ParsingToDisplayPath(Samples()));
        return w;
    }
    FileListView& List() const { return *window->browser().List(); }
    int RowOf(const QString& caption) const
    {
        for (int i = 0; i < List().Model().rowCount(); ++i) {
            if (List().Model().data(List().Model().index(i), Qt::DisplayRole).toString() == caption)
                return i;
        }
        return -1;
    }
    void Focus(int row) const { List().setCurrentIndex(List().Model().index(row)); }
    const DiagramPanel& Diagram() const { return *window->areas().diagramPanel; }
    bool AxialShown() const { return !Diagram().findChild<QLabel*>(QStringLiteral("LabelAxial"))->isHidden(); }
};

}  // namespace

TEST_F(BrowserHostingTest, EverySampleShowsItsRecordSliderAndLabel)
{
    TMainWindow& w = OpenOnSamples();
    ASSERT_GT(List().Entries().FileCount(), 20);
    for (int row = List().FolderCount(); row < List().Model().rowCount(); ++row) {
        Focus(row);
        const tIES& current = shown.CurrentIes();
        EXPECT_EQ(current, List().Entries().Item(row).entry->Ies) << row;
        const bool planes = current.HorzCount > 1;
        const QSlider* slider = Diagram().degreeSlider();
        EXPECT_EQ(!slider->isHidden(), planes) << row;
        EXPECT_EQ(slider->isEnabled(), planes) << row;
        EXPECT_EQ(AxialShown(), !planes) << row;
        if (planes) {
            EXPECT_EQ(slider->maximum(), current.HorzCount - 1);
            EXPECT_EQ(slider->value(), slider->minimum() + ZeroPlaneIndex(current)) << row;
        }
        EXPECT_TRUE(Diagram().printButton()->isEnabled());
        EXPECT_TRUE(w.areas().panelInfo->text().startsWith(QStringLiteral("Filename: ")));
        EXPECT_TRUE(w.windowTitle().endsWith(w.browser().CurrentFilePath().mid(1)));
    }
}

// The panel's text: the file line, then the labelled keyword lines; a file
// naming no keyword still ends its file line with a line break.
TEST(InfoPanelText, FileLineThenKeywordLines)
{
    ShownFile shown;
    InfoPanel panel;
    panel.followShownFile(shown);
    EXPECT_TRUE(panel.text().isEmpty());
    TiesData entry = UnreadEntry("lamp\xE9.ies");  // not UTF-8: read as Latin-1
    shown.ShowFile(entry, "/x/");
    EXPECT_EQ(panel.text(), QStringLiteral("Filename: lamp\u00E9.ies\n"));
    entry.Texts.manufacturer = "Acme";
    entry.Texts.lamp = "LED";
    shown.ShowFile(entry, "/x/");
    EXPECT_EQ(panel.text(), QStringLiteral("Filename: lamp\u00E9.ies\nManufacturer: Acme\nLamp: LED"));
    // A header line of megabytes: only its front is composed, and it is cut.
    entry.Texts.test = std::string(std::size_t{10} << 20, 'x');
    shown.ShowFile(entry, "/x/");
    EXPECT_EQ(panel.text().section(QLatin1Char('\n'), 1, 1),
              QStringLiteral("Test: ") + QString(kShownTextLimit - 7, QLatin1Char('x')) + QChar(0x2026));
    shown.ShowNone();
    EXPECT_TRUE(panel.text().isEmpty());
}

TEST_F(BrowserHostingTest, FolderEntryBlanksTheDiagramArea)
{
    TMainWindow& w = OpenOnSamples();
    Focus(RowOf(QStringLiteral("pendant-opal-globe.ies")));
    Focus(0);  // the up entry, on by default in the list options
    EXPECT_EQ(RowOf(QStringLiteral("..")), 0);
    EXPECT_TRUE(Diagram().degreeSlider()->isHidden());
    EXPECT_FALSE(AxialShown());
    EXPECT_FALSE(Diagram().printButton()->isEnabled());
    EXPECT_FALSE(Diagram().renderButton()->isEnabled());
    EXPECT_TRUE(w.areas().panelInfo->text().isEmpty());
    EXPECT_TRUE(w.browser().CurrentFilePath().isEmpty());
}

TEST_F(BrowserHostingTest, LastFolderComesBackAtTheNextStart)
{
    writeIni("[GroupBoxExOther]\r\nCheckBoxSave=1\r\n");
    TMainWindow& first = OpenOnSamples();
    const QString path = first.browser().SelectedDisplayPath();
    EXPECT_TRUE(path.endsWith(QStringLiteral("/samples/"))) << path.toStdString();
    closeWindow();
    window.reset();
    EXPECT_TRUE(readIni().contains(QByteArray("Path=") + path.toUtf8()));
    TMainWindow& second = open();
    second.show();
    EXPECT_EQ(second.browser().SelectedDisplayPath(), path);
    EXPECT_GT(List().Entries().FileCount(), 20);
}

// `kandora FILE` opens the file's folder and shows the file; `kandora FOLDER`
// opens the folder; a path that is not there leaves the usual start-up.
TEST_F(BrowserHostingTest, StartPathOpensItsFolderAndShowsTheFile)
{
    const QString folder = dir.filePath(QStringLiteral("lamps/nested folder"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString sample = QString::fromStdString(Samples()) + QStringLiteral("/pendant-opal-globe.ies");
    ASSERT_TRUE(QFile::copy(sample, folder + QStringLiteral("/a first.ies")));
    const QString file = folder + QStringLiteral("/-odd name.ies");
    ASSERT_TRUE(QFile::copy(QString::fromStdString(Samples()) + QStringLiteral("/vehicle-fog-lamp.ies"), file));

    TMainWindow& w = open();
    w.setStartPath(file);
    w.show();
    EXPECT_TRUE(w.browser().SelectedDisplayPath().endsWith(QStringLiteral("/lamps/nested folder/")))
        << w.browser().SelectedDisplayPath().toStdString();
    EXPECT_EQ(w.browser().CurrentFilePath(), file);
    const int row = List().FirstSelectedRow();
    ASSERT_GE(row, List().FolderCount());
    EXPECT_EQ(shown.CurrentIes(), List().Entries().Item(row).entry->Ies);
    EXPECT_EQ(List().Entries().Item(row).entry->Texts.fileName, "-odd name.ies");
}

TEST_F(BrowserHostingTest, StartFolderOpensAndAMissingPathFallsBackToTheStoredFolder)
{
    TMainWindow& first = open();
    first.setStartPath(QString::fromStdString(Samples()));
    first.show();
    const QString samples = first.browser().SelectedDisplayPath();
    EXPECT_TRUE(samples.endsWith(QStringLiteral("/samples/"))) << samples.toStdString();
    EXPECT_GT(List().Entries().FileCount(), 20);
    window.reset();

    writeIni("[Kandora]\r\nPath=" + samples.toUtf8() + "\r\n[GroupBoxExOther]\r\nCheckBoxSave=1\r\n");
    TMainWindow& second = open();
    second.setStartPath(dir.filePath(QStringLiteral("gone/nothing.ies")));
    second.show();
    EXPECT_EQ(second.browser().SelectedDisplayPath(), samples);
}

TEST_F(BrowserHostingTest, OptionControlsDriveTheBrowser)
{
    TMainWindow& w = OpenOnSamples();
    OptionsPanel& panel = options();
    panel.controls().ComboBoxCaption->setCurrentIndex(CaptionNumber(CaptionChoice::Manufacturer));
    EXPECT_EQ(w.browser().Options().caption, CaptionChoice::Manufacturer);
    EXPECT_NE(RowOf(QStringLiteral("Norrick Outdoor Lighting")), -1);
    panel.controls().CheckBoxUp->setChecked(false);
    EXPECT_EQ(RowOf(QStringLiteral("..")), -1);
    EXPECT_FALSE(panel.controls().ComboBoxUp->isEnabled());
    auto* hover = panel.controls().EditHoverTime;
    hover->setText(QStringLiteral("2.5"));
    emit hover->editingFinished();
    EXPECT_EQ(List().HoverTime(), 2);
    EXPECT_EQ(hover->text(), QStringLiteral("2"));
    hover->setText(QStringLiteral("-"));
    emit hover->editingFinished();
    EXPECT_EQ(hover->text(), QStringLiteral("2")) << "a text that is no number keeps the time";
}

TEST_F(BrowserHostingTest, ListingFaultsReachThePresenterOnceAfterTheListing)
{
    OpenOnSamples();
    presenter.messages.clear();
    options().controls().ComboBoxCaption->setCurrentIndex(CaptionNumber(CaptionChoice::Manufacturer));
    EXPECT_TRUE(presenter.messages.empty()) << "no box inside the listing";
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].caption, QStringLiteral("Error!"));
    EXPECT_TRUE(presenter.messages[0].text.startsWith(QStringLiteral("Faults in 1 file:")));
    EXPECT_TRUE(presenter.messages[0].text.contains(QStringLiteral("misprinted-header.ies: Line ")));
}
