#include <QFile>

#include <cstdio>

#include "CliArguments.h"
#include "CliCommands.h"
#include "browser/Catalog.h"
#include "tools/SummaryOutput.h"

int RunSummary(const QStringList& arguments)
{
    bool csv = false;
    CliOptions options;
    options.Operands(-1).Flag("--csv", [&csv] { csv = true; });
    if (!options.Parse(arguments) || options.operands().isEmpty()) {
        std::fputs("usage: kandora-cli summary FILE|FOLDER... [--csv]\n", stderr);
        return 2;
    }
    QStringList complaints;
    const std::vector<std::string> paths = ExpandPhotometricInputs(options.operands(), complaints);
    for (const QString& complaint : complaints)
        Complain(complaint);
    const std::size_t unreadable = WriteSummaries(
        paths, csv ? SummaryForm::Csv : SummaryForm::Json, ReadingWorkers(),
        [](std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); },
        [](const FileSummary& file) {
            Complain(QFile::decodeName(QByteArray::fromStdString(file.path)) + QStringLiteral(": ") +
                     QString::fromLocal8Bit(file.error));
        });
    return complaints.isEmpty() && unreadable == 0 ? 0 : 1;
}
