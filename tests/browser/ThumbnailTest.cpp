#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include "BrowserFixture.h"
#include "browser/UpdatesFrozen.h"
#include "TempTree.h"
#include "browser/CatalogFeedback.h"
#include "browser/FileListView.h"
#include "browser/ProgressPanel.h"
#include "browser/ThumbnailDelegate.h"
#include "browser/ThumbnailImageList.h"
#include "browser/ThumbnailPainting.h"

namespace fs = std::filesystem;

namespace {

// A type B file: 'type' 2 on the counts line, vertical angles -90 to 90.
std::string TypeBText()
{
    return "IESNA:LM-63-2002\r\n[TEST] B\r\nTILT=NONE\r\n"
           "1 1000 1 3 2 2 2 0 0 0\r\n1 1 10\r\n-90 0 90\r\n0 90\r\n10 100 10\r\n10 100 10\r\n";
}

bool Near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 && std::abs(a.blue() - b.blue()) <= 2;
}

// Pixels that differ between two pictures of the same size, inside `area`.
int Differing(const QImage& a, const QImage& b, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    return count;
}

// A file list over a temporary folder in the thumbnail view, painted item by
// item into pictures of one cell.
class ThumbnailTest : public ::testing::Test {
protected:
    ThumbnailTest()
    {
        tree_.MakeFolder("lamps/Spots");
        tree_.MakeFolder("lamps/Floods");
        tree_.WriteIes("lamps/c.ies", "Maker", "", 2);
        tree_.Write("lamps/b.ies", TypeBText());
        list_.resize(600, 400);
        delegate_ = new ThumbnailDelegate(&list_);
        list_.setItemDelegate(delegate_);
        delegate_->SetThumbnails(true);
        delegate_->SetDiagramOptions(DefaultDiagramOptions());
    }
    std::string Folder() const { return tree_.Folder() + "lamps/"; }
    void List()
    {
        list_.AddFolderEntry(QStringLiteral("Floods"), folderIcon_);
        list_.AddFolderEntry(QStringLiteral("Spots"), folderIcon_);
        std::vector<ReadFault> faults;
        list_.ListFolder(Folder(), CaptionChoice::FileName, true, faults);
    }
    int Row(const std::string& name) const
    {
        for (int i = list_.FolderCount(); i < list_.Entries().Count(); ++i)
            if (list_.Entries().Item(i).caption == name)
                return i;
        return -1;
    }
    const TiesData& Entry(const std::string& name) const { return *list_.Entries().Item(Row(name)).entry; }
    QSize Cell() const { return ThumbnailGridSize(list_.fontMetrics().height()); }
    // One item painted at `topLeft` into a picture of one cell, over white,
    // read first as the list reads the entries a paint meets.
    QImage Paint(int row, QStyle::State extra = {}, QPoint topLeft = {})
    {
        list_.Model().ReadEntries({row}, Folder(), 1);
        QImage picture(Cell(), QImage::Format_RGB32);
        picture.fill(Qt::white);
        QStyleOptionViewItem option;
        option.initFrom(&list_);
        option.rect = QRect(topLeft, Cell());
        option.state |= extra;
        QPainter painter(&picture);
        delegate_->paint(&painter, option, list_.Model().index(row));
        return picture;
    }
    // The thumbnail's own 100 x 100 pixels out of a painted cell.
    QImage Thumbnail(const QImage& cell) const
    {
        const QPoint origin = ThumbnailOrigin(ThumbnailCell(QRect(QPoint(), Cell()), list_.fontMetrics().height()).icon);
        return cell.copy(QRect(origin, QSize(kThumbnailSide, kThumbnailSide)));
    }

    TempTree tree_;
    FileListView list_;
    ThumbnailDelegate* delegate_;
    QIcon folderIcon_ = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
};

}  // namespace

