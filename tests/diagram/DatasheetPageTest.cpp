#include <gtest/gtest.h>

#include <QFile>
#include <QFontMetrics>
#include <QPageSize>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

#include "diagram/Datasheets.h"
#include "diagram/QPainterCanvas.h"
#include "diagram/RecordingCanvas.h"
#include "photometry/EntryLoader.h"
#include "tests/photometry/HostileFiles.h"

namespace fs = std::filesystem;

namespace {

constexpr int kDpi = 600;

DatasheetPaper Paper(QPageSize::PageSizeId id)
{
    return DatasheetPaper{QPageSize(id).sizePixels(kDpi), kDpi / 72.0};
}

// Measures as the PDF's canvas does.
RecordingCanvas MeasuringCanvas()
{
    return RecordingCanvas([](const QString& text, const DiagramFont& font) {
        return QFontMetrics(QPainterCanvas::ToQFont(font)).horizontalAdvance(text);
    });
}

struct TextBox {
    QString text;
    QRect box;
};

// The page's own texts with the boxes they cover; the diagram's (drawn
// inside its clip) are the diagram's business.
std::vector<TextBox> PageTexts(const RecordingCanvas& canvas)
{
    std::vector<TextBox> texts;
    bool inDiagram = false;
    for (const CanvasOp& op : canvas.Ops()) {
        if (op.kind == CanvasOp::Kind::Clip)
            inDiagram = !op.box.isNull();
        if (op.kind != CanvasOp::Kind::Text || inDiagram || op.text.isEmpty())
            continue;
        const QFontMetrics metrics(QPainterCanvas::ToQFont(op.state.font));
        texts.push_back({op.text, QRect(op.point, QSize(metrics.horizontalAdvance(op.text), metrics.height()))});
    }
    return texts;
}

// Every sample on both papers: all texts inside the margins, none over another.
TEST(DatasheetPage, SamplesLayOutInsideTheMarginsWithoutOverlap)
{
    const std::string folder = std::string(KANDORA_SOURCE_DIR) + "/samples/";
    int pages = 0;
    for (const auto& item : fs::directory_iterator(folder)) {
        if (item.path().extension() != ".ies")
            continue;
        TiesData entry = UnreadEntry(item.path().filename().string());
        ASSERT_EQ(LoadEntry(entry, folder).kind, LoadResult::Kind::Loaded);
        for (const auto id : {QPageSize::A4, QPageSize::Letter}) {
            const DatasheetPaper paper = Paper(id);
            RecordingCanvas canvas = MeasuringCanvas();
            DrawDatasheetPage(canvas, MakeDatasheetRequest(entry, item.path().string(), {}, paper, 7));
            ++pages;
            const int margin = static_cast<int>(36 * paper.pixelsPerPoint) - 1;
            const QRect inside = QRect(QPoint(0, 0), paper.size).adjusted(margin, margin, -margin, -margin);
            const std::vector<TextBox> texts = PageTexts(canvas);
            ASSERT_GT(texts.size(), 60U);
            for (std::size_t i = 0; i < texts.size(); ++i) {
                EXPECT_TRUE(inside.contains(texts[i].box))
                    << item.path().filename() << ": " << texts[i].text.toStdString();
                for (std::size_t j = i + 1; j < texts.size(); ++j)
                    EXPECT_FALSE(texts[i].box.intersects(texts[j].box))
                        << item.path().filename() << ": '" << texts[i].text.toStdString() << "' over '"
                        << texts[j].text.toStdString() << "'";
            }
            EXPECT_NE(canvas.FindText(QStringLiteral("Page 7")), nullptr);
            // The diagram went into its box: curves inside a clip.
            EXPECT_GT(canvas.OpsOf(CanvasOp::Kind::LineTo).size(), 100U);
        }
    }
    EXPECT_GT(pages, 40);
}

// Index pages hold as many rows as fit above the footer, on both papers.
TEST(DatasheetPage, IndexRowsStayAboveTheFooter)
{
    for (const auto id : {QPageSize::A4, QPageSize::Letter}) {
        const DatasheetPaper paper = Paper(id);
        const int rows = IndexRowsPerPage(paper);
        EXPECT_GT(rows, 40);
        std::vector<DatasheetIndexRow> index(static_cast<std::size_t>(rows));
        for (int i = 0; i < rows; ++i)
            index[static_cast<std::size_t>(i)] = {QStringLiteral("file %1.ies").arg(i), QStringLiteral("Maker"),
                                                  QString(120, QLatin1Char('L')), 1e9, 12.5, 100, 30, i + 2};
        RecordingCanvas canvas = MeasuringCanvas();
        DrawDatasheetIndex(canvas, {paper, QStringLiteral("Contents"), rows, index, {QStringLiteral("Kandora"),
                                                                                     QStringLiteral("2.9"), 1}});
        const std::vector<TextBox> texts = PageTexts(canvas);
        const CanvasOp* last = canvas.FindText(QStringLiteral("%1").arg(rows + 1));
        const CanvasOp* footer = canvas.FindText(QStringLiteral("Page 1"));
        ASSERT_NE(last, nullptr);
        ASSERT_NE(footer, nullptr);
        EXPECT_LT(last->point.y() + std::abs(last->state.font.height) * 5 / 4, footer->point.y());
        for (std::size_t i = 0; i < texts.size(); ++i)
            for (std::size_t j = i + 1; j < texts.size(); ++j)
                EXPECT_FALSE(texts[i].box.intersects(texts[j].box)) << texts[i].text.toStdString();
    }
}

// A catalogue of hostile files: each readable one makes a page, the others
// are named, nothing crashes; a cancelled or failed write leaves no file.
TEST(Datasheets, HostileCatalogueWritesAPagePerReadableFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string folder = dir.path().toStdString() + "/";
    std::vector<std::string> paths, readable;
    for (const HostileFile& file : HostileFiles()) {
        std::ofstream(folder + file.name, std::ios::binary) << file.bytes();
        paths.push_back(folder + file.name);
        if (file.expected != Expected::Refused)
            readable.push_back(paths.back());
    }
    paths.push_back(folder + "missing.ies");
    const QString out = dir.filePath(QStringLiteral("hostile.pdf"));
    const DatasheetOutcome written = WriteDatasheets(paths, out, DatasheetPaperSize::A4);
    ASSERT_EQ(written.status, DatasheetOutcome::Status::Written) << written.error.toStdString();
    EXPECT_EQ(written.faults.size(), paths.size() - readable.size());
    EXPECT_EQ(static_cast<std::size_t>(written.pages), readable.size() + 1) << "one index page";

    QFile pdf(out);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray before = pdf.readAll();
    pdf.close();
    int steps = 0;
    const DatasheetOutcome cancelled =
        WriteDatasheets({readable[0], readable[1]}, out, DatasheetPaperSize::Letter, [&](int done, int total) {
            EXPECT_EQ(total, 4);
            EXPECT_EQ(done, ++steps);
            return done < 3;
        });
    EXPECT_EQ(cancelled.status, DatasheetOutcome::Status::Cancelled);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdf.readAll(), before);
    const DatasheetOutcome failed =
        WriteDatasheets({readable[0]}, dir.filePath(QStringLiteral("no/such/folder.pdf")), DatasheetPaperSize::A4);
    EXPECT_EQ(failed.status, DatasheetOutcome::Status::WriteFailed);
    EXPECT_FALSE(failed.error.isEmpty());
}

}  // namespace
