#include "tools/SummaryOutput.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <dirent.h>

#include "browser/Catalog.h"
#include "browser/RunOnWorkers.h"
#include "browser/ShellNamespace.h"
#include "photometry/EntryLoader.h"

namespace {

QJsonValue Number(const std::optional<double>& x)
{
    return x && std::isfinite(*x) ? QJsonValue(*x) : QJsonValue(QJsonValue::Null);
}

QJsonValue Spread(const BeamField& spread)
{
    return QJsonObject{{QStringLiteral("beam_deg"), Number(spread.beam_deg)},
                       {QStringLiteral("field_deg"), Number(spread.field_deg)}};
}

QString Latin(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The shortest text that reads back as x, "." decimals whatever the locale;
// nothing where null.
std::string CsvNumber(const std::optional<double>& x)
{
    if (!x || !std::isfinite(*x))
        return {};
    std::array<char, 32> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), *x);
    return ec == std::errc() ? std::string(buffer.data(), end) : std::string();
}

// The texts a row carries, in its order.
constexpr std::array<std::pair<const char*, std::string EntryTexts::*>, 5> kCsvTexts{{
    {"manufacturer", &EntryTexts::manufacturer},
    {"luminaire", &EntryTexts::luminaire},
    {"luminaire_catalog", &EntryTexts::luminaireCatalog},
    {"lamp", &EntryTexts::lamp},
    {"lamp_catalog", &EntryTexts::lampCatalog},
}};

// Keyword bytes as UTF-8: kept when they are UTF-8, else read as Latin-1.
std::string Utf8(const std::string& bytes)
{
    return NameToText(bytes).toStdString();
}

// A folder's photometric files sorted as captions sort, with the folder in front.
std::vector<std::string> FolderFiles(std::string folder, QStringList& complaints)
{
    if (folder.back() != '/')
        folder += '/';
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        complaints << QFile::decodeName(QByteArray::fromStdString(folder)) + QStringLiteral(": ") +
                          QString::fromLocal8Bit(std::strerror(errno));
        return {};
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

// Files read at a time: enough to keep every core busy, few enough that a
// batch of texts and summaries costs little.
constexpr std::size_t kBatch = 256;

}  // namespace

std::vector<FileSummary> SummarizeFiles(const std::vector<std::string>& paths, unsigned workers)
{
    std::vector<FileSummary> files(paths.size());
    // A whole file a take, as the list reads records: each takes long enough
    // that the shared counter costs nothing.
    RunOnWorkers(paths.size(), workers, 1, [&](std::size_t i) {
        FileSummary& file = files[i];
        file.path = paths[i];
        const std::size_t slash = file.path.rfind('/');
        const std::string folder = slash == std::string::npos ? std::string("./") : file.path.substr(0, slash + 1);
        TiesData entry = UnreadEntry(slash == std::string::npos ? file.path : file.path.substr(slash + 1));
        const LoadResult result = LoadEntry(entry, folder);
        file.texts = std::move(entry.Texts);
        if (result.kind == LoadResult::Kind::Missing)
            file.error = "no such file";
        else if (result.kind != LoadResult::Kind::Loaded)
            file.error = result.error.empty() ? std::string("cannot be read") : result.error;
        else {
            file.headerFault = result.headerFault;
            file.summary = SummarizePhotometry(entry.Ies);
        }
    });
    return files;
}

void InsertSummaryJson(QJsonObject& object, const PhotometricSummary& s)
{
    object.insert(QStringLiteral("flux_lm"), Number(s.flux_lm));
    object.insert(QStringLiteral("lamp_flux_lm"), Number(s.lamp_flux_lm));
    object.insert(QStringLiteral("lor"), Number(s.lor));
    object.insert(QStringLiteral("input_watts"), Number(s.input_watts));
    object.insert(QStringLiteral("efficacy_lm_per_w"), Number(s.efficacy_lm_per_w));
    object.insert(QStringLiteral("max_cd"), Number(s.max_cd));
    object.insert(QStringLiteral("max_at"), s.max_at ? QJsonValue(QJsonObject{{QStringLiteral("c"), s.max_at->c},
                                                                              {QStringLiteral("gamma"), s.max_at->gamma}})
                                                     : QJsonValue(QJsonValue::Null));
    object.insert(QStringLiteral("c0_c180"), Spread(s.c0_c180));
    object.insert(QStringLiteral("c90_c270"), Spread(s.c90_c270));
    QJsonValue zones(QJsonValue::Null);
    if (s.zonal_lm) {
        QJsonObject bands;
        for (std::size_t i = 0; i < kZonalBands.size(); ++i)
            bands.insert(Latin(kZonalBands[i].name), Number((*s.zonal_lm)[i]));
        zones = bands;
    }
    object.insert(QStringLiteral("zonal_lm"), zones);
    QJsonValue code(QJsonValue::Null);
    if (s.cie_flux_code) {
        const CieFluxCode& c = *s.cie_flux_code;
        code = QJsonArray{Number(c.n1), Number(c.n2), Number(c.n3), Number(c.n4), Number(c.n5)};
    }
    object.insert(QStringLiteral("cie_flux_code"), code);
}

