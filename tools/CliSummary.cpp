#include <QFile>
#include <QJsonDocument>

#include <algorithm>
#include <cstdio>

#include "CliArguments.h"
#include "CliCommands.h"
#include "browser/Catalog.h"
#include "tools/SummaryOutput.h"

namespace {

void PrintSummaryUsage()
{
    std::fputs("usage: kandora-cli summary FILE|FOLDER... [--csv]\n", stderr);
}

void Write(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// One array element as the other commands indent JSON: four spaces deeper.
std::string Element(const QJsonObject& object)
{
    const QByteArray json = QJsonDocument(object).toJson(QJsonDocument::Indented).trimmed();
    std::string element = "    ";
    for (const char c : json) {
        element += c;
        if (c == '\n')
            element += "    ";
    }
    return element;
}

// Files read at a time: the output follows as each batch is done, and no
// more than a batch of records and texts is held, however large the folder.
constexpr std::size_t kBatch = 256;

}  // namespace

int RunSummary(const QStringList& arguments)
{
    bool csv = false;
    CliOptions options;
    options.Operands(-1).Flag("--csv", [&csv] { csv = true; });
    if (!options.Parse(arguments) || options.operands().isEmpty()) {
        PrintSummaryUsage();
        return 2;
    }
    QStringList complaints;
    const std::vector<std::string> paths = ExpandPhotometricInputs(options.operands(), complaints);
    for (const QString& complaint : complaints)
        Complain(complaint);
    bool failed = !complaints.isEmpty();

    Write(csv ? SummaryCsvHeader() : std::string("["));
    const unsigned workers = ReadingWorkers();
    bool first = true;
    for (std::size_t start = 0; start < paths.size(); start += kBatch) {
        const std::vector<std::string> batch(paths.begin() + static_cast<std::ptrdiff_t>(start),
                                             paths.begin() + static_cast<std::ptrdiff_t>(std::min(start + kBatch, paths.size())));
        for (const FileSummary& file : SummarizeFiles(batch, workers)) {
            if (!file.error.empty()) {
                failed = true;
                Complain(QFile::decodeName(QByteArray::fromStdString(file.path)) + QStringLiteral(": ") +
                         QString::fromLocal8Bit(file.error));
            }
            if (csv) {
                Write(SummaryCsvRow(file));
            } else {
                Write(first ? "\n" : ",\n");
                Write(Element(FileSummaryJson(file)));
            }
            first = false;
        }
    }
    if (!csv)
        Write(first ? "]\n" : "\n]\n");
    return failed ? 1 : 0;
}