TEST(ThumbnailImageListTest, DistinctFolderIconsOnceThenFileIconThenScratch)
{
    const QIcon folder = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon home = QApplication::style()->standardIcon(QStyle::SP_DirHomeIcon);
    // No photometric files: the folder icons (two subfolders share one) and one empty cell.
    const ThumbnailImageList noFiles({home, folder, folder}, nullptr, 32, 1.0);
    ASSERT_EQ(noFiles.Count(), 3);
    EXPECT_EQ(noFiles.IndexOf(home), 0);
    EXPECT_EQ(noFiles.IndexOf(folder), 1);
    EXPECT_EQ(noFiles.FileImageIndex(), -1);
    const QImage& empty = noFiles.Image(noFiles.ScratchIndex());
    EXPECT_EQ(empty.size(), QSize(kThumbnailSide, kThumbnailSide));
    EXPECT_EQ(empty.pixelColor(50, 50).alpha(), 0);
    // The icon sits centred: (100 - 32) / 2 = 34 from each edge, nothing outside.
    const QImage& cell = noFiles.Image(1);
    EXPECT_EQ(cell.pixelColor(33, 50).alpha(), 0);
    EXPECT_GT(cell.pixelColor(50, 50).alpha(), 0);

    const QIcon file = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    const ThumbnailImageList withFiles({folder, folder}, &file, 32, 2.0);
    ASSERT_EQ(withFiles.Count(), 3);
    EXPECT_EQ(withFiles.FileImageIndex(), 1);
    // The scratch cell starts as a copy of the file's cell, drawn at the screen's density.
    EXPECT_EQ(withFiles.Image(2), withFiles.Image(1));
    EXPECT_EQ(withFiles.Image(2).size(), QSize(200, 200));
}

TEST(ThumbnailImageListTest, UpEntryIconJoinsWhetherTheEntryIsShownOrNot)
{
    const QIcon up = QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon folder = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    Catalog catalog;
    catalog.AddFolderEntry("Spots", folder);
    SilentFeedback feedback;
    std::vector<QIcon> icons = ThumbnailFolderIcons(catalog, &up, feedback);
    ASSERT_EQ(icons.size(), 2U);
    EXPECT_EQ(icons[0].cacheKey(), up.cacheKey());
    catalog.InsertUpEntry("..", up);
    icons = ThumbnailFolderIcons(catalog, &up, feedback);
    ASSERT_EQ(icons.size(), 2U);  // the shown up entry brings its own icon
    EXPECT_EQ(ThumbnailFolderIcons(catalog, nullptr, feedback).size(), 2U);
}

TEST(ThumbnailGeometryTest, CellPlacementAndCaptionWrapping)
{
    // Centred in the icon rectangle, with the halves truncated toward zero left of the view.
    EXPECT_EQ(ThumbnailOrigin(QRect(0, 0, 129, 109)), QPoint(14, 4));
    EXPECT_EQ(ThumbnailOrigin(QRect(-131, -211, 129, 109)), QPoint(-116, -206));
    EXPECT_TRUE(ReachesIntoList(QRect(0, -150, 128, 150)));
    EXPECT_FALSE(ReachesIntoList(QRect(0, -151, 128, 150)));

    const QFont font = QApplication::font();
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QStringLiteral("wall-washer-"));
    EXPECT_EQ(WrapCaption(QStringLiteral("Up to 'Lamps'"), font, 200, 2), QStringList{QStringLiteral("Up to 'Lamps'")});
    // Broken after words (a hyphen ends one); what does not fit is cut in the
    // middle of the last line, so the end that tells names apart stays.
    const QStringList lines = WrapCaption(QStringLiteral("wall-washer-recessed-led-with-a-long-name.ies"), font, width, 2);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("wall-washer-"));
    EXPECT_TRUE(lines[1].contains(QChar(0x2026)));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(".ies")));
    // A name without blanks fills the first line and keeps its end on the second.
    const QStringList word = WrapCaption(QStringLiteral("ksmet1977_testcode_iesna_type_c_17.ies"), font, width, 2);
    ASSERT_EQ(word.size(), 2);
    EXPECT_TRUE(word[0].startsWith(QStringLiteral("ksmet1977")));
    EXPECT_TRUE(word[1].endsWith(QStringLiteral("7.ies"))) << "the number that tells it apart stays";
    for (const QString& line : lines + word)
        EXPECT_LE(metrics.horizontalAdvance(line), width) << line.toStdString();
}

