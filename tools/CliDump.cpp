#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

#include "CliArguments.h"
#include "CliCommands.h"
#include "photometry/EntryLoader.h"
#include "photometry/IesRecord.h"

namespace {

QJsonArray ToJson(const tArrEx& values)
{
    QJsonArray array;
    for (double v : values)
        array.append(v);
    return array;
}

QJsonObject RecordJson(const tIES& ies)
{
    QJsonArray rows;
    for (const tArrEx& row : ies.Candela)
        rows.append(ToJson(row));
    return QJsonObject{
        {QStringLiteral("LampLumens"), ies.LampLumens},
        {QStringLiteral("Multiplier"), ies.Multiplier},
        {QStringLiteral("Width"), ies.Width},
        {QStringLiteral("Length"), ies.Length},
        {QStringLiteral("Height"), ies.Height},
        {QStringLiteral("Candela"), rows},
        {QStringLiteral("VertCount"), ies.VertCount},
        {QStringLiteral("HorzCount"), ies.HorzCount},
        {QStringLiteral("UnitsType"), ies.UnitsType},
        {QStringLiteral("InputWatts"), ies.InputWatts},
        {QStringLiteral("LampCount"), ies.LampCount},
        {QStringLiteral("PhotometricType"), ies.PhotometricType},
        {QStringLiteral("VertAngles"), ToJson(ies.VertAngles)},
        {QStringLiteral("HorzAngles"), ToJson(ies.HorzAngles)},
        {QStringLiteral("BallastFactor"), ies.BallastFactor},
        {QStringLiteral("BallastLampFactor"), ies.BallastLampFactor},
        {QStringLiteral("InputWattsExact"), ies.InputWattsExact},
    };
}

QJsonValue TextOrNull(const std::string& text)
{
    return text.empty() ? QJsonValue(QJsonValue::Null) : QJsonValue(QString::fromLatin1(text));
}

// What a EULUMDAT file states of itself; texts are UTF-8, as its reader made them.
QJsonValue StatedJson(const std::optional<EulumdatStated>& stated)
{
    if (!stated)
        return QJsonValue(QJsonValue::Null);
    QJsonArray sets;
    for (const EulumdatLampSet& set : stated->LampSets)
        sets.append(QJsonObject{{QStringLiteral("count"), set.Count},
                                {QStringLiteral("type"), QString::fromStdString(set.Type)},
                                {QStringLiteral("flux"), set.Flux},
                                {QStringLiteral("colour_temperature"), QString::fromStdString(set.ColourTemperature)},
                                {QStringLiteral("colour_rendering"), QString::fromStdString(set.ColourRendering)},
                                {QStringLiteral("watts"), set.Watts}});
    return QJsonObject{{QStringLiteral("ityp"), stated->Ityp},
                       {QStringLiteral("isym"), stated->Isym},
                       {QStringLiteral("lorl"), stated->Lorl},
                       {QStringLiteral("downward_flux"), stated->DownwardFlux},
                       {QStringLiteral("lamp_sets"), sets}};
}

// One file's JSON object; `ok` is cleared when the file could not be read.
QJsonObject DumpFile(const QString& file, bool& ok)
{
    const QFileInfo info(file);
    const std::string folder = info.absolutePath().toStdString() + "/";
    TiesData entry = UnreadEntry(info.fileName().toStdString());
    LoadResult result = LoadEntry(entry, folder);
    if (result.kind == LoadResult::Kind::Missing)
        result.error = "no such file";
    if (result.kind != LoadResult::Kind::Loaded) {
        ok = false;
        std::fprintf(stderr, "kandora-cli: %s: %s\n", file.toLocal8Bit().constData(), result.error.c_str());
    }

    QJsonObject texts;
    for (const CaptionKind& kind : CaptionKinds()) {
        if (kind.choice == CaptionChoice::FileName)
            continue;
        QString key = QString::fromLatin1(kind.name.data(), static_cast<qsizetype>(kind.name.size()));
        key.replace(QLatin1Char('-'), QLatin1Char('_'));
        // Keyword values are single-byte text of unknown code page; Latin-1 keeps every byte.
        // A EULUMDAT reader gives UTF-8.
        const std::string& value = entry.Texts.*kind.field;
        texts.insert(key, entry.Format == PhotometricFormat::Eulumdat ? QString::fromStdString(value)
                                                                      : QString::fromLatin1(value));
    }
    return QJsonObject{
        {QStringLiteral("file"), file},
        {QStringLiteral("loaded"), entry.Loaded},
        {QStringLiteral("changed"), entry.Changed},
        {QStringLiteral("error"), TextOrNull(result.error)},
        {QStringLiteral("header_fault"), TextOrNull(result.headerFault)},
        {QStringLiteral("texts"), texts},
        {QStringLiteral("record"), RecordJson(entry.Ies)},
        {QStringLiteral("eulumdat"), StatedJson(entry.Eulumdat)},
    };
}

}  // namespace

int RunDump(const QStringList& arguments)
{
    CliOptions options;
    if (!options.Operands(-1).Parse(arguments) || options.operands().isEmpty()) {
        std::fputs("usage: kandora-cli dump FILE...\n", stderr);
        return 2;
    }
    bool ok = true;
    QJsonArray all;
    for (const QString& file : options.operands())
        all.append(DumpFile(file, ok));
    const QJsonDocument document = all.size() == 1 ? QJsonDocument(all.first().toObject()) : QJsonDocument(all);
    const QByteArray json = document.toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
    return ok ? 0 : 1;
}
