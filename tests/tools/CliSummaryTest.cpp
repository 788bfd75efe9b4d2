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
#include <cmath>
#include <optional>

#include "photometry/EntryLoader.h"
#include "photometry/PhotometricSummary.h"

namespace {

const QString kSamples = QStringLiteral(KANDORA_SOURCE_DIR "/samples");

struct Outcome {
    int status = -1;
    QByteArray out;
};

Outcome Summary(const QStringList& arguments, const QString& locale = QString())
{
    QProcess process;
    if (!locale.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), locale);
        process.setProcessEnvironment(environment);
    }
    process.start(QStringLiteral(KANDORA_CLI), QStringList{QStringLiteral("summary")} + arguments);
    EXPECT_TRUE(process.waitForFinished(120000));
    Outcome run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    return run;
}

PhotometricSummary SummaryOf(const QString& name)
{
    TiesData entry = UnreadEntry(name.toStdString());
    EXPECT_EQ(LoadEntry(entry, kSamples.toStdString() + "/").kind, LoadResult::Kind::Loaded) << name.toStdString();
    return SummarizePhotometry(entry.Ies);
}

void ExpectValue(const QJsonValue& json, const std::optional<double>& value, const char* key, const QString& file)
{
    SCOPED_TRACE(file.toStdString() + " " + key);
    if (!value) {
        EXPECT_TRUE(json.isNull());
        return;
    }
    ASSERT_TRUE(json.isDouble());
    EXPECT_DOUBLE_EQ(json.toDouble(), *value);
}

// Every key of `o` against the summary worked out in process.
void ExpectSameSummary(const QJsonObject& o, const PhotometricSummary& s, const QString& file)
{
    ExpectValue(o[QStringLiteral("flux_lm")], s.flux_lm, "flux_lm", file);
    ExpectValue(o[QStringLiteral("lamp_flux_lm")], s.lamp_flux_lm, "lamp_flux_lm", file);
    ExpectValue(o[QStringLiteral("lor")], s.lor, "lor", file);
    ExpectValue(o[QStringLiteral("input_watts")], s.input_watts, "input_watts", file);
    ExpectValue(o[QStringLiteral("efficacy_lm_per_w")], s.efficacy_lm_per_w, "efficacy_lm_per_w", file);
    ExpectValue(o[QStringLiteral("max_cd")], s.max_cd, "max_cd", file);
    const QJsonObject at = o[QStringLiteral("max_at")].toObject();
    ExpectValue(at[QStringLiteral("c")], s.max_at->c, "max_at.c", file);
    ExpectValue(at[QStringLiteral("gamma")], s.max_at->gamma, "max_at.gamma", file);
    for (const auto& [key, spread] : {std::pair{"c0_c180", s.c0_c180}, std::pair{"c90_c270", s.c90_c270}}) {
        const QJsonObject pair = o[QLatin1String(key)].toObject();
        ExpectValue(pair[QStringLiteral("beam_deg")], spread.beam_deg, key, file);
        ExpectValue(pair[QStringLiteral("field_deg")], spread.field_deg, key, file);
    }
    ASSERT_EQ(o[QStringLiteral("zonal_lm")].isNull(), !s.zonal_lm) << file.toStdString();
    for (std::size_t i = 0; s.zonal_lm && i < kZonalBands.size(); ++i) {
        const QString band = QString::fromLatin1(kZonalBands[i].name.data(), kZonalBands[i].name.size());
        ExpectValue(o[QStringLiteral("zonal_lm")].toObject()[band], (*s.zonal_lm)[i], "zonal_lm", file);
    }
    ASSERT_EQ(o[QStringLiteral("cie_flux_code")].isNull(), !s.cie_flux_code) << file.toStdString();
    if (s.cie_flux_code) {
        const QJsonArray code = o[QStringLiteral("cie_flux_code")].toArray();
        ASSERT_EQ(code.size(), 5);
        const CieFluxCode& c = *s.cie_flux_code;
        const std::optional<double> n[] = {c.n1, c.n2, c.n3, c.n4, c.n5};
        for (int i = 0; i < 5; ++i)
            ExpectValue(code[i], n[i], "cie_flux_code", file);
    }
}

// A folder is its photometric files sorted by name; every object carries the
// same values the summary gives in process, unrounded.
TEST(CliSummaryTest, JsonOfAFolderMatchesTheSummaryFileByFile)
{
    const Outcome run = Summary({kSamples});
    EXPECT_EQ(run.status, 0) << "a header fault is no failure";
    const QJsonArray files = QJsonDocument::fromJson(run.out).array();
    // Sorted as captions sort: bytes, a-z read as A-Z.
    QStringList names = QDir(kSamples).entryList({QStringLiteral("*.ies")}, QDir::Files);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return a.toUpper() < b.toUpper(); });
    ASSERT_EQ(files.size(), names.size());
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QJsonObject o = files[i].toObject();
        EXPECT_EQ(QFileInfo(o[QStringLiteral("file")].toString()).fileName(), names[i]);
        ExpectSameSummary(o, SummaryOf(names[i]), names[i]);
    }
}

