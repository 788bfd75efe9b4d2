#include "Datasheets.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <cstring>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <optional>
#include <span>

#include "KandoraVersion.h"
#include "diagram/DatasheetPage.h"
#include "diagram/QPainterCanvas.h"
#include "photometry/Calculations.h"
#include "photometry/EntryLoader.h"
#include "photometry/IesReader.h"
#include "photometry/Keywords.h"
#include "render/RenderEngine.h"

namespace {

// Fine enough for the diagram's integer coordinates, small enough to keep
// the page's numbers short.
constexpr int kResolution = 600;

// One file as a page needs it.
struct SheetFile {
    std::string path;
    TiesData entry;
    std::string error;  // empty when the file was read
};

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Every datasheet reads its file through the program's one loader, so a
// format the loader learns is a format the datasheets show.
SheetFile ReadSheetFile(const std::string& path)
{
    SheetFile file{path, UnreadEntry(NameOf(path)), {}};
    const LoadResult loaded = LoadEntry(file.entry, FolderOf(path));
    if (loaded.kind == LoadResult::Kind::Missing)
        file.error = "no such file";
    else if (loaded.kind == LoadResult::Kind::Failed)
        file.error = loaded.error;
    return file;
}

// Keyword texts as the file list shows them: UTF-8, else Latin-1.
QString ToText(const std::string& bytes)
{
    const auto size = static_cast<qsizetype>(bytes.size());
    const QString text = QString::fromUtf8(bytes.data(), size);
    return text.contains(QChar::ReplacementCharacter) ? QString::fromLatin1(bytes.data(), size) : text;
}

// The front of a regular file, where its header is; empty when it cannot be read.
std::string ReadFront(const std::string& path)
{
    constexpr std::size_t kFront = std::size_t{64} << 10;
    std::string bytes;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return bytes;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        bytes.resize(kFront);
        std::size_t have = 0;
        ssize_t got = 0;
        while (have < kFront && (got = ::read(fd, bytes.data() + have, kFront - have)) > 0)
            have += static_cast<std::size_t>(got);
        bytes.resize(have);
    }
    ::close(fd);
    return bytes;
}

// The date and format the title block shows, from the file's header.
void DescribeFile(const std::string& path, DatasheetTexts& texts)
{
    const std::string bytes = ReadFront(path);
    const std::string_view text = FileText(bytes);
    const HeaderSplit split = SplitHeader(text);
    texts.date = ToText(DateKeyword(split.headerLines));
    std::string format = IesFormatName(text, split.hasTilt);
    const std::string name = NameOf(path);
    if (format.empty() && name.size() > 4 && strcasecmp(name.c_str() + name.size() - 4, ".ldt") == 0)
        format = "EULUMDAT";
    texts.format = QString::fromStdString(format);
}

DatasheetTexts TitleTexts(const TiesData& entry, const std::string& path)
{
    DatasheetTexts texts;
    texts.test = ToText(entry.Texts.test);
    texts.manufacturer = ToText(entry.Texts.manufacturer);
    texts.luminaire = ToText(entry.Texts.luminaire);
    texts.luminaireCatalog = ToText(entry.Texts.luminaireCatalog);
    texts.lamp = ToText(entry.Texts.lamp);
    texts.lampCatalog = ToText(entry.Texts.lampCatalog);
    texts.fileName = QFile::decodeName(QByteArray::fromStdString(NameOf(path)));
    return texts;
}

DatasheetIndexRow IndexRowOf(const SheetFile& file, int page)
{
    const PhotometricSummary summary = SummarizePhotometry(file.entry.Ies);
    const DatasheetTexts texts = TitleTexts(file.entry, file.path);
    return DatasheetIndexRow{texts.fileName,          texts.manufacturer,       texts.luminaire,
                             summary.flux_lm,         summary.input_watts,      summary.efficacy_lm_per_w,
                             summary.c0_c180.beam_deg, page};
}

QString PlaneLabel(const tIES& ies, int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= ies.HorzAngles.size())
        return QString();
    return QStringLiteral("C") + QString::number(ies.HorzAngles[static_cast<std::size_t>(row)]);
}

