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

// Between the formats: each file into the other, beside it or into a folder;
// a source in the target's format, a type B file and a foreign file of the
// new name are refused with one line each, and nothing of theirs is written.
TEST(CliConvert, WritesEachFormatAsTheOther)
{
    QTemporaryDir dir;
    const auto path = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write("down.ies", "IESNA:LM-63-2002\r\n[MANUFAC] Halvard\r\nTILT=NONE\r\n1 1000 1 2 1 1 2 0 0 0\r\n1 1 10\r\n0 90\r\n0\r\n500 100\r\n");
    write("flood.ies", "TILT=NONE\r\n1 1000 1 2 1 2 2 0 0 0\r\n1 1 10\r\n0 90\r\n0\r\n5 1\r\n");
    write("taken.ies", "TILT=NONE\r\n1 1000 1 2 1 1 2 0 0 0\r\n1 1 10\r\n0 90\r\n0\r\n5 1\r\n");
    write("taken.ldt", "someone else's file\r\n");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("out")));
    const QString ldt = QStringLiteral("ldt");

    int status = -1;
    EXPECT_EQ(Convert({QStringLiteral("--to"), ldt, path("down.ies")}, status), (path("down.ldt") + QLatin1Char('\n')).toUtf8());
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Convert({QStringLiteral("--to"), QStringLiteral("ies"), path("down.ldt"), QStringLiteral("--out-dir"), path("out")}, status),
              (path("out") + QStringLiteral("/down.ies\n")).toUtf8());
    EXPECT_EQ(status, 0);
    QFile back(path("out/down.ies"));
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    const QByteArray text = back.readAll();
    EXPECT_TRUE(text.startsWith("IESNA:LM-63-2002\r\n")) << text.constData();
    EXPECT_TRUE(text.contains("[MANUFAC] Halvard\r\n")) << text.constData();
    EXPECT_TRUE(text.endsWith("\r\n500 100 \r\n")) << text.constData();

    const QByteArray out = Convert({QStringLiteral("--to"), ldt, path("down.ldt"), path("flood.ies"), path("taken.ies")}, status);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(out.count('\n'), 3) << out.constData();
    EXPECT_TRUE(out.contains("down.ldt: The file is EULUMDAT already. Nothing written.\n")) << out.constData();
    EXPECT_TRUE(out.contains("flood.ies: EULUMDAT holds type C photometry only; this file is type B. Nothing written.\n"));
    EXPECT_TRUE(out.contains("taken.ies: taken.ldt already exists and was not written by a conversion; it was left as it is."));
    EXPECT_FALSE(QFile::exists(path("flood.ldt")));
    QFile taken(path("taken.ldt"));
    ASSERT_TRUE(taken.open(QIODevice::ReadOnly));
    EXPECT_EQ(taken.readAll(), QByteArray("someone else's file\r\n"));

    for (const QStringList& bad : {QStringList{QStringLiteral("--to"), QStringLiteral("pdf"), path("down.ies")},
                                   QStringList{QStringLiteral("--to"), QStringLiteral("x.ldt"), path("down.ies")},
                                   QStringList{QStringLiteral("--to"), ldt, QStringLiteral("--to"), ldt, path("down.ies")}}) {
        Convert(bad, status);
        EXPECT_EQ(status, 2) << bad.join(QLatin1Char(' ')).toStdString();
    }
}

}  // namespace
