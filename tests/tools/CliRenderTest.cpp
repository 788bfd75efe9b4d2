#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// One plane of 100 cd below the horizontal; the type is filled in.
QByteArray File(int type)
{
    return QByteArrayLiteral("IESNA:LM-63-2002\r\nTILT=NONE\r\n1 1000 1 3 1 ") + QByteArray::number(type) +
           QByteArrayLiteral(" 2 0.6 1.2 0\r\n1 1 36\r\n0 45 90\r\n0\r\n100 100 100\r\n");
}

class CliRenderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString Write(const char* name, const QByteArray& bytes)
    {
        const QString path = dir_.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    int Render(const QString& file, QStringList extra)
    {
        QProcess process;
        process.start(QStringLiteral(KANDORA_CLI),
                      QStringList{QStringLiteral("render"), file, QStringLiteral("--out"), Out()} + extra);
        EXPECT_TRUE(process.waitForFinished(30000));
        return process.exitCode();
    }
    QString Out() const { return dir_.filePath(QStringLiteral("out.png")); }

    QTemporaryDir dir_;
};

TEST_F(CliRenderTest, WritesTheGreyPictureWithTheWindowDefaults)
{
    ASSERT_EQ(Render(Write("c.ies", File(1)), {}), 0);
    QImage picture(Out());
    ASSERT_EQ(picture.size(), QSize(300, 300));
    EXPECT_TRUE(picture.isGrayscale());
    // Brightness 40, zoom 500, radiosity on: the upper half holds the ambient share only.
    EXPECT_EQ(qGray(picture.pixel(150, 150)), 255);
    EXPECT_EQ(qGray(picture.pixel(150, 20)), 83);  // 127.5 * 4 / sqrt(4 + 130 * 130 / 500)
    ASSERT_EQ(Render(Write("c.ies", File(1)), {QStringLiteral("--no-radiosity"), QStringLiteral("--brightness"),
                                                QStringLiteral("1")}), 0);
    picture.load(Out());
    EXPECT_EQ(qGray(picture.pixel(150, 20)), 0);

    ASSERT_EQ(Render(Write("b.ies", File(2)), {}), 0);
    picture.load(Out());
    EXPECT_EQ(picture.pixel(40, 250), qRgb(255, 255, 255));
}

TEST_F(CliRenderTest, RefusesValuesOutsideTheSlidersWithoutWriting)
{
    const QString file = Write("c.ies", File(1));
    EXPECT_EQ(Render(file, {QStringLiteral("--zoom"), QStringLiteral("0")}), 2);
    EXPECT_EQ(Render(file, {QStringLiteral("--brightness"), QStringLiteral("101")}), 2);
    EXPECT_EQ(Render(file, {QStringLiteral("--brightness")}), 2);
    EXPECT_FALSE(QFile::exists(Out()));
    EXPECT_EQ(Render(dir_.filePath(QStringLiteral("missing.ies")), {}), 1);
}

}  // namespace
