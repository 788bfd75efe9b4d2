#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <algorithm>
#include <map>
#include <optional>

#include "photometry/EntryLoader.h"
#include "photometry/PhotometricSummary.h"
#include "tools/SummaryOutput.h"

namespace {

const QString kSamples = QStringLiteral(KANDORA_SOURCE_DIR "/samples");

struct Outcome {
    int status = -1;
    QByteArray out;
};

Outcome Summary(const QStringList& arguments, const QString& locale = QString())
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!locale.isEmpty())
        environment.insert(QStringLiteral("LC_ALL"), locale);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KANDORA_CLI), QStringList{QStringLiteral("summary")} + arguments);
    EXPECT_TRUE(process.waitForFinished(120000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput()};
}

using Flat = std::map<std::string, std::optional<double>>;

// Every number of a JSON value by its path ("c0_c180.beam_deg", "cie_flux_code.3"); null is empty.
void Flatten(const QJsonValue& value, const std::string& path, Flat& out)
{
    if (value.isObject()) {
        const QJsonObject o = value.toObject();
        for (auto it = o.begin(); it != o.end(); ++it)
            if (it.key() != QLatin1String("file"))
                Flatten(it.value(), path + (path.empty() ? "" : ".") + it.key().toStdString(), out);
    } else if (value.isArray()) {
        for (qsizetype i = 0; i < value.toArray().size(); ++i)
            Flatten(value.toArray()[i], path + "." + std::to_string(i), out);
    } else {
        out[path] = value.isDouble() ? std::optional<double>(value.toDouble()) : std::nullopt;
    }
}

// The summary worked out in process, by the same paths.
Flat Expected(const PhotometricSummary& s)
{
    Flat f{{"flux_lm", s.flux_lm},          {"lamp_flux_lm", s.lamp_flux_lm},
           {"lor", s.lor},                  {"input_watts", s.input_watts},
           {"efficacy_lm_per_w", s.efficacy_lm_per_w}, {"max_cd", s.max_cd},
           {"max_at.c", s.max_at->c},       {"max_at.gamma", s.max_at->gamma},
           {"c0_c180.beam_deg", s.c0_c180.beam_deg},   {"c0_c180.field_deg", s.c0_c180.field_deg},
           {"c90_c270.beam_deg", s.c90_c270.beam_deg}, {"c90_c270.field_deg", s.c90_c270.field_deg}};
    f["zonal_lm"] = std::nullopt;
    if (s.zonal_lm) {
        f.erase("zonal_lm");
        for (std::size_t i = 0; i < kZonalBands.size(); ++i)
            f["zonal_lm." + std::string(kZonalBands[i].name)] = (*s.zonal_lm)[i];
    }
    f["cie_flux_code"] = std::nullopt;
    if (const auto& c = s.cie_flux_code) {
        f.erase("cie_flux_code");
        const std::optional<double> n[] = {c->n1, c->n2, c->n3, c->n4, c->n5};
        for (int i = 0; i < 5; ++i)
            f["cie_flux_code." + std::to_string(i)] = n[i];
    }
    return f;
}

// A folder is its photometric files sorted as captions sort; every object
// carries exactly the values the summary gives in process, unrounded.
TEST(CliSummaryTest, JsonOfAFolderMatchesTheSummaryFileByFile)
{
    const Outcome run = Summary({kSamples});
    EXPECT_EQ(run.status, 0) << "a header fault is no failure";
    const QJsonArray files = QJsonDocument::fromJson(run.out).array();
    QStringList names = QDir(kSamples).entryList({QStringLiteral("*.ies"), QStringLiteral("*.ldt")}, QDir::Files);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return a.toUpper() < b.toUpper(); });
    ASSERT_EQ(files.size(), names.size());
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QJsonObject o = files[i].toObject();
        EXPECT_EQ(QFileInfo(o[QStringLiteral("file")].toString()).fileName(), names[i]);
        TiesData entry = UnreadEntry(names[i].toStdString());
        ASSERT_EQ(LoadEntry(entry, kSamples.toStdString() + "/").kind, LoadResult::Kind::Loaded);
        const PhotometricSummary summary = SummarizePhotometry(entry.Ies);
        Flat json;
        Flatten(o, "", json);
        json.erase("header_fault");
        EXPECT_EQ(json, Expected(summary)) << names[i].toStdString();
        // Commands that build a QJsonObject get the same members.
        QJsonObject inserted{{QStringLiteral("file"), o[QStringLiteral("file")]}};
        InsertSummaryJson(inserted, summary);
        if (o.contains(QStringLiteral("header_fault")))
            inserted.insert(QStringLiteral("header_fault"), o[QStringLiteral("header_fault")]);
        EXPECT_EQ(inserted, o) << names[i].toStdString();
    }
}

