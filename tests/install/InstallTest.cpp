// The staged install as a desktop uses it: the launcher, the file type, the
// icon and the thumbnailer run from its own Exec line with no display.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include "app/AppTexts.h"

namespace {

const QString kType = QStringLiteral("application/x-ies-lm-63");
const QString kLdtType = QStringLiteral("application/x-eulumdat");
const QString kShare = QStringLiteral(KANDORA_STAGE "/usr/share");
const QString kBin = QStringLiteral(KANDORA_STAGE "/usr/bin");

// The keys of a desktop-entry style file's one group.
QMap<QString, QString> EntryKeys(const QString& path)
{
    QMap<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && !line.startsWith(QLatin1Char('#')))
            keys.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return keys;
}

QString Launcher() { return kShare + QStringLiteral("/applications/org.kandora.Kandora.desktop"); }

// The environment a file manager's sandbox gives: no display, no session bus.
QProcessEnvironment Bare()
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), kBin + QStringLiteral(":/usr/bin:/bin"));
    return env;
}

}  // namespace

TEST(Install, ProgramsAndDesktopFilesAreInPlace)
{
    for (const char* name : {"kandora", "kandora-cli", "kandora-thumbnailer"})
        EXPECT_TRUE(QFileInfo(kBin + QLatin1Char('/') + QLatin1String(name)).isExecutable()) << name;
    for (const char* file : {"mime/packages/kandora.xml", "thumbnailers/kandora.thumbnailer",
                             "metainfo/org.kandora.Kandora.metainfo.xml",
                             "icons/hicolor/scalable/apps/org.kandora.Kandora.svg", "man/man1/kandora.1.gz",
                             "man/man1/kandora-cli.1.gz", "man/man1/kandora-thumbnailer.1.gz",
                             "doc/kandora/copyright", "doc/kandora/changelog.gz"})
        EXPECT_TRUE(QFileInfo::exists(kShare + QLatin1Char('/') + QLatin1String(file))) << file;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QImage icon(kShare + QStringLiteral("/icons/hicolor/%1x%1/apps/org.kandora.Kandora.png").arg(size));
        EXPECT_EQ(icon.size(), QSize(size, size));
    }
}

TEST(Install, LauncherIsValidAndOpensTheType)
{
    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(QStringLiteral("desktop-file-validate"), {Launcher()});
    ASSERT_TRUE(validate.waitForFinished(30000)) << "desktop-file-validate (desktop-file-utils) missing?";
    EXPECT_EQ(validate.exitCode(), 0);
    EXPECT_EQ(validate.readAll(), QByteArray()) << "no hints either";

    const auto keys = EntryKeys(Launcher());
    // One file per start: the program shows one file at a time.
    EXPECT_EQ(keys.value(QStringLiteral("Exec")), QStringLiteral("kandora %f"));
    // The X11 window class is the application name the main window sets.
    EXPECT_EQ(keys.value(QStringLiteral("StartupWMClass")), AppTexts::ApplicationTitle());
    EXPECT_TRUE(keys.value(QStringLiteral("MimeType")).split(QLatin1Char(';')).contains(kType));
    EXPECT_TRUE(keys.value(QStringLiteral("MimeType")).split(QLatin1Char(';')).contains(kLdtType));
    EXPECT_EQ(keys.value(QStringLiteral("Icon")), QStringLiteral("org.kandora.Kandora"));
    EXPECT_EQ(keys.value(QStringLiteral("Categories")), QStringLiteral("Graphics;Viewer;"));
}

TEST(Install, MetainfoIsValid)
{
    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(QStringLiteral("appstreamcli"),
                   {QStringLiteral("validate"), QStringLiteral("--no-net"),
                    kShare + QStringLiteral("/metainfo/org.kandora.Kandora.metainfo.xml")});
    ASSERT_TRUE(validate.waitForFinished(30000)) << "appstreamcli (appstream) missing?";
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAll().toStdString();
}

