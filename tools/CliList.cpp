#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <map>
#include <optional>

#include "CliArguments.h"
#include "CliCommands.h"
#include "SummaryOutput.h"
#include "browser/Catalog.h"
#include "browser/ShellNamespace.h"

namespace {

void PrintListUsage()
{
    std::fputs("usage: kandora-cli list FOLDER [--caption file|test|manufacturer|luminaire|luminaire-catalog|"
               "lamp|lamp-catalog] [--sort] [--where EXPR]\n",
               stderr);
}

std::optional<CaptionChoice> CaptionChoiceNamed(const QString& name)
{
    for (const CaptionKind& kind : CaptionKinds())
        if (name == QLatin1String(kind.name.data(), static_cast<qsizetype>(kind.name.size())))
            return kind.choice;
    return std::nullopt;
}

// Whether the folder can be listed at all; says why not on stderr.
bool CanList(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        std::fprintf(stderr, "kandora-cli: %s: %s\n", folder.c_str(), std::strerror(errno));
        return false;
    }
    ::closedir(dir);
    return true;
}

}  // namespace

int RunList(const QStringList& arguments)
{
    CaptionChoice choice = CaptionChoice::FileName;
    bool sort = false;
    std::optional<QString> where;
    CliOptions options;
    options.Flag("--sort", [&sort] { sort = true; })
        .Value("--where", [&where](const QString& text) -> std::optional<QString> {
            where = text;
            return std::nullopt;
        })
        .Value("--caption", [&choice](const QString& name) -> std::optional<QString> {
            const std::optional<CaptionChoice> named = CaptionChoiceNamed(name);
            if (!named)
                return QStringLiteral("unknown caption '%1'").arg(name);
            choice = *named;
            return std::nullopt;
        });
    if (!options.Parse(arguments)) {
        PrintListUsage();
        return 2;
    }
    const QString folderArgument = options.operands().value(0);
    if (folderArgument.isEmpty()) {
        PrintListUsage();
        return 2;
    }
    std::string folder = QFile::encodeName(folderArgument).toStdString();
    if (folder.back() != '/')
        folder += '/';
    if (!CanList(folder))
        return 1;

    // The same catalog the window lists, so that captions, faults and order match it.
    Catalog catalog;
    SilentFeedback feedback;
    std::vector<ReadFault> faults;
    if (where) {
        // The window's filter, read by the same parser: a term it cannot read is an error here.
        const QByteArray bytes = where->toUtf8();
        const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        LibraryFilter filter = ParseFilter(text);
        if (!filter.faults.empty()) {
            for (const FilterFault& fault : filter.faults)
                std::fprintf(stderr, "kandora-cli: --where: cannot read '%.*s'\n", static_cast<int>(fault.length),
                             text.data() + fault.begin);
            PrintListUsage();
            return 2;
        }
        catalog.ListFolder(folder, choice, feedback, faults);
        std::vector<ReadFault> examined = ExamineEntries(catalog, folder, ReadingWorkers());
        faults.insert(faults.end(), std::make_move_iterator(examined.begin()), std::make_move_iterator(examined.end()));
        (void)catalog.SetFilter(std::move(filter));
    } else {
        catalog.ListFolder(folder, choice, feedback, faults);
    }
    if (sort)
        catalog.SortCatalog(feedback);
    std::map<std::string, std::string> faultOf;
    for (ReadFault& fault : faults)
        faultOf.emplace(fault.fileName, std::move(fault.message));

    QJsonArray list;
    for (int i = catalog.FolderCount(); i < catalog.Count(); ++i) {
        const CatalogItem& item = catalog.Item(i);
        const std::string& name = item.entry->Texts.fileName;
        const auto fault = faultOf.find(name);
        QJsonObject object{
            {QStringLiteral("file"), NameToText(name)},
            {QStringLiteral("caption"), NameToText(item.caption)},
            {QStringLiteral("changed"), item.entry->Changed},
            {QStringLiteral("fault"), fault == faultOf.end() ? QJsonValue(QJsonValue::Null)
                                                             : QJsonValue(NameToText(fault->second))},
        };
        if (where)
            InsertSummaryJson(object, item.summary ? *item.summary : PhotometricSummary{});
        list.append(object);
    }
    const QByteArray json = QJsonDocument(list).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
    return 0;
}
