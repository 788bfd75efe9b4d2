#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>

#include "photometry/EntryLoader.h"
#include "photometry/PhotometricSummary.h"

namespace {

const QString kSamples = QStringLiteral(KANDORA_SOURCE_DIR "/samples/");

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

Outcome RunProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(120000));
    Outcome run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

Outcome Datasheet(const QStringList& arguments)
{
    return RunProgram(QStringLiteral(KANDORA_CLI), QStringList{QStringLiteral("datasheet")} + arguments);
}

int PageCount(const QString& pdf)
{
    const QRegularExpression pages(QStringLiteral("^Pages: +(\\d+)$"), QRegularExpression::MultilineOption);
    return pages.match(RunProgram(QStringLiteral("pdfinfo"), {pdf}).out).captured(1).toInt();
}

// The text of one page in the order it was drawn.
QString PageText(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    return RunProgram(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), QStringLiteral("-f"), number,
                                                    QStringLiteral("-l"), number, pdf, QStringLiteral("-")})
        .out;
}

// Each of `parts` found in `text`, in this order.
void ExpectInOrder(const QString& text, const QStringList& parts)
{
    qsizetype at = 0;
    for (const QString& part : parts) {
        const qsizetype found = text.indexOf(part, at);
        ASSERT_GE(found, 0) << "'" << part.toStdString() << "' missing after offset " << at << " in:\n"
                            << text.toStdString();
        at = found + part.size();
    }
}

// Whole numbers as the page groups them.
QString Grouped(double x)
{
    QString digits = QString::number(std::llround(x));
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(' '));
    return digits;
}

bool HasPoppler()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

}  // namespace

// Files in argument order: an index page, then each file's page with its
// texts and the summary's values as computed from the record.
TEST(CliDatasheetTest, IndexThenOnePagePerFileWithItsValues)
{
    if (!HasPoppler())
        GTEST_SKIP() << "poppler-utils not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sheets.pdf"));
    const QStringList names{QStringLiteral("street-light-hps-cobra-head.ies"), QStringLiteral("downlight-led-4in-15w.ies"),
                            QStringLiteral("wall-washer-recessed-led.ies")};
    QStringList arguments;
    for (const QString& name : names)
        arguments << kSamples + name;
    const Outcome run = Datasheet(arguments + QStringList{QStringLiteral("--out"), pdf});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    ASSERT_EQ(PageCount(pdf), 4);
    ExpectInOrder(PageText(pdf, 1), {QStringLiteral("Contents"), QStringLiteral("3 datasheets"), QStringLiteral("2 ") + names[0],
                                     QStringLiteral("3 ") + names[1], QStringLiteral("4 ") + names[2],
                                     QStringLiteral("Page 1")});
    for (int i = 0; i < 3; ++i) {
        TiesData entry = UnreadEntry(names[i].toStdString());
        ASSERT_EQ(LoadEntry(entry, kSamples.toStdString()).kind, LoadResult::Kind::Loaded);
        const PhotometricSummary summary = SummarizePhotometry(entry.Ies);
        ExpectInOrder(PageText(pdf, i + 2),
                      {QString::fromStdString(entry.Texts.manufacturer), QString::fromStdString(entry.Texts.luminaire), names[i],
                       QStringLiteral("Luminaire flux"), Grouped(*summary.flux_lm) + QStringLiteral(" lm"),
                       QStringLiteral("Maximum intensity"), Grouped(*summary.max_cd) + QStringLiteral(" cd"),
                       QStringLiteral("Zonal lumens"), QStringLiteral("0–90°"), Grouped((*summary.zonal_lm)[3]),
                       QStringLiteral("Luminous intensity, cd"), QStringLiteral("Rendered light view"),
                       QStringLiteral("Kandora 2.9"), QStringLiteral("Page %1").arg(i + 2)});
    }
}

// A folder stands for its photometric files sorted by name; an unreadable
// one gets no page, is named on stderr and makes the status 1.
TEST(CliDatasheetTest, FolderSortedUnreadableFilesNamedAndLeftOut)
{
    if (!HasPoppler())
        GTEST_SKIP() << "poppler-utils not installed";
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("lamps"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString sample = kSamples + QStringLiteral("downlight-led-4in-15w.ies");
    for (const char* name : {"b.ies", "A.ies", "c.IES", "notes.txt"})
        ASSERT_TRUE(QFile::copy(sample, folder + QLatin1Char('/') + QLatin1String(name)));
    QFile broken(folder + QStringLiteral("/broken.ies"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("TILT=NONE\n1 1000 1 65535 65535 1 1 0 0 0\n1 1 0\n");  // absurd counts: refused
    broken.close();

    const QString pdf = dir.filePath(QStringLiteral("lamps.pdf"));
    const Outcome run = Datasheet({folder, QStringLiteral("--out"), pdf, QStringLiteral("--paper"), QStringLiteral("Letter")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("broken.ies"))) << run.err.toStdString();
    ASSERT_EQ(PageCount(pdf), 4);
    const QString index = PageText(pdf, 1);
    ExpectInOrder(index, {QStringLiteral("2 A.ies"), QStringLiteral("3 b.ies"), QStringLiteral("4 c.IES")});
    EXPECT_FALSE(index.contains(QStringLiteral("broken"))) << index.toStdString();
    EXPECT_TRUE(RunProgram(QStringLiteral("pdfinfo"), {pdf}).out.contains(QStringLiteral("(letter)")));

    // Nothing readable, or a mistake in the command: the old file stays as it was.
    const QString kept = dir.filePath(QStringLiteral("kept.pdf"));
    QFile old(kept);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    EXPECT_EQ(Datasheet({broken.fileName(), QStringLiteral("--out"), kept}).status, 1);
    EXPECT_EQ(Datasheet({folder + QStringLiteral("/missing.ies"), dir.filePath(QStringLiteral("empty")),
                         QStringLiteral("--out"), kept})
                  .status,
              1);
    EXPECT_EQ(Datasheet({sample}).status, 2);
    EXPECT_EQ(Datasheet({sample, QStringLiteral("--out"), kept, QStringLiteral("--paper"), QStringLiteral("A3")}).status, 2);
    EXPECT_EQ(Datasheet({sample, QStringLiteral("--out"), kept, QStringLiteral("--landscape")}).status, 2);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));
}
