// kandora-thumbnailer run as a file manager runs it: no display, any file.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include "tests/photometry/HostileFiles.h"

namespace {

// Type C with four planes, and the same numbers as a type B file.
const char* const kTypeC =
    "IESNA:LM-63-2002\r\nTILT=NONE\r\n"
    "1 1000 1 3 4 1 2 0.6 1.2 0\r\n1 1 36\r\n0 45 90\r\n0 90 180 270\r\n"
    "100 80 10\r\n300 200 20\r\n100 80 10\r\n50 40 5\r\n";
const char* const kTypeB =
    "IESNA:LM-63-2002\r\nTILT=NONE\r\n"
    "1 1000 1 3 3 2 2 0.6 1.2 0\r\n1 1 36\r\n0 45 90\r\n-90 0 90\r\n"
    "100 80 10\r\n300 200 20\r\n100 80 10\r\n";

class ThumbnailerTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(dir_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QString Out(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    // Runs with no display and nothing of the test's environment.
    static int Run(const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment bare;
        bare.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        process.setProcessEnvironment(bare);
        process.start(QStringLiteral(KANDORA_THUMBNAILER), arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "no crash";
        return process.exitCode();
    }
    static int Count(const QImage& image, const QRect& area, bool (*wanted)(QColor))
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += wanted(image.pixelColor(x, y)) ? 1 : 0;
        return n;
    }
    static bool Red(QColor c) { return c.red() > 200 && c.green() < 80 && c.blue() < 80; }
    static bool Yellow(QColor c) { return c.red() > 200 && c.green() > 160 && c.blue() < 90; }

    QTemporaryDir dir_;
};

}  // namespace

TEST_F(ThumbnailerTest, PensAndWarningIconGrowWithTheSize)
{
    const QString c = Write(QStringLiteral("c.ies"), kTypeC);
    const QString b = Write(QStringLiteral("b.ies"), kTypeB);
    ASSERT_EQ(Run({QStringLiteral("-s"), QStringLiteral("100"), c, Out("c100.png")}), 0);
    ASSERT_EQ(Run({QStringLiteral("-s"), QStringLiteral("400"), c, Out("c400.png")}), 0);
    ASSERT_EQ(Run({QStringLiteral("-s"), QStringLiteral("400"), b, Out("b400.png")}), 0);
    const QImage small(Out("c100.png"));
    const QImage large(Out("c400.png"));
    ASSERT_EQ(small.size(), QSize(100, 100));
    ASSERT_EQ(large.size(), QSize(400, 400));
    // Four times the length at four times the pen width.
    const int redSmall = Count(small, small.rect(), Red);
    const int redLarge = Count(large, large.rect(), Red);
    EXPECT_GT(redSmall, 20);
    EXPECT_GT(redLarge, 10 * redSmall);

    // The warning icon in the top-right corner, for the type B record only.
    const QRect corner(400 - 72, 0, 72, 72);
    EXPECT_EQ(Count(large, corner, Yellow), 0);
    EXPECT_GT(Count(QImage(Out("b400.png")), corner, Yellow), 400) << "icon scaled to the size";
}

TEST_F(ThumbnailerTest, AwkwardNamesAndFileUris)
{
    const QString odd = Write(QStringLiteral("-lamp 100% #1.ies"), kTypeC);
    const QString uri = QString::fromUtf8(QUrl::fromLocalFile(odd).toEncoded());
    EXPECT_TRUE(uri.contains(QStringLiteral("%20")) && uri.contains(QStringLiteral("%25")));
    EXPECT_EQ(Run({QStringLiteral("-s"), QStringLiteral("64"), uri, Out("from uri.png")}), 0);
    EXPECT_EQ(QImage(Out("from uri.png")).size(), QSize(64, 64));

    QDir::setCurrent(dir_.path());
    EXPECT_EQ(Run({QStringLiteral("-s"), QStringLiteral("64"), QStringLiteral("--"), QStringLiteral("-lamp 100% #1.ies"),
                   QStringLiteral("-out.png")}),
              0);
    EXPECT_EQ(QImage(Out("-out.png")).size(), QSize(64, 64));
    EXPECT_EQ(Run({QStringLiteral("-s"), QStringLiteral("64"), QStringLiteral("file://localhost") + QString::fromLatin1(odd.toUtf8().toPercentEncoding("/")),
                   Out("localhost.png")}),
              0);
}

TEST_F(ThumbnailerTest, UnreadableInputWritesNothing)
{
    const QString old = Write(QStringLiteral("old.png"), "old");
    ASSERT_EQ(::mkfifo(dir_.filePath(QStringLiteral("fifo.ies")).toLocal8Bit().constData(), 0600), 0);
    const QStringList inputs{dir_.filePath(QStringLiteral("missing.ies")), dir_.path(),
                             dir_.filePath(QStringLiteral("fifo.ies")), QStringLiteral("sftp://host/lamp.ies"),
                             Write(QStringLiteral("text.ies"), "just some words\n")};
    for (const QString& input : inputs) {
        EXPECT_EQ(Run({QStringLiteral("-s"), QStringLiteral("128"), input, old}), 1) << input.toStdString();
        QFile kept(old);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), QByteArray("old")) << input.toStdString();
    }
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 2) << "no temporary file left";

    const QString c = Write(QStringLiteral("c.ies"), kTypeC);
    EXPECT_EQ(Run({QStringLiteral("-s"), QStringLiteral("0"), c, Out("x.png")}), 2);
    EXPECT_EQ(Run({QStringLiteral("-s"), QStringLiteral("100000"), c, Out("x.png")}), 2);
    EXPECT_EQ(Run({QStringLiteral("-s"), QStringLiteral("12x"), c, Out("x.png")}), 2);
    EXPECT_EQ(Run({c, Out("x.png")}), 2);
    EXPECT_EQ(Run({QStringLiteral("-s"), QStringLiteral("64"), c, Out("no-such-folder/x.png")}), 1);
    EXPECT_FALSE(QFile::exists(Out("x.png")));
}

// Files no photometric program wrote: a picture of the asked size or a
// failure with nothing written, never a crash.
TEST_F(ThumbnailerTest, HostileFilesGiveAPictureOrNothing)
{
    for (const HostileFile& hostile : HostileFiles()) {
        const QString name = QString::fromStdString(hostile.name);
        const std::string bytes = hostile.bytes();
        const QString input = Write(name, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
        const QString png = Out("hostile.png");
        QFile::remove(png);
        const int status = Run({QStringLiteral("-s"), QStringLiteral("96"), input, png});
        if (hostile.expected == Expected::Refused) {
            EXPECT_EQ(status, 1) << hostile.name;
        }
        if (status == 0)
            EXPECT_EQ(QImage(png).size(), QSize(96, 96)) << hostile.name;
        else
            EXPECT_FALSE(QFile::exists(png)) << hostile.name;
        QFile::remove(input);
    }
}