class CliSummaryFilesTest : public ::testing::Test {
protected:
    QString Write(const char* name, const QByteArray& text)
    {
        QFile file(dir_.filePath(QString::fromUtf8(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName();
    }
    QTemporaryDir dir_;
};

// A spreadsheet reads the CSV the same in every locale: "." decimals, the
// values of the JSON, texts quoted with their commas and quotes doubled.
TEST_F(CliSummaryFilesTest, CsvKeepsPointDecimalsAndQuotesTextsInAGermanLocale)
{
    const QString file = Write("quoted.ies", "IESNA:LM-63-2002\r\n[MANUFAC] Smith, \"Best\" Lights\r\nTILT=NONE\r\n"
                                             "1 1234.5 1 3 1 1 2 0 0 0\r\n1 1 17.5\r\n0 45 90\r\n0\r\n100.25 70.5 0\r\n");
    const Outcome csv = Summary({QStringLiteral("--csv"), file}, QStringLiteral("de_DE.UTF-8"));
    ASSERT_EQ(csv.status, 0);
    const QStringList lines = QString::fromUtf8(csv.out).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].contains(QStringLiteral(",\"Smith, \"\"Best\"\" Lights\",\"\",")));
    // The values follow the texts, so the row's last fields are the header's last ones.
    const QStringList header = lines[0].split(u','), row = lines[1].split(u',');
    const QJsonObject json = QJsonDocument::fromJson(Summary({file}).out).array().first().toObject();
    for (const char* key : {"flux_lm", "lamp_flux_lm", "lor", "input_watts", "efficacy_lm_per_w", "max_cd"}) {
        const QString text = row[row.size() - header.size() + header.indexOf(QLatin1String(key))];
        bool ok = false;
        EXPECT_EQ(text.toDouble(&ok), json[QLatin1String(key)].toDouble()) << key << " " << text.toStdString();
        EXPECT_TRUE(ok) << key;
    }
}

// An unreadable file is an object with "error" among the others; a missing
// file or an unlistable folder makes the status 1, bad usage 2.
TEST_F(CliSummaryFilesTest, ErrorObjectsAndExitStatus)
{
    const QString good = Write("go\\od \"1\".ies", "TILT=NONE\r\n1 1000 1 1 1 1 2 0 0 0\r\n1 1 10\r\n0\r\n0\r\n5\r\n");
    const QString huge = Write("huge.ies", "TILT=NONE\r\n1 1000 1 65535 65535 1 2 0 0 0 1 1 9\r\n");
    const QString missing = dir_.filePath(QStringLiteral("missing.ies"));
    const Outcome run = Summary({good, missing, huge});
    EXPECT_EQ(run.status, 1);
    const QJsonArray files = QJsonDocument::fromJson(run.out).array();
    ASSERT_EQ(files.size(), 3);
    const QString expected[] = {good, missing, huge};
    for (int i = 0; i < 3; ++i) {
        const QJsonObject o = files[i].toObject();
        EXPECT_EQ(o[QStringLiteral("file")].toString(), expected[i]);
        EXPECT_EQ(o.contains(QStringLiteral("error")), i > 0);
        EXPECT_EQ(o[QStringLiteral("flux_lm")].isDouble(), i == 0);
    }
    EXPECT_EQ(Summary({good}).status, 0);
    EXPECT_EQ(Summary({dir_.filePath(QStringLiteral("no-folder/"))}).status, 1);
    EXPECT_EQ(Summary({}).status, 2);
    EXPECT_EQ(Summary({good, QStringLiteral("--tsv")}).status, 2);
}

}  // namespace
