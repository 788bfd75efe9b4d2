#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <string>

#include "CliArguments.h"
#include "CliCommands.h"
#include "photometry/Conversion.h"
#include "photometry/EntryLoader.h"
#include "photometry/FormatSave.h"

namespace {

void Refuse(const QString& file, const std::string& why)
{
    std::fprintf(stderr, "kandora-cli: %s: %s\n", file.toLocal8Bit().constData(), why.c_str());
}

// Converts or rotates one file as the window does; prints the path written.
bool ConvertFile(const QString& file, const QString& outDir)
{
    const QFileInfo info(file);
    const std::string sourceFolder = QFile::encodeName(info.path()).toStdString() + "/";
    TiesData entry = UnreadEntry(QFile::encodeName(info.fileName()).toStdString());
    const LoadResult load = LoadEntry(entry, sourceFolder);
    if (load.kind != LoadResult::Kind::Loaded) {
        Refuse(file, load.kind == LoadResult::Kind::Missing ? "no such file" : load.error);
        return false;
    }
    const std::string folder = outDir.isEmpty() ? sourceFolder : QFile::encodeName(outDir).toStdString();
    const ConversionResult result = SaveConversion(entry.Ies, entry.Texts, folder);
    if (!result.Written()) {
        std::string why = result.message;
        if (result.fault == ConversionFault::WriteFailed)
            why = result.newPath + ": " + why;
        Refuse(file, why + " Nothing written.");
        return false;
    }
    std::printf("%s\n", result.newPath.c_str());
    return true;
}

// Writes one file in the other format (--to); prints the path written.
bool SaveFileInFormat(const QString& file, PhotometricFormat target, const QString& outDir)
{
    const QFileInfo info(file);
    const std::string folder = QFile::encodeName(info.path()).toStdString() + "/";
    const FormatSaveResult result = SaveInFormat(folder, QFile::encodeName(info.fileName()).toStdString(), target,
                                                 QFile::encodeName(outDir).toStdString());
    if (!result.Written()) {
        std::string why = result.message;
        if (result.fault == ConversionFault::WriteFailed)
            why = result.newPath + ": " + why;
        Refuse(file, why + (why.ends_with("written.") ? "" : " Nothing written."));
        return false;
    }
    std::printf("%s\n", result.newPath.c_str());
    return true;
}

}  // namespace

int RunConvert(const QStringList& arguments)
{
    QString outDir;
    std::optional<PhotometricFormat> target;
    CliOptions options;
    options.Operands(-1).Value("--to", [&target](const QString& value) -> std::optional<QString> {
        if (target)
            return QStringLiteral("--to is given once");
        const std::optional<PhotometricFormat> format = FormatOfName((QLatin1Char('.') + value).toStdString());
        if (!format || value.contains(QLatin1Char('.')))
            return QStringLiteral("--to takes ldt or ies, not \"%1\"").arg(value);
        target = format;
        return std::nullopt;
    });
    options.Value("--out-dir", [&outDir](const QString& value) -> std::optional<QString> {
        if (!outDir.isEmpty())
            return QStringLiteral("--out-dir is given once");
        if (value.isEmpty())
            return QStringLiteral("--out-dir needs a folder");
        outDir = value;
        return std::nullopt;
    });
    const bool parsed = options.Parse(arguments);
    const QStringList& files = options.operands();
    if (!parsed || files.isEmpty()) {
        std::fputs("usage: kandora-cli convert [--to ldt|ies] FILE... [--out-dir DIR]\n", stderr);
        return 2;
    }
    bool all = true;
    for (const QString& file : files)
        all = (target ? SaveFileInFormat(file, *target, outDir) : ConvertFile(file, outDir)) && all;
    std::fflush(stdout);
    return all ? 0 : 1;
}
