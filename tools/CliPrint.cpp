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
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (arg == QLatin1String("--out") && hasValue) {
            a.out = arguments[++i];
        } else if (arg == QLatin1String("--paper") && hasValue) {
            const QString paper = arguments[++i];
            if (paper.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0)
                a.paper = QPageSize::A4;
            else if (paper.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0)
                a.paper = QPageSize::Letter;
            else {
                Complain(QStringLiteral("--paper takes A4 or Letter"));
                return std::nullopt;
            }
        } else if (arg == QLatin1String("--landscape")) {
            a.landscape = true;
        } else if (arg == QLatin1String("--resolution") && hasValue) {
            bool ok = false;
            a.resolution = arguments[++i].toInt(&ok);
            if (!ok || a.resolution < 1 || a.resolution > kMaxResolution) {
                Complain(QStringLiteral("--resolution takes dots per inch from 1 to %1").arg(kMaxResolution));
                return std::nullopt;
            }
        } else if (arg.startsWith(QLatin1String("--")) || !a.file.isEmpty()) {
            Complain(QStringLiteral("unexpected argument '%1'").arg(arg));
            return std::nullopt;
        } else {
            a.file = arg;
        }
    }
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