// The render window's picture at its default settings, and what it shows.
void RenderPicture(const tIES& ies, DatasheetRequest& request)
{
    if (ies.PhotometricType != 1) {
        request.pictureNote = QStringLiteral("The rendered view needs a type C file.");
        return;
    }
    RenderRequest render;
    render.Plane = ZeroPlaneIndex(ies);
    const RenderParameters parameters = MakeRenderParameters(ies, render);
    QImage picture(kRenderSize, kRenderSize, QImage::Format_Grayscale8);
    if (picture.isNull() || picture.bytesPerLine() != kRenderSize) {
        request.pictureNote = QStringLiteral("Not enough memory for the rendered view.");
        return;
    }
    RenderLight(ies, parameters, std::span<std::uint8_t, kRenderPixels>(picture.bits(), kRenderPixels));
    request.picture = std::move(picture);
    const QString right = PlaneLabel(ies, parameters.Plane);
    const QString left = PlaneLabel(ies, parameters.Opposite);
    const QString planes = left.isEmpty()   ? QStringLiteral("Right half lit by ") + right
                           : left == right ? QStringLiteral("Lit by ") + right + QStringLiteral(" on both sides")
                                           : QStringLiteral("Left ") + left + QStringLiteral(", right ") + right;
    request.pictureNote =
        planes + QStringLiteral("; brightness %1, zoom %2, radiosity on").arg(render.Brightness).arg(render.Zoom);
}

DatasheetFooter Footer(int page)
{
    return DatasheetFooter{QStringLiteral("Kandora"), QString::fromLatin1(kKandoraVersion), page};
}

class PdfPages {
public:
    PdfPages(const QString& out, DatasheetPaperSize paper, const QString& title) : file_(out)
    {
        if (!file_.open(QIODevice::WriteOnly)) {
            error_ = file_.errorString();
            return;
        }
        writer_.emplace(&file_);
        writer_->setTitle(title);
        writer_->setCreator(QStringLiteral("Kandora ") + QString::fromLatin1(kKandoraVersion));
        writer_->setResolution(kResolution);
        writer_->setPageLayout(QPageLayout(QPageSize(paper == DatasheetPaperSize::Letter ? QPageSize::Letter
                                                                                          : QPageSize::A4),
                                           QPageLayout::Portrait, QMarginsF()));
        if (!painter_.begin(&*writer_))
            error_ = QStringLiteral("cannot begin the PDF");
    }

    [[nodiscard]] bool Ok() const { return error_.isEmpty(); }
    [[nodiscard]] const QString& Error() const { return error_; }
    [[nodiscard]] int Pages() const { return pages_; }

    [[nodiscard]] DatasheetPaper Paper() const
    {
        return DatasheetPaper{QSize(writer_->width(), writer_->height()), kResolution / 72.0};
    }

    // A fresh page to draw on.
    QPainter& NextPage()
    {
        if (pages_++ > 0)
            writer_->newPage();
        return painter_;
    }

    bool Commit()
    {
        if (!painter_.end() || !file_.commit()) {
            error_ = file_.errorString();
            return false;
        }
        return true;
    }

    void Cancel()
    {
        if (painter_.isActive())
            painter_.end();
        file_.cancelWriting();
    }

private:
    QSaveFile file_;
    std::optional<QPdfWriter> writer_;
    QPainter painter_;
    QString error_;
    int pages_ = 0;
};

void DrawSheet(PdfPages& pdf, const SheetFile& file, int page)
{
    const DatasheetRequest request = MakeDatasheetRequest(file.entry, file.path, file.error, pdf.Paper(), page);
    QPainter& painter = pdf.NextPage();
    QPainterCanvas canvas(painter, true);
    DrawDatasheetPage(canvas, request);
}

DatasheetOutcome Finish(PdfPages& pdf, DatasheetOutcome outcome)
{
    if (pdf.Commit()) {
        outcome.status = DatasheetOutcome::Status::Written;
        outcome.pages = pdf.Pages();
    } else {
        outcome.status = DatasheetOutcome::Status::WriteFailed;
        outcome.error = pdf.Error();
    }
    return outcome;
}

DatasheetOutcome WriteOne(const std::string& path, const QString& out, DatasheetPaperSize paper,
                          const DatasheetProgress& progress)
{
    DatasheetOutcome outcome;
    const SheetFile file = ReadSheetFile(path);
    if (!file.error.empty()) {
        outcome.faults.push_back({path, file.error});
        return outcome;
    }
    const DatasheetTexts texts = TitleTexts(file.entry, file.path);
    // A title, not a hostile file's whole keyword line.
    PdfPages pdf(out, paper, (texts.luminaire.isEmpty() ? texts.fileName : texts.luminaire).left(200));
    if (!pdf.Ok()) {
        outcome.status = DatasheetOutcome::Status::WriteFailed;
        outcome.error = pdf.Error();
        return outcome;
    }
    DrawSheet(pdf, file, 1);
    if (progress && !progress(1, 1)) {
        pdf.Cancel();
        outcome.status = DatasheetOutcome::Status::Cancelled;
        return outcome;
    }
    return Finish(pdf, std::move(outcome));
}

}  // namespace