TEST(ThumbnailGeometryTest, CaptionCacheKeepsWrappingPerFontAndStaysBounded)
{
    QFont font = QApplication::font();
    const QString name = QStringLiteral("wall-washer-recessed-led-with-a-long-name.ies");
    const int width = QFontMetrics(font).horizontalAdvance(QStringLiteral("wall-washer-"));
    CaptionCache cache;
    const ShapedCaption& shaped = cache.Shaped(name, font, width);
    const QStringList lines = WrapCaption(name, font, width, kCaptionLines);
    ASSERT_EQ(shaped.lines.size(), static_cast<std::size_t>(lines.size()));
    for (std::size_t i = 0; i < shaped.lines.size(); ++i)
        EXPECT_EQ(shaped.lines[i].text(), lines[static_cast<qsizetype>(i)]);
    // A hot item's underlined font and another width are other captions.
    font.setUnderline(true);
    EXPECT_EQ(cache.Shaped(name, font, width).lines.size(), shaped.lines.size());
    EXPECT_EQ(cache.Shaped(name, font, 400).lines.size(), 1U);
    EXPECT_EQ(cache.Size(), 3U);
    for (int i = 0; i < 10000; ++i)
        (void)cache.Shaped(QString::number(i), font, 400);
    EXPECT_LE(cache.Size(), 4096U + 2U);
}

TEST_F(ThumbnailTest, FileDrawnFromTheRecordReadFirstAndKeptRead)
{
    List();
    const int row = Row("c.ies");
    ASSERT_GE(row, 0);
    EXPECT_FALSE(Entry("c.ies").Loaded);
    const QImage first = Paint(row);
    EXPECT_TRUE(Entry("c.ies").Loaded);
    EXPECT_EQ(Entry("c.ies").Ies.HorzCount, 2);
    // The main curve is red; the record was drawn, not just the background.
    const QImage thumb = Thumbnail(first);
    bool red = false;
    for (int y = 0; y < thumb.height() && !red; ++y)
        for (int x = 0; x < thumb.width() && !red; ++x)
            red = thumb.pixelColor(x, y).red() > 200 && thumb.pixelColor(x, y).green() < 80;
    EXPECT_TRUE(red);
    // A file rewritten after its first paint: still drawn from the record read then.
    tree_.Write("lamps/c.ies", "garbage");
    EXPECT_EQ(Paint(row), first);
}

