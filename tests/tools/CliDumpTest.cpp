#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace {

TEST(CliDump, ShowsTheFactorsAndWattsAsRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("module.ies"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("IESNA91\r\nTILT=NONE\r\n1 1000 1 2 1 1 2 0 0 0\r\n0.95 1.00001 35.5\r\n0 90\r\n0\r\n5 1\r\n");
    file.close();

    QProcess process;
    process.start(QStringLiteral(KANDORA_CLI), {QStringLiteral("dump"), path});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    const QJsonObject record =
        QJsonDocument::fromJson(process.readAllStandardOutput()).object().value(QStringLiteral("record")).toObject();
    EXPECT_EQ(record.value(QStringLiteral("BallastFactor")).toDouble(), 0.95);
    EXPECT_EQ(record.value(QStringLiteral("BallastLampFactor")).toDouble(), 1.00001);
    EXPECT_EQ(record.value(QStringLiteral("InputWattsExact")).toDouble(), 35.5);
    EXPECT_EQ(record.value(QStringLiteral("InputWatts")).toInt(), 36) << "the rounded field stays";
}

}  // namespace