// Splits one CSV line into its fields (RFC 4180 quoting).
QStringList CsvFields(const QString& line)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted && c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') {
            field += c;
            ++i;
        } else if (c == u'"') {
            quoted = !quoted;
        } else if (c == u',' && !quoted) {
            fields << field;
            field.clear();
        } else {
            field += c;
        }
    }
    return fields << field;
}

class CliSummaryFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Write(const char* name, const QByteArray& text)
    {
        QFile file(dir_.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName();
    }
    QTemporaryDir dir_;
};

// A spreadsheet reads the CSV the same in every locale: "." decimals, texts
// quoted with their commas and quotes, the values those of the JSON.
TEST_F(CliSummaryFilesTest, CsvKeepsPointDecimalsAndQuotesTextsInAGermanLocale)
{
    const QString file = Write("quoted.ies", "IESNA:LM-63-2002\r\n[MANUFAC] Smith, \"Best\" Lights\r\n[LAMP] LED\r\n"
                                             "TILT=NONE\r\n1 1234.5 1 3 1 1 2 0 0 0\r\n1 1 17.5\r\n0 45 90\r\n0\r\n"
                                             "100.25 70.5 0\r\n");
    const Outcome csv = Summary({QStringLiteral("--csv"), file}, QStringLiteral("de_DE.UTF-8"));
    ASSERT_EQ(csv.status, 0);
    const QStringList lines = QString::fromUtf8(csv.out).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].contains(QStringLiteral(",\"Smith, \"\"Best\"\" Lights\",")));
    const QStringList header = CsvFields(lines[0]);
    const QStringList row = CsvFields(lines[1]);
    ASSERT_EQ(row.size(), header.size());
    EXPECT_EQ(row[header.indexOf(QStringLiteral("manufacturer"))], QStringLiteral("Smith, \"Best\" Lights"));
    EXPECT_EQ(row[header.indexOf(QStringLiteral("lamp"))], QStringLiteral("LED"));

    const QJsonObject json = QJsonDocument::fromJson(Summary({file}).out).array().first().toObject();
    for (const char* key : {"flux_lm", "lamp_flux_lm", "lor", "input_watts", "efficacy_lm_per_w", "max_cd"}) {
        const QString text = row[header.indexOf(QLatin1String(key))];
        EXPECT_FALSE(text.contains(u',')) << key;
        bool ok = false;
        EXPECT_DOUBLE_EQ(text.toDouble(&ok), json[QLatin1String(key)].toDouble()) << key;
        EXPECT_TRUE(ok) << key << " " << text.toStdString();
    }
    EXPECT_EQ(row[header.indexOf(QStringLiteral("input_watts"))], QStringLiteral("17.5"));
}

// An unreadable file is an object with "error" among the others; an
// unlistable folder or a missing file makes the status 1, bad usage 2.
TEST_F(CliSummaryFilesTest, ErrorObjectsAndExitStatus)
{
    // A name JSON must escape.
    const QString good = Write("go\\od \"1\".ies", "TILT=NONE\r\n1 1000 1 1 1 1 2 0 0 0\r\n1 1 10\r\n0\r\n0\r\n5\r\n");
    const QString huge = Write("huge.ies", "TILT=NONE\r\n1 1000 1 65535 65535 1 2 0 0 0 1 1 9\r\n");
    const QString missing = dir_.filePath(QStringLiteral("missing.ies"));

    const Outcome run = Summary({good, missing, huge});
    EXPECT_EQ(run.status, 1);
    const QJsonArray files = QJsonDocument::fromJson(run.out).array();
    ASSERT_EQ(files.size(), 3);
    EXPECT_EQ(files[0].toObject()[QStringLiteral("file")].toString(), good);
    EXPECT_FALSE(files[0].toObject().contains(QStringLiteral("error")));
    EXPECT_TRUE(files[0].toObject()[QStringLiteral("flux_lm")].isDouble());
    for (const int i : {1, 2}) {
        const QJsonObject failed = files[i].toObject();
        EXPECT_FALSE(failed[QStringLiteral("error")].toString().isEmpty());
        EXPECT_FALSE(failed.contains(QStringLiteral("flux_lm")));
    }
    EXPECT_EQ(files[1].toObject()[QStringLiteral("file")].toString(), missing);

    EXPECT_EQ(Summary({good}).status, 0);
    EXPECT_EQ(Summary({dir_.filePath(QStringLiteral("no-folder/"))}).status, 1);
    const Outcome empty = Summary({QDir(dir_.path()).filePath(QStringLiteral("."))});  // the folder: the huge file fails
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(Summary({}).status, 2);
    EXPECT_EQ(Summary({good, QStringLiteral("--tsv")}).status, 2);
}

}  // namespace