TEST_F(ThumbnailTest, ItemAboveTheTopIsNotDrawn)
{
    List();
    const int row = Row("c.ies");
    const QImage untouched = Paint(row, {}, QPoint(0, -Cell().height() - 1));
    QImage white(Cell(), QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(untouched, white);
}

TEST_F(ThumbnailTest, WarningIconOnTypeBThumbnailFollowsTheSetting)
{
    List();
    const QImage on = Thumbnail(Paint(Row("b.ies")));
    DiagramOptions options = delegate_->Diagram();
    options.ShowWarning = false;
    delegate_->SetDiagramOptions(options);
    const QImage off = Thumbnail(Paint(Row("b.ies")));
    // The icon stands in the top-right corner, 16 pixels square, 1 pixel down.
    const QRect corner(kThumbnailSide - 17, 1, 16, 16);
    EXPECT_GT(Differing(on, off, corner), 20);
    EXPECT_EQ(Differing(on, off, QRect(0, 0, kThumbnailSide, kThumbnailSide)), Differing(on, off, corner));
    // A type C file never shows it.
    const QImage typeC = Thumbnail(Paint(Row("c.ies")));
    options.ShowWarning = true;
    delegate_->SetDiagramOptions(options);
    EXPECT_EQ(Thumbnail(Paint(Row("c.ies"))), typeC);
}

TEST_F(ThumbnailTest, SelectedItemTintedAndCaptionHighlighted)
{
    List();
    const int row = Row("c.ies");
    const QImage plain = Paint(row);
    const QImage selected = Paint(row, QStyle::State_Selected);
    const QPalette palette = list_.palette();
    const QColor face = delegate_->Diagram().Colors.ButtonFace;
    const QColor highlight = palette.color(QPalette::Inactive, QPalette::Highlight);
    // A background pixel inside the frame: a quarter of the selection colour blended in.
    const QColor blended((face.red() * 3 + highlight.red()) / 4, (face.green() * 3 + highlight.green()) / 4,
                         (face.blue() * 3 + highlight.blue()) / 4);
    EXPECT_TRUE(Near(Thumbnail(plain).pixelColor(3, 3), face));
    EXPECT_TRUE(Near(Thumbnail(selected).pixelColor(3, 3), blended)) << Thumbnail(selected).pixelColor(3, 3).name().toStdString();
    // The caption stands on the highlight colour; unselected on the list's background.
    const ThumbnailCellLayout cell = ThumbnailCell(QRect(QPoint(), Cell()), list_.fontMetrics().height());
    const QPoint captionEdge(cell.label.center().x(), cell.label.top() - 1);
    EXPECT_EQ(selected.pixelColor(captionEdge), highlight);
    EXPECT_EQ(plain.pixelColor(captionEdge), palette.color(QPalette::Inactive, QPalette::Base));
}

TEST_F(ThumbnailTest, FolderEntriesShowTheirIconsAndAFileThatVanishedIsMarked)
{
    List();
    // Folder entries: the icon centred in a cell of the thumbnail's size.
    delegate_->SetImages(ThumbnailImageList({folderIcon_}, nullptr, 32, 1.0));
    const QImage folder = Thumbnail(Paint(0));
    EXPECT_EQ(folder.pixelColor(10, 10), QColor(Qt::white));
    EXPECT_NE(folder.pixelColor(50, 50), QColor(Qt::white));

    // Gone before its first paint: no crash, no message, unread, marked in the middle.
    fs::remove(fs::path(Folder()) / "b.ies");
    const QImage gone = Thumbnail(Paint(Row("b.ies")));
    EXPECT_FALSE(Entry("b.ies").Loaded);
    const QColor face = delegate_->Diagram().Colors.ButtonFace;
    EXPECT_TRUE(Near(gone.pixelColor(3, 3), face));
    int marked = 0;
    for (int y = 40; y < 60; ++y)
        for (int x = 40; x < 60; ++x)
            marked += Near(gone.pixelColor(x, y), face) ? 0 : 1;
    EXPECT_GT(marked, 100);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

namespace {

class ThumbnailViewTest : public BrowserFixture {};

}  // namespace

TEST_F(ThumbnailViewTest, ViewSwitchesAndFolderOpeningsPrepareTheCells)
{
    FileListView& list = *Browser().List();
    Browser().NavigateToPath(QStringLiteral("Desktop/home/"));  // two subfolders, no photometric file
    Browser().SetViewKind(FileListViewKind::Thumbnails);
    EXPECT_EQ(list.ViewKind(), FileListViewKind::Thumbnails);
    EXPECT_EQ(list.viewMode(), QListView::IconMode);
    EXPECT_EQ(list.Panel().LabelText(), QStringLiteral("Preparing thumbnails view"));
    EXPECT_FALSE(list.Panel().isVisible());
    const ThumbnailImageList& cells = list.Thumbnails().Images();
    ASSERT_EQ(list.FolderCount(), 2);
    // Lamps and Docs share one image; the folder has no files: one empty cell ends the store.
    EXPECT_GE(cells.IndexOf(list.Entries().Item(0).folderIcon), 0);
    EXPECT_EQ(cells.IndexOf(list.Entries().Item(0).folderIcon), cells.IndexOf(list.Entries().Item(1).folderIcon));
    EXPECT_EQ(cells.FileImageIndex(), -1);
    EXPECT_EQ(cells.Image(cells.ScratchIndex()).pixelColor(50, 50).alpha(), 0);

    // Opening a folder while thumbnails are chosen prepares them again, with the file type's cell.
    Browser().NavigateToPath(Path(QStringLiteral("Lamps")));
    EXPECT_EQ(list.ViewKind(), FileListViewKind::Thumbnails);
    EXPECT_GE(list.Thumbnails().Images().FileImageIndex(), 0);
    EXPECT_EQ(list.ThumbnailFolder(), Home() + "/Lamps/");
    // The up entry turned on in the thumbnail view finds its image ready.
    Browser().ToggleUpEntry(true);
    EXPECT_GE(list.Thumbnails().Images().IndexOf(list.Entries().Item(0).folderIcon), 0);

    Browser().SetViewKind(FileListViewKind::Icons);
    EXPECT_EQ(list.ViewKind(), FileListViewKind::Icons);
    EXPECT_EQ(list.iconSize().width(), list.style()->pixelMetric(QStyle::PM_LargeIconSize));
    Browser().SetViewKind(FileListViewKind::List);
    EXPECT_EQ(list.ViewKind(), FileListViewKind::List);
    EXPECT_TRUE(list.isWrapping());
    EXPECT_EQ(list.iconSize().width(), list.style()->pixelMetric(QStyle::PM_SmallIconSize));
}

TEST(UpdatesFrozenTest, NestedFreezesOfAParentAndItsChildLeaveBothPainting)
{
    QWidget parent;
    auto* child = new QWidget(&parent);
    {
        const auto outer = UpdatesFrozen(parent);
        {
            const auto inner = UpdatesFrozen(*child);
            const auto again = UpdatesFrozen(parent);
        }
        EXPECT_FALSE(child->updatesEnabled()) << "its parent is still frozen";
    }
    EXPECT_TRUE(parent.updatesEnabled());
    EXPECT_TRUE(child->updatesEnabled());

    // A child turned off on its own stays off.
    child->setUpdatesEnabled(false);
    { const auto frozen = UpdatesFrozen(parent); }
    EXPECT_FALSE(child->updatesEnabled());
}

// The list reads the files a paint of the thumbnail view meets, through its
// model, before the cells draw them; files outside the painted area stay unread.
TEST_F(ThumbnailViewTest, PaintReadsTheEntriesItMeetsAndNoOthers)
{
    FileListView& list = *Browser().List();
    Browser().NavigateToPath(Path(QStringLiteral("Lamps")));
    Browser().SetViewKind(FileListViewKind::Thumbnails);
    ASSERT_EQ(list.FolderCount(), 2);
    // Three cells in one row: the two folders and the first file.
    const QSize cell = list.gridSize();
    list.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list.resize(3 * cell.width() + 2 * list.frameWidth() + 4, cell.height() + 2 * list.frameWidth());
    const Catalog& entries = list.Entries();
    for (int row = 2; row < 5; ++row)
        ASSERT_FALSE(entries.Item(row).entry->Loaded) << "a listing by name reads no file";
    list.setAttribute(Qt::WA_DontShowOnScreen);
    list.show();
    QCoreApplication::processEvents();
    QImage target(list.viewport()->size(), QImage::Format_RGB32);
    list.viewport()->render(&target);
    EXPECT_TRUE(entries.Item(2).entry->Loaded);
    EXPECT_FALSE(entries.Item(3).entry->Loaded);
    EXPECT_FALSE(entries.Item(4).entry->Loaded);
}
