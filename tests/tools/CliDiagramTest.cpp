#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace {

// A type C file with four planes; plane 1 (90 degrees) holds the maximum.
const char* const kFile = "IESNA:LM-63-2002\r\nTILT=NONE\r\n"
                          "1 1000 1 3 4 1 2 0.6 1.2 0\r\n1 1 36\r\n0 45 90\r\n0 90 180 270\r\n"
                          "100 80 10\r\n300 200 20\r\n100 80 10\r\n50 40 5\r\n";

class CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        QFile file(Path("four.ies"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kFile);
    }
    QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    int Run(const QStringList& arguments, QByteArray* out = nullptr,
            const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(KANDORA_CLI), arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        if (out != nullptr)
            *out = process.readAllStandardOutput();
        return process.exitCode();
    }
    QJsonObject Calc(const QStringList& extra)
    {
        QByteArray out;
        EXPECT_EQ(Run(QStringList{QStringLiteral("calc"), Path("four.ies")} + extra, &out), 0);
        return QJsonDocument::fromJson(out).object();
    }

    QTemporaryDir dir_;
};

TEST_F(CliTest, CalcPrintsTheSelectedPlanesAndExtents)
{
    const QJsonObject result = Calc({});
    EXPECT_EQ(result[QStringLiteral("plane")].toInt(), 0);
    EXPECT_EQ(result[QStringLiteral("opposite")].toInt(), 2);
    EXPECT_EQ(result[QStringLiteral("perpendicular")].toInt(), 1);
    EXPECT_EQ(result[QStringLiteral("perpendicular_opposite")].toInt(), 3);
    EXPECT_EQ(result[QStringLiteral("zero_plane")].toInt(), 0);
    const QJsonObject extents = result[QStringLiteral("extents")].toObject();
    EXPECT_EQ(extents[QStringLiteral("MaxValue")].toDouble(), 300);
    EXPECT_EQ(extents[QStringLiteral("MaxY")].toDouble(), 300);
    const QJsonObject cells = result[QStringLiteral("cells")].toObject();
    EXPECT_EQ(cells[QStringLiteral("MaxCell")].toVariant().toList(), (QVariantList{1, 0}));
    EXPECT_TRUE(cells[QStringLiteral("MinXCell")].isNull());
}

TEST_F(CliTest, CalcWithAnotherPlaneAndFit)
{
    const QJsonObject result = Calc({QStringLiteral("--plane"), QStringLiteral("3"), QStringLiteral("--fit")});
    EXPECT_EQ(result[QStringLiteral("plane")].toInt(), 3);
    EXPECT_EQ(result[QStringLiteral("opposite")].toInt(), 1);
    EXPECT_TRUE(result[QStringLiteral("perpendicular")].isNull());
    EXPECT_EQ(result[QStringLiteral("extents")].toObject()[QStringLiteral("MaxValue")].toDouble(), 300);
    EXPECT_TRUE(result[QStringLiteral("cells")].toObject()[QStringLiteral("MaxCell")].isNull());
    const QJsonObject thumb = Calc({QStringLiteral("--thumbnail"), QStringLiteral("--plane"), QStringLiteral("2")});
    EXPECT_EQ(thumb[QStringLiteral("plane")].toInt(), 0);
    EXPECT_EQ(thumb[QStringLiteral("perpendicular")].toInt(), 1);
}

TEST_F(CliTest, DiagramWritesAPictureOfTheAskedSize)
{
    ASSERT_EQ(Run({QStringLiteral("diagram"), Path("four.ies"), QStringLiteral("--out"), Path("big.png")}), 0);
    const QImage big(Path("big.png"));
    ASSERT_EQ(big.size(), QSize(380, 380));
    int red = 0;
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x)
            red += big.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
    EXPECT_GT(red, 100);

    ASSERT_EQ(Run({QStringLiteral("diagram"), Path("four.ies"), QStringLiteral("--out"), Path("small.png"),
                   QStringLiteral("--size"), QStringLiteral("100"), QStringLiteral("--thumbnail"),
                   QStringLiteral("--labels"), QStringLiteral("--factor"), QStringLiteral("2")}),
              0);
    EXPECT_EQ(QImage(Path("small.png")).size(), QSize(100, 100));
}

// As over ssh, in a script run by a service or in a thumbnailer: no display,
// no platform named, no runtime folder, and nothing may be left behind in the
// temporary folder.
TEST_F(CliTest, DiagramDrawsWithoutADisplay)
{
    QFile typeB(Path("typeb.ies"));
    ASSERT_TRUE(typeB.open(QIODevice::WriteOnly));
    typeB.write("IESNA:LM-63-2002\r\nTILT=NONE\r\n1 1000 1 3 2 2 2 0.6 1.2 0\r\n1 1 36\r\n"
                "-90 0 90\r\n0 90\r\n10 100 10\r\n20 80 20\r\n");
    typeB.close();
    QTemporaryDir tmp;
    QProcessEnvironment bare;
    bare.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
    bare.insert(QStringLiteral("TMPDIR"), tmp.path());
    ASSERT_EQ(Run({QStringLiteral("diagram"), Path("typeb.ies"), QStringLiteral("--out"), Path("bare.png"),
                   QStringLiteral("--size"), QStringLiteral("100"), QStringLiteral("--thumbnail")},
                  nullptr, bare),
              0);
    const QImage picture(Path("bare.png"));
    ASSERT_EQ(picture.size(), QSize(100, 100));
    int red = 0;
    int yellow = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            const QColor c = picture.pixelColor(x, y);
            red += c.red() > 180 && c.green() < 140 && c.blue() < 140;  // the curves, antialiased
            const bool inIcon = QRect(83, 1, 16, 16).contains(x, y);
            yellow += inIcon && c.red() > 200 && c.green() > 150 && c.blue() < 100;
        }
    EXPECT_GT(red, 20);
    EXPECT_GT(yellow, 20) << "the warning icon of a type B record";
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

TEST_F(CliTest, MistakesAreReportedByExitStatus)
{
    EXPECT_EQ(Run({QStringLiteral("diagram"), Path("four.ies")}), 2);  // no --out
    EXPECT_EQ(Run({QStringLiteral("diagram"), Path("four.ies"), QStringLiteral("--out"), Path("x.png"),
                   QStringLiteral("--size"), QStringLiteral("0")}),
              2);
    EXPECT_EQ(Run({QStringLiteral("diagram"), Path("four.ies"), QStringLiteral("--out"), Path("x.png"),
                   QStringLiteral("--size"), QStringLiteral("100000")}),
              2);
    EXPECT_EQ(Run({QStringLiteral("diagram"), Path("four.ies"), QStringLiteral("--out"), Path("x.png"),
                   QStringLiteral("--factor"), QStringLiteral("nan")}),
              2);
    EXPECT_EQ(Run({QStringLiteral("calc"), Path("missing.ies")}), 1);
    EXPECT_EQ(Run({QStringLiteral("calc"), Path("four.ies"), QStringLiteral("--bogus")}), 2);
    EXPECT_FALSE(QFile::exists(Path("x.png")));
}

}  // namespace
