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

// A JSON string: quotes and backslashes escaped, control characters as \u00XX.
void AppendJsonString(std::string& out, std::string_view utf8)
{
    out += '"';
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            static const char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}

// A number in its shortest exact form, null where there is none (JSON has no NaN).
void AppendJsonNumber(std::string& out, const std::optional<double>& x)
{
    if (!x || !std::isfinite(*x)) {
        out += "null";
        return;
    }
    std::array<char, 32> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), *x);
    out.append(buffer.data(), ec == std::errc() ? end : buffer.data());
}

void AppendKey(std::string& out, std::string_view key)
{
    out += '"';
    out += key;
    out += "\":";
}

void AppendSpread(std::string& out, std::string_view key, const BeamField& spread)
{
    AppendKey(out, key);
    out += "{\"beam_deg\":";
    AppendJsonNumber(out, spread.beam_deg);
    out += ",\"field_deg\":";
    AppendJsonNumber(out, spread.field_deg);
    out += '}';
}

std::string Utf8Path(const std::string& bytes)
{
    return QFile::decodeName(QByteArray::fromStdString(bytes)).toStdString();
}

// Files read at a time: enough to keep every core busy, few enough that a
// batch of texts and summaries costs little.
constexpr std::size_t kBatch = 256;

}  // namespace

namespace {

FileSummary SummarizeFile(const std::string& path)
{
    FileSummary file;
    file.path = path;
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
    TiesData entry = UnreadEntry(slash == std::string::npos ? path : path.substr(slash + 1));
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
    return file;
}

}  // namespace

std::vector<FileSummary> SummarizeFiles(const std::vector<std::string>& paths, unsigned workers)
{
    std::vector<FileSummary> files(paths.size());
    // A whole file a take, as the list reads records: each takes long enough
    // that the shared counter costs nothing.
    RunOnWorkers(paths.size(), workers, 1, [&](std::size_t i) { files[i] = SummarizeFile(paths[i]); });
    return files;
}

void AppendSummaryJson(std::string& out, const PhotometricSummary& s)
{
    const std::pair<std::string_view, const std::optional<double>*> plain[] = {
        {"flux_lm", &s.flux_lm},         {"lamp_flux_lm", &s.lamp_flux_lm},
        {"lor", &s.lor},                 {"input_watts", &s.input_watts},
        {"efficacy_lm_per_w", &s.efficacy_lm_per_w}, {"max_cd", &s.max_cd},
    };
    for (const auto& [key, value] : plain) {
        AppendKey(out, key);
        AppendJsonNumber(out, *value);
        out += ',';
    }
    AppendKey(out, "max_at");
    if (s.max_at) {
        out += "{\"c\":";
        AppendJsonNumber(out, s.max_at->c);
        out += ",\"gamma\":";
        AppendJsonNumber(out, s.max_at->gamma);
        out += '}';
    } else {
        out += "null";
    }
    out += ',';
    AppendSpread(out, "c0_c180", s.c0_c180);
    out += ',';
    AppendSpread(out, "c90_c270", s.c90_c270);
    out += ',';
    AppendKey(out, "zonal_lm");
    if (s.zonal_lm) {
        out += '{';
        for (std::size_t i = 0; i < kZonalBands.size(); ++i) {
            if (i > 0)
                out += ',';
            AppendKey(out, kZonalBands[i].name);
            AppendJsonNumber(out, (*s.zonal_lm)[i]);
        }
        out += '}';
    } else {
        out += "null";
    }
    out += ',';
    AppendKey(out, "cie_flux_code");
    if (s.cie_flux_code) {
        const CieFluxCode& c = *s.cie_flux_code;
        out += '[';
        for (const std::optional<double>& n : {std::optional<double>(c.n1), std::optional<double>(c.n2),
                                               std::optional<double>(c.n3), c.n4, c.n5}) {
            if (out.back() != '[')
                out += ',';
            AppendJsonNumber(out, n);
        }
        out += ']';
    } else {
        out += "null";
    }
}

void InsertSummaryJson(QJsonObject& object, const PhotometricSummary& summary)
{
    // Through the one writer of these keys, so that every command prints the same.
    std::string text = "{";
    AppendSummaryJson(text, summary);
    text += '}';
    const QJsonObject values = QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
    for (auto it = values.begin(); it != values.end(); ++it)
        object.insert(it.key(), it.value());
}

std::string FileSummaryJson(const FileSummary& file)
{
    std::string out = "{";
    AppendKey(out, "file");
    AppendJsonString(out, Utf8Path(file.path));
    out += ',';
    if (!file.error.empty()) {
        AppendKey(out, "error");
        AppendJsonString(out, QString::fromLocal8Bit(file.error).toStdString());
        return out + '}';
    }
    AppendSummaryJson(out, file.summary);
    if (!file.headerFault.empty()) {
        out += ',';
        AppendKey(out, "header_fault");
        AppendJsonString(out, file.headerFault);
    }
    return out + '}';
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
    std::string row = CsvText(Utf8Path(file.path));
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
    struct Slot {
        std::string error;  // the file's, when it could not be read
        std::string text;   // its row or array element
    };
    std::vector<Slot> results;
    for (std::size_t start = 0; start < paths.size(); start += kBatch) {
        // Each worker also writes its files' text, so the output keeps up with the reading.
        results.assign(std::min(kBatch, paths.size() - start), Slot{});
        RunOnWorkers(results.size(), workers, 1, [&](std::size_t i) {
            const FileSummary file = SummarizeFile(paths[start + i]);
            results[i].error = file.error;
            results[i].text = csv ? SummaryCsvRow(file) : FileSummaryJson(file);
        });
        std::string text;
        for (std::size_t i = 0; i < results.size(); ++i) {
            if (!results[i].error.empty()) {
                ++failed;
                FileSummary file;
                file.path = paths[start + i];
                file.error = results[i].error;
                unreadable(file);
            }
            // The first element follows the bracket, every other one a comma.
            if (!csv)
                text += start + i == 0 ? "\n" : ",\n";
            text += results[i].text;
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
