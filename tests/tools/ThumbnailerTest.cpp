// kandora-thumbnailer run as a file manager runs it: no display, any file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include "photometry/EntryLoader.h"
#include "tests/photometry/HostileFiles.h"
#include "tools/ThumbnailDrawing.h"

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

    // Runs with no display and nothing of the test's environment but `extra`.
    static int Run(const QStringList& arguments, const QStringList& extra = {}, QByteArray* errors = nullptr)
    {
        QProcess process;
        QProcessEnvironment bare;
        bare.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        for (const QString& pair : extra)
            bare.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
        process.setProcessEnvironment(bare);
        process.start(QStringLiteral(KANDORA_THUMBNAILER), arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "no crash";
        if (errors != nullptr)
            *errors = process.readAllStandardError();
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

// A file manager that opens the output itself reads the picture back through
// its own descriptor: the file must be written in place, not replaced, and
// cut to the picture's length.
TEST_F(ThumbnailerTest, PictureArrivesThroughTheCallersDescriptor)
{
    const QString c = Write(QStringLiteral("c.ies"), kTypeC);
    const QByteArray out = QFile::encodeName(Out("held.png"));
    const int fd = ::open(out.constData(), O_RDWR | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(fd, 0);
    const QByteArray stale(100000, 'x');
    ASSERT_EQ(::write(fd, stale.constData(), static_cast<size_t>(stale.size())), stale.size());
    EXPECT_EQ(Run({QStringLiteral("-s"), QStringLiteral("128"), c, QFile::decodeName(out)}), 0);
    QByteArray got(200000, '\0');
    const ssize_t length = ::pread(fd, got.data(), static_cast<size_t>(got.size()), 0);
    ::close(fd);
    ASSERT_GT(length, 0);
    got.truncate(length);
    EXPECT_TRUE(got.endsWith(QByteArray("IEND\xAE\x42\x60\x82", 8))) << "nothing of the old content after the picture";
    EXPECT_EQ(QImage::fromData(got, "PNG").size(), QSize(128, 128));

    // Something that is no regular file is refused without waiting for a reader.
    ASSERT_EQ(::mkfifo(QFile::encodeName(Out("fifo.png")).constData(), 0600), 0);
    EXPECT_EQ(Run({QStringLiteral("-s"), QStringLiteral("64"), c, Out("fifo.png")}), 1);
    EXPECT_EQ(Run({QStringLiteral("-s"), QStringLiteral("64"), c, dir_.path()}), 1);
}

// A sandbox that runs thumbnailers in a private temporary folder with an empty
// environment reports and leaks anything left there. The type B file needs the
// Qt application (for the warning icon), whose messages reach standard error.
TEST_F(ThumbnailerTest, PrivateTemporaryFolderStaysEmpty)
{
    const QString c = Write(QStringLiteral("c.ies"), kTypeC);
    const QString b = Write(QStringLiteral("b.ies"), kTypeB);
    QTemporaryDir tmp;
    const QString tmpdir = QStringLiteral("TMPDIR=") + tmp.path();
    QByteArray errors;
    EXPECT_EQ(Run({QStringLiteral("-s"), QStringLiteral("128"), c, Out("c.png")}, {tmpdir}), 0);
    EXPECT_EQ(Run({QStringLiteral("-s"), QStringLiteral("128"), b, Out("b.png")},
                  {tmpdir, QStringLiteral("QT_DEBUG_PLUGINS=1")}, &errors),
              0);
    EXPECT_TRUE(errors.contains("offscreen")) << "Qt's messages are shown";
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

// Records whose curves all shrink to a point: the picture would be the bare
// axes, which a file manager would keep instead of its generic icon.
class NothingToDrawTest : public ThumbnailerTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(NothingToDrawTest, GivesNoPicture)
{
    const QString input = Write(QStringLiteral("flat.ies"), GetParam());
    EXPECT_EQ(Run({QStringLiteral("-s"), QStringLiteral("128"), input, Out("flat.png")}), 1);
    EXPECT_FALSE(QFile::exists(Out("flat.png")));
}

INSTANTIATE_TEST_SUITE_P(
    Records, NothingToDrawTest,
    ::testing::Values(
        // One vertical angle, type C.
        "IESNA:LM-63-2002\r\nTILT=NONE\r\n1 1000 1 1 1 1 2 0 0 0\r\n1 1 35\r\n0\r\n0\r\n100\r\n",
        // A doubled TILT line shifts every number: read as type B with one vertical angle.
        "IESNA:LM-63-2002\r\nTILT=NONE\r\nTILT=NONE\r\n1 1000 1 3 2 1 2 0 0 0\r\n1 1 35\r\n0 45 90\r\n0 90\r\n"
        "100 80 10 100 80 10\r\n",
        // One vertical angle on several planes.
        "IESNA:LM-63-2002\r\nTILT=NONE\r\n1 1000 1 1 4 1 2 0 0 0\r\n1 1 35\r\n0\r\n0 90 180 270\r\n100 90 80 70\r\n",
        // Nothing but zeros.
        "IESNA:LM-63-2002\r\nTILT=NONE\r\n1 1000 1 3 1 1 2 0 0 0\r\n1 1 35\r\n0 45 90\r\n0\r\n0 0 0\r\n"));

// The process (which draws type C records without a Qt application and
// encodes the PNG itself) against the drawing in this process, which has one:
// the same pixels for every sample, at an odd scale too.
TEST_F(ThumbnailerTest, PictureMatchesTheDrawingInProcess)
{
    static int argc = 1;
    static char name[] = "tools_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = QGuiApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
    (void)app;
    const QDir samples(QStringLiteral(KANDORA_SOURCE_DIR "/samples"));
    QStringList inputs;
    for (const QString& file : samples.entryList({QStringLiteral("*.ies")}, QDir::Files))
        inputs << samples.filePath(file);
    inputs << Write(QStringLiteral("b.ies"), kTypeB);
    ASSERT_GT(inputs.size(), 20);
    int typeB = 0;
    for (const QString& input : inputs) {
        const QFileInfo info(input);
        TiesData entry = UnreadEntry(QFile::encodeName(info.fileName()).toStdString());
        ASSERT_EQ(LoadEntry(entry, QFile::encodeName(info.absolutePath()).toStdString() + "/").kind,
                  LoadResult::Kind::Loaded);
        typeB += ThumbnailNeedsIcon(entry.Ies) ? 1 : 0;
        for (int size : {96, 173}) {
            const QString png = Out("compare.png");
            ASSERT_EQ(Run({QStringLiteral("-s"), QString::number(size), input, png}), 0) << input.toStdString();
            const QImage fromProcess = QImage(png).convertToFormat(QImage::Format_RGB32);
            const QImage here = DrawThumbnail(entry.Ies, size);
            ASSERT_EQ(fromProcess.size(), here.size()) << input.toStdString();
            EXPECT_TRUE(fromProcess == here) << input.toStdString() << " at " << size;
        }
    }
    EXPECT_GT(typeB, 1) << "records with the warning icon are among them";
}
