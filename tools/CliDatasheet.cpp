#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <optional>

#include "CliArguments.h"
#include "CliCommands.h"
#include "browser/Catalog.h"
#include "diagram/Datasheets.h"

namespace {

void PrintDatasheetUsage()
{
    std::fputs("usage: kandora-cli datasheet FILE|FOLDER... --out OUT.pdf [--paper A4|Letter]\n", stderr);
}

// A folder's photometric files sorted by name (as the file list sorts
// captions), or nothing when the folder cannot be listed.
std::optional<std::vector<std::string>> FolderFiles(std::string folder)
{
    if (folder.back() != '/')
        folder += '/';
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        Complain(QFile::decodeName(QByteArray::fromStdString(folder)) + QStringLiteral(": ") +
                 QString::fromLocal8Bit(std::strerror(errno)));
        return std::nullopt;
    }
    ::closedir(dir);
    std::vector<std::string> names = MatchPhotometricFiles(folder);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int order = CompareCaptions(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    for (std::string& name : names)
        name.insert(0, folder);
    return names;
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
    bool failed = false;
    std::vector<std::string> paths;
    for (const QString& input : inputs) {
        std::string path = QFile::encodeName(input).toStdString();
        if (QFileInfo(input).isDir()) {
            const auto files = FolderFiles(std::move(path));
            failed = failed || !files;
            if (files)
                paths.insert(paths.end(), files->begin(), files->end());
        } else {
            paths.push_back(std::move(path));
        }
    }
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
