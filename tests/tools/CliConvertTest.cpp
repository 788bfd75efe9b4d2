#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

QByteArray Convert(const QStringList& arguments, int& status)
{
    QProcess process;
    process.start(QStringLiteral(KANDORA_CLI), QStringList{QStringLiteral("convert")} + arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    status = process.exitCode();
    return process.readAllStandardOutput() + process.readAllStandardError();
}

TEST(CliConvert, WritesConvertibleFilesAndRefusesTheOthers)
{
    QTemporaryDir dir;
    const auto path = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    QFile typeB(path("flood.ies"));
    ASSERT_TRUE(typeB.open(QIODevice::WriteOnly));
    typeB.write("IESNA91\r\nTILT=NONE\r\n1 1000 1 3 3 2 2 0 0 0\r\n1 1 10\r\n-90 0 90\r\n-90 0 90\r\n1 2 3\r\n"
                "4 5 6\r\n7 8 9\r\n");
    typeB.close();
    ASSERT_TRUE(QFile::copy(path("flood.ies"), path("copy.ies")));
    QFile typeC(path("down.ies"));
    ASSERT_TRUE(typeC.open(QIODevice::WriteOnly));
    typeC.write("IESNA91\r\nTILT=NONE\r\n1 1000 1 2 1 1 2 0 0 0\r\n1 1 10\r\n0 90\r\n0\r\n5 1\r\n");
    typeC.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("out")));

    int status = -1;
    EXPECT_EQ(Convert({path("flood.ies")}, status), (path("flood_C.ies") + QLatin1Char('\n')).toUtf8());
    EXPECT_EQ(status, 0);
    QFile written(path("flood_C.ies"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().endsWith("\r\n0 90 180 270\r\n5 6 \r\n5 8 \r\n5 4 \r\n5 2 \r\n"));

    // A refused file among written ones: one line for it, nothing written for it, exit 1.
    const QByteArray out = Convert({path("down.ies"), QStringLiteral("--out-dir"), path("out"), path("copy.ies")}, status);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(out.count('\n'), 2) << out.constData();
    EXPECT_TRUE(out.contains("down.ies: Neither type B nor starting at 90 degrees. Nothing written.\n"));
    EXPECT_EQ(QDir(path("out")).entryList(QDir::Files), QStringList{QStringLiteral("copy_C.ies")});

    Convert({path("flood.ies"), QStringLiteral("--out-dir"), path("missing")}, status);
    EXPECT_EQ(status, 1);
    for (const QStringList& bad : {QStringList{}, QStringList{path("flood.ies"), QStringLiteral("--out-dir")},
                                   QStringList{path("flood.ies"), QStringLiteral("--bogus")}}) {
        Convert(bad, status);
        EXPECT_EQ(status, 2) << bad.join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("down_R.ies")) || QFile::exists(path("down_C.ies")));
}

// Between the formats, beside the source or into a folder; a refusal is one
// line and nothing written (the refusals themselves are the core's tests).
TEST(CliConvert, WritesEachFormatAsTheOther)
{
    QTemporaryDir dir;
    const auto path = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    QFile source(path("down.ies"));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write("IESNA:LM-63-2002\r\n[MANUFAC] Halvard\r\nTILT=NONE\r\n1 1000 1 2 1 1 2 0 0 0\r\n1 1 10\r\n0 90\r\n0\r\n500 100\r\n");
    source.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("out")));
    const QString to = QStringLiteral("--to");

    int status = -1;
    EXPECT_EQ(Convert({to, QStringLiteral("ldt"), path("down.ies")}, status), (path("down.ldt") + QLatin1Char('\n')).toUtf8());
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Convert({to, QStringLiteral("ies"), path("down.ldt"), QStringLiteral("--out-dir"), path("out")}, status),
              (path("out") + QStringLiteral("/down.ies\n")).toUtf8());
    EXPECT_EQ(status, 0);
    QFile back(path("out/down.ies"));
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    const QByteArray text = back.readAll();
    EXPECT_TRUE(text.startsWith("IESNA:LM-63-2002\r\n") && text.contains("[MANUFAC] Halvard\r\n")) << text.constData();
    EXPECT_TRUE(text.endsWith("\r\n500 100 \r\n")) << text.constData();

    // The way back beside the source would replace a file no conversion wrote.
    EXPECT_EQ(Convert({to, QStringLiteral("ies"), path("down.ldt")}, status),
              (QStringLiteral("kandora-cli: ") + path("down.ldt") +
               QStringLiteral(": down.ies already exists and was not written by a conversion; it was left as it is. "
                              "Nothing written.\n"))
                  .toUtf8());
    EXPECT_EQ(status, 1);
    for (const QString& bad : {QStringLiteral("pdf"), QStringLiteral("x.ldt")}) {
        Convert({to, bad, path("down.ies")}, status);
        EXPECT_EQ(status, 2) << bad.toStdString();
    }
}

}  // namespace