TEST(Install, MimePackageDefinesTheTypeByNameAndContent)
{
    QFile globs(kShare + QStringLiteral("/mime/globs2"));
    ASSERT_TRUE(globs.open(QIODevice::ReadOnly)) << "update-mime-database ran over the stage";
    EXPECT_TRUE(globs.readAll().contains(QByteArray(":application/x-ies-lm-63:*.ies")));

    const QMimeDatabase db;
    for (const char* name : {"lamp.ies", "LAMP.IES", "with space.Ies"}) {
        const QMimeType type = db.mimeTypeForFile(QString::fromLatin1(name), QMimeDatabase::MatchExtension);
        EXPECT_EQ(type.name(), kType) << name;
    }
    const QMimeType type = db.mimeTypeForName(kType);
    ASSERT_TRUE(type.isValid());
    EXPECT_TRUE(type.inherits(QStringLiteral("text/plain")));
    EXPECT_FALSE(type.comment().isEmpty());
    // Content alone, as for a file saved without its extension.
    EXPECT_EQ(db.mimeTypeForData(QByteArray("IESNA:LM-63-2002\r\n[TEST] 1\r\n")).name(), kType);
    EXPECT_EQ(db.mimeTypeForData(QByteArray("IES:LM-63-2019\n[TEST] 1\n")).name(), kType);
    EXPECT_EQ(db.mimeTypeForData(QByteArray("IESNA91\r\n[TEST] 1\r\n")).name(), kType);
    EXPECT_EQ(db.mimeTypeForData(QByteArray("\xEF\xBB\xBFIESNA:LM-63-2002\r\n[TEST] 1\r\n")).name(), kType);
    EXPECT_EQ(db.mimeTypeForData(QByteArray("\xEF\xBB\xBFIES:LM-63-2019\n")).name(), kType);
    EXPECT_NE(db.mimeTypeForData(QByteArray("ordinary text\n")).name(), kType);
}

// EULUMDAT by its name alone (its first line is a company's name); the
// names other programs give IES files lead to ours.
TEST(Install, MimePackageDefinesEulumdatAndTheIesAliases)
{
    const QMimeDatabase db;
    for (const char* name : {"lamp.ldt", "LAMP.LDT", "with space.Ldt"}) {
        const QMimeType type = db.mimeTypeForFile(QString::fromLatin1(name), QMimeDatabase::MatchExtension);
        EXPECT_EQ(type.name(), kLdtType) << name;
    }
    const QMimeType ldt = db.mimeTypeForName(kLdtType);
    ASSERT_TRUE(ldt.isValid());
    EXPECT_TRUE(ldt.inherits(QStringLiteral("text/plain")));
    EXPECT_FALSE(ldt.comment().isEmpty());
    for (const char* alias : {"application/x-iesna", "application/x-ies"}) {
        const QMimeType type = db.mimeTypeForName(QString::fromLatin1(alias));
        EXPECT_EQ(type.name(), kType) << alias;
        EXPECT_TRUE(type.aliases().contains(QString::fromLatin1(alias))) << alias;
    }
}

// Every sample through the thumbnailer's own Exec line, as a file manager
// runs it: size, file URI and output substituted, no display.
TEST(Install, ThumbnailerDrawsEverySampleFromItsExecLine)
{
    const auto keys = EntryKeys(kShare + QStringLiteral("/thumbnailers/kandora.thumbnailer"));
    EXPECT_TRUE(keys.value(QStringLiteral("MimeType")).split(QLatin1Char(';')).contains(kType));
    EXPECT_TRUE(keys.value(QStringLiteral("MimeType")).split(QLatin1Char(';')).contains(kLdtType));
    const QString exec = keys.value(QStringLiteral("Exec"));
    ASSERT_FALSE(exec.isEmpty());
    QTemporaryDir out;
    const QDir samples(QStringLiteral(KANDORA_SOURCE_DIR "/samples"));
    QFileInfoList files = samples.entryInfoList({QStringLiteral("*.ies"), QStringLiteral("*.ldt")}, QDir::Files);
    ASSERT_GT(files.size(), 20);
    // The shared corpus's EULUMDAT files too, when it is there.
    files += QDir(QStringLiteral(KANDORA_SOURCE_DIR "/../shared/corpus/photometric-viewer/ldt"))
                 .entryInfoList({QStringLiteral("*.ldt")}, QDir::Files);
    for (const QFileInfo& file : files) {
        const QString name = file.fileName();
        const QString png = out.filePath(name + QStringLiteral(".png"));
        QStringList command = QProcess::splitCommand(exec);
        for (QString& word : command) {
            word.replace(QStringLiteral("%s"), QStringLiteral("128"));
            word.replace(QStringLiteral("%u"), QString::fromUtf8(QUrl::fromLocalFile(file.absoluteFilePath()).toEncoded()));
            word.replace(QStringLiteral("%o"), png);
        }
        // The program is looked up along the sandbox's PATH, not the test's.
        const QString program = QStandardPaths::findExecutable(
            command.takeFirst(), Bare().value(QStringLiteral("PATH")).split(QLatin1Char(':')));
        ASSERT_FALSE(program.isEmpty());
        QProcess process;
        process.setProcessEnvironment(Bare());
        process.start(program, command);
        ASSERT_TRUE(process.waitForFinished(30000)) << name.toStdString();
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0) << name.toStdString() << process.readAllStandardError().toStdString();
        const QImage image(png);
        EXPECT_EQ(image.size(), QSize(128, 128)) << name.toStdString();
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 8) << name.toStdString() << ": not blank";
    }
}
