#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// Type B, both axes -90..90 by 90; and a type C file starting at 0, which is refused.
const char* const kTypeB =
    "IESNA91\r\n[TEST] B1\r\nTILT=NONE\r\n1 1000 1 3 3 2 2 0 0 0\r\n1 1 10\r\n-90 0 90\r\n-90 0 90\r\n"
    "1 2 3\r\n4 5 6\r\n7 8 9\r\n";
const char* const kTypeC = "IESNA91\r\nTILT=NONE\r\n1 1000 1 2 1 1 2 0 0 0\r\n1 1 10\r\n0 90\r\n0\r\n5 1\r\n";

class CliConvertTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        Write("flood.ies", kTypeB);
        Write("down.ies", kTypeC);
    }
    void Write(const char* name, const char* text)
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    int Run(const QStringList& arguments)
    {
        QProcess process;
        process.start(QStringLiteral(KANDORA_CLI), QStringList{QStringLiteral("convert")} + arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        out_ = process.readAllStandardOutput();
        err_ = process.readAllStandardError();
        return process.exitCode();
    }
    QTemporaryDir dir_;
    QByteArray out_;
    QByteArray err_;
};

TEST_F(CliConvertTest, WritesBesideTheSourceOrIntoTheOutputFolder)
{
    ASSERT_EQ(Run({Path("flood.ies")}), 0) << err_.constData();
    EXPECT_EQ(out_, (Path("flood_C.ies") + QLatin1Char('\n')).toUtf8());
    QFile written(Path("flood_C.ies"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(bytes.startsWith("IESNA91\r\n[TEST] B1\r\n[CHANGED] Converted from type B")) << bytes.constData();
    EXPECT_TRUE(bytes.endsWith("\r\n0 90 180 270\r\n5 6 \r\n5 8 \r\n5 4 \r\n5 2 \r\n")) << bytes.constData();

    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("out")));
    // One refused file among written ones: exit 1, one line on stderr, nothing written for it.
    EXPECT_EQ(Run({Path("down.ies"), QStringLiteral("--out-dir"), Path("out"), Path("flood.ies")}), 1);
    EXPECT_EQ(out_, (Path("out") + QStringLiteral("/flood_C.ies\n")).toUtf8());
    EXPECT_EQ(err_.count('\n'), 1) << err_.constData();
    EXPECT_TRUE(err_.contains("Neither type B nor starting at 90 degrees.")) << err_.constData();
    EXPECT_EQ(QDir(Path("out")).entryList(QDir::Files), QStringList{QStringLiteral("flood_C.ies")});
    EXPECT_FALSE(QFile::exists(Path("down_C.ies")) || QFile::exists(Path("down_R.ies")));
}

TEST_F(CliConvertTest, BadUsageAndFailedWrites)
{
    EXPECT_EQ(Run({}), 2);
    EXPECT_EQ(Run({Path("flood.ies"), QStringLiteral("--out-dir")}), 2);
    EXPECT_EQ(Run({Path("flood.ies"), QStringLiteral("--bogus")}), 2);
    EXPECT_EQ(Run({Path("missing.ies")}), 1);
    EXPECT_EQ(Run({Path("flood.ies"), QStringLiteral("--out-dir"), Path("no-such-folder")}), 1);
    EXPECT_TRUE(err_.contains("Cannot create a file in the folder")) << err_.constData();
    EXPECT_FALSE(QFile::exists(Path("flood_C.ies")));
}

}  // namespace