QJsonObject FileSummaryJson(const FileSummary& file)
{
    QJsonObject object{{QStringLiteral("file"), QFile::decodeName(QByteArray::fromStdString(file.path))}};
    if (!file.error.empty()) {
        object.insert(QStringLiteral("error"), QString::fromLocal8Bit(file.error));
        return object;
    }
    InsertSummaryJson(object, file.summary);
    if (!file.headerFault.empty())
        object.insert(QStringLiteral("header_fault"), QString::fromStdString(file.headerFault));
    return object;
}

std::string CsvText(std::string_view text)
{
    std::string field = "\"";
    for (const char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    return field + '"';
}

std::string SummaryCsvHeader()
{
    std::string row = "file";
    for (const auto& [name, field] : kCsvTexts)
        row += std::string(",") + name;
    row += ",flux_lm,lamp_flux_lm,lor,input_watts,efficacy_lm_per_w,max_cd,max_c,max_gamma"
           ",c0_c180_beam_deg,c0_c180_field_deg,c90_c270_beam_deg,c90_c270_field_deg";
    for (const ZonalBand& band : kZonalBands)
        row += ",zonal_lm_" + std::string(band.name);
    row += ",cie_n1,cie_n2,cie_n3,cie_n4,cie_n5,error\r\n";
    return row;
}

std::string SummaryCsvRow(const FileSummary& file)
{
    std::string row = CsvText(QFile::decodeName(QByteArray::fromStdString(file.path)).toStdString());
    for (const auto& [name, field] : kCsvTexts)
        row += ',' + CsvText(Utf8(file.texts.*field));
    const PhotometricSummary& s = file.summary;
    std::vector<std::optional<double>> values{s.flux_lm, s.lamp_flux_lm, s.lor, s.input_watts, s.efficacy_lm_per_w,
                                              s.max_cd};
    values.push_back(s.max_at ? std::optional<double>(s.max_at->c) : std::nullopt);
    values.push_back(s.max_at ? std::optional<double>(s.max_at->gamma) : std::nullopt);
    for (const BeamField* spread : {&s.c0_c180, &s.c90_c270}) {
        values.push_back(spread->beam_deg);
        values.push_back(spread->field_deg);
    }
    for (std::size_t i = 0; i < kZonalBands.size(); ++i)
        values.push_back(s.zonal_lm ? std::optional<double>((*s.zonal_lm)[i]) : std::nullopt);
    const std::optional<CieFluxCode>& code = s.cie_flux_code;
    values.push_back(code ? std::optional<double>(code->n1) : std::nullopt);
    values.push_back(code ? std::optional<double>(code->n2) : std::nullopt);
    values.push_back(code ? std::optional<double>(code->n3) : std::nullopt);
    values.push_back(code ? code->n4 : std::nullopt);
    values.push_back(code ? code->n5 : std::nullopt);
    for (const std::optional<double>& value : values)
        row += ',' + CsvNumber(value);
    const std::string& fault = file.error.empty() ? file.headerFault : file.error;
    row += ',' + (fault.empty() ? std::string() : CsvText(QString::fromLocal8Bit(fault).toStdString()));
    return row + "\r\n";
}

std::size_t WriteSummaries(const std::vector<std::string>& paths, SummaryForm form, unsigned workers,
                           const std::function<void(std::string_view)>& write,
                           const std::function<void(const FileSummary&)>& unreadable)
{
    const bool csv = form == SummaryForm::Csv;
    write(csv ? SummaryCsvHeader() : std::string("["));
    std::size_t failed = 0;
    std::string text;
    for (std::size_t start = 0; start < paths.size(); start += kBatch) {
        const auto from = paths.begin() + static_cast<std::ptrdiff_t>(start);
        const std::vector<std::string> batch(from, from + static_cast<std::ptrdiff_t>(std::min(kBatch, paths.size() - start)));
        text.clear();
        for (const FileSummary& file : SummarizeFiles(batch, workers)) {
            if (!file.error.empty()) {
                ++failed;
                unreadable(file);
            }
            if (csv) {
                text += SummaryCsvRow(file);
            } else {
                // The first element follows the bracket, every other one a comma.
                text += start == 0 && text.empty() ? "\n" : ",\n";
                text += Element(FileSummaryJson(file));
            }
        }
        write(text);
    }
    if (!csv)
        write(paths.empty() ? "]\n" : "\n]\n");
    return failed;
}

std::vector<std::string> ExpandPhotometricInputs(const QStringList& inputs, QStringList& complaints)
{
    std::vector<std::string> paths;
    for (const QString& input : inputs) {
        std::string path = QFile::encodeName(input).toStdString();
        if (QFileInfo(input).isDir()) {
            const std::vector<std::string> files = FolderFiles(std::move(path), complaints);
            paths.insert(paths.end(), files.begin(), files.end());
        } else {
            paths.push_back(std::move(path));
        }
    }
    return paths;
}
