#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

#include <cstdio>
#include <optional>

#include "CliArguments.h"
#include "CliCommands.h"
#include "diagram/PrintPage.h"
#include "photometry/Calculations.h"
#include "photometry/EntryLoader.h"

namespace {

struct CliPrintArguments {
    QString file;
    QString out;
    QPageSize::PageSizeId paper = QPageSize::A4;
    bool landscape = false;
    int resolution = 1200;  // what a PDF printer gives at high resolution
};

constexpr int kMaxResolution = 9600;

std::optional<CliPrintArguments> ParsePrintArguments(const QStringList& arguments)
{
    CliPrintArguments a;
    CliOptions options;
    options.Value("--out", [&a](const QString& value) { a.out = value; return std::optional<QString>(); })
        .Value("--paper",
               [&a](const QString& paper) -> std::optional<QString> {
                   if (paper.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0)
                       a.paper = QPageSize::A4;
                   else if (paper.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0)
                       a.paper = QPageSize::Letter;
                   else
                       return QStringLiteral("--paper takes A4 or Letter");
                   return std::nullopt;
               })
        .Flag("--landscape", [&a] { a.landscape = true; })
        .Value("--resolution", [&a](const QString& value) -> std::optional<QString> {
            bool ok = false;
            a.resolution = value.toInt(&ok);
            if (!ok || a.resolution < 1 || a.resolution > kMaxResolution)
                return QStringLiteral("--resolution takes dots per inch from 1 to %1").arg(kMaxResolution);
            return std::nullopt;
        });
    if (!options.Parse(arguments))
        return std::nullopt;
    a.file = options.operands().value(0);
    if (a.file.isEmpty() || a.out.isEmpty()) {
        Complain(QStringLiteral("a FILE and --out OUT.pdf are needed"));
        return std::nullopt;
    }
    return a;
}

}  // namespace

int RunPrint(const QStringList& arguments)
{
    const auto args = ParsePrintArguments(arguments);
    if (!args) {
        std::fputs("usage: kandora-cli print FILE --out OUT.pdf [--paper A4|Letter] [--landscape] [--resolution DPI]\n",
                   stderr);
        return 2;
    }
    const QFileInfo info(args->file);
    TiesData entry = UnreadEntry(info.fileName().toStdString());
    const LoadResult loaded = LoadEntry(entry, info.absolutePath().toStdString() + "/");
    if (loaded.kind != LoadResult::Kind::Loaded) {
        Complain(args->file + QStringLiteral(": ") +
                 (loaded.kind == LoadResult::Kind::Missing ? QStringLiteral("no such file")
                                                            : QString::fromStdString(loaded.error)));
        return 1;
    }
    PageRequest page;
    page.record = &entry.Ies;
    page.planeIndex = ZeroPlaneIndex(entry.Ies);
    page.headerLines = PrintHeaderLines(entry.Texts);
    page.options = DefaultDiagramOptions();
    page.options.Planes.Orthogonal = true;

    // The PDF goes to a temporary file first, so a failure leaves no half-written one.
    QSaveFile out(args->out);
    if (!out.open(QIODevice::WriteOnly)) {
        Complain(QStringLiteral("cannot write %1: %2").arg(args->out, out.errorString()));
        return 1;
    }
    bool drawn = false;
    {
        QPdfWriter writer(&out);
        writer.setTitle(kPrintDocumentTitle);
        writer.setCreator(QStringLiteral("Kandora"));
        writer.setResolution(args->resolution);
        writer.setPageSize(QPageSize(args->paper));
        writer.setPageOrientation(args->landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        drawn = PrintPageOn(writer, page);
    }
    if (!drawn || !out.commit()) {
        Complain(QStringLiteral("cannot write %1").arg(args->out));
        return 1;
    }
    return 0;
}
