#include <QFile>

#include <cstdio>
#include <optional>

#include "CliArguments.h"
#include "CliCommands.h"
#include "diagram/Datasheets.h"
#include "tools/SummaryOutput.h"

namespace {

void PrintDatasheetUsage()
{
    std::fputs("usage: kandora-cli datasheet FILE|FOLDER... --out OUT.pdf [--paper A4|Letter]\n", stderr);
}

}  // namespace

int RunDatasheet(const QStringList& arguments)
{
    QString out;
    DatasheetPaperSize paper = DatasheetPaperSize::A4;
    CliOptions options;
    options.Operands(-1)
        .Value("--out", [&out](const QString& value) { out = value; return std::optional<QString>(); })
        .Value("--paper", [&paper](const QString& name) -> std::optional<QString> {
            if (name.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0)
                paper = DatasheetPaperSize::A4;
            else if (name.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0)
                paper = DatasheetPaperSize::Letter;
            else
                return QStringLiteral("--paper takes A4 or Letter");
            return std::nullopt;
        });
    if (!options.Parse(arguments)) {
        PrintDatasheetUsage();
        return 2;
    }
    const QStringList& inputs = options.operands();
    if (inputs.isEmpty() || out.isEmpty()) {
        PrintDatasheetUsage();
        return 2;
    }

    // Files in argument order; a folder stands for its photometric files.
    QStringList complaints;
    const std::vector<std::string> paths = ExpandPhotometricInputs(inputs, complaints);
    for (const QString& complaint : complaints)
        Complain(complaint);
    const bool failed = !complaints.isEmpty();
    if (paths.empty()) {
        if (!failed)
            Complain(QStringLiteral("no photometric files to write datasheets of"));
        return 1;
    }

    const DatasheetOutcome outcome = WriteDatasheets(paths, out, paper);
    // Unreadable files get no page; each is named here.
    for (const DatasheetFault& fault : outcome.faults)
        Complain(QFile::decodeName(QByteArray::fromStdString(fault.path)) + QStringLiteral(": ") +
                 QString::fromStdString(fault.message));
    switch (outcome.status) {
    case DatasheetOutcome::Status::Written:
        return failed || !outcome.faults.empty() ? 1 : 0;
    case DatasheetOutcome::Status::WriteFailed:
        Complain(QStringLiteral("cannot write %1: %2").arg(out, outcome.error));
        return 1;
    case DatasheetOutcome::Status::NothingWritten:
    case DatasheetOutcome::Status::Cancelled:
        break;
    }
    Complain(QStringLiteral("no file could be read; nothing written"));
    return 1;
}