DatasheetRequest MakeDatasheetRequest(const TiesData& entry, const std::string& path, const std::string& error,
                                      const DatasheetPaper& paper, int page)
{
    DatasheetRequest request;
    request.paper = paper;
    request.texts = TitleTexts(entry, path);
    request.footer = Footer(page);
    request.options = DefaultDiagramOptions();
    // A datasheet is paper whatever the desktop's colours: black on white,
    // the grid in the usual grey.
    request.options.Colors = DiagramColors{};
    request.options.Colors.ButtonFace = Qt::white;
    if (!entry.Loaded) {
        request.pictureNote = QStringLiteral("The file could not be read: ") + ToText(error);
        return request;
    }
    const tIES& ies = entry.Ies;
    request.record = &ies;
    request.summary = SummarizePhotometry(ies);
    request.table = MakeIntensityTable(ies);
    RenderPicture(ies, request);
    DescribeFile(path, request.texts);
    return request;
}

DatasheetOutcome WriteDatasheets(const std::vector<std::string>& paths, const QString& out, DatasheetPaperSize paper,
                                 const DatasheetProgress& progress)
{
    if (paths.size() == 1)
        return WriteOne(paths.front(), out, paper, progress);
    DatasheetOutcome outcome;
    if (paths.empty())
        return outcome;
    const int total = 2 * static_cast<int>(paths.size());
    int done = 0;
    const auto step = [&] { return !progress || progress(++done, total); };

    // First reading: the index's values; only these small rows are kept.
    std::vector<std::size_t> readable;
    std::vector<DatasheetIndexRow> index;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        {
            const SheetFile file = ReadSheetFile(paths[i]);
            if (file.error.empty()) {
                readable.push_back(i);
                index.push_back(IndexRowOf(file, 0));
            } else {
                outcome.faults.push_back({paths[i], file.error});
            }
        }
        if (!step()) {
            outcome.status = DatasheetOutcome::Status::Cancelled;
            return outcome;
        }
    }
    if (readable.empty())
        return outcome;

    PdfPages pdf(out, paper, QStringLiteral("Datasheets"));
    if (!pdf.Ok()) {
        outcome.status = DatasheetOutcome::Status::WriteFailed;
        outcome.error = pdf.Error();
        return outcome;
    }
    const auto perPage = static_cast<std::size_t>(IndexRowsPerPage(pdf.Paper()));
    const std::size_t indexPages = (index.size() + perPage - 1) / perPage;
    for (std::size_t i = 0; i < index.size(); ++i)
        index[i].page = static_cast<int>(indexPages + i + 1);
    for (std::size_t p = 0; p < indexPages; ++p) {
        DatasheetIndexRequest request;
        request.paper = pdf.Paper();
        request.title = p == 0 ? QStringLiteral("Contents") : QStringLiteral("Contents (continued)");
        request.fileCount = static_cast<int>(index.size());
        const std::size_t first = p * perPage;
        request.rows = std::span<const DatasheetIndexRow>(index).subspan(first, std::min(perPage, index.size() - first));
        request.footer = Footer(static_cast<int>(p + 1));
        QPainter& painter = pdf.NextPage();
        QPainterCanvas canvas(painter, true);
        DrawDatasheetIndex(canvas, request);
    }
    // Second reading: one page per file. A file that went away meanwhile
    // keeps its page, saying so, so that the index stays true.
    done += static_cast<int>(paths.size() - readable.size());
    for (std::size_t k = 0; k < readable.size(); ++k) {
        const SheetFile file = ReadSheetFile(paths[readable[k]]);
        if (!file.error.empty())
            outcome.faults.push_back({file.path, file.error});
        DrawSheet(pdf, file, index[k].page);
        if (!step()) {
            pdf.Cancel();
            outcome.status = DatasheetOutcome::Status::Cancelled;
            return outcome;
        }
    }
    return Finish(pdf, std::move(outcome));
}
