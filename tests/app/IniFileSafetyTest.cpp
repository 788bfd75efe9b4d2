#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/mount.h>

#include "app/IniFile.h"
#include "tests/app/IniFileFixture.h"
#include "tests/photometry/ChildProcess.h"

// The settings file against what can go wrong on a user's disk. The
// permission cases run as "nobody" in a child process, since CI runs as
// root and permission bits do not stop root.

namespace {

class IniFileSafetyTest : public IniFileFixture {
protected:
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); }
    // Saves a changed width; "saved" or "refused", from a child as "nobody".
    std::string saveAsNobody() const
    {
        const QString file = path();
        return RunInChild([file] {
            if (!DropRootPrivileges())
                return std::string("could not drop privileges");
            IniFile ini(file);
            ini.load();
            ini.document().setValue(QStringLiteral("Kandora"), QStringLiteral("Width"), QStringLiteral("800"));
            return std::string(ini.save() ? "saved" : "refused");
        });
    }
};

TEST_F(IniFileSafetyTest, FolderInPlaceOfTheFileIsRefusedAndKept)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("ies.ini")));
    QFile inside(dir.filePath(QStringLiteral("ies.ini/keep")));
    ASSERT_TRUE(inside.open(QIODevice::WriteOnly));
    inside.close();
    IniFile ini(path());
    ini.load();
    ini.document().setValue(QStringLiteral("Kandora"), QStringLiteral("Width"), QStringLiteral("800"));
    EXPECT_FALSE(ini.save());
    EXPECT_TRUE(QFileInfo(path()).isDir());
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("ies.ini/keep"))));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("ies.ini")}) << "no temporary file left behind";
}

TEST_F(IniFileSafetyTest, ReadOnlyFileIsRefusedAndKeptEvenWhenRootStartsUs)
{
    write("[Kandora]\r\nWidth=640\r\n");
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                          QFile::WriteOther | QFile::ExeOther);
    EXPECT_EQ(saveAsNobody(), "refused");
    EXPECT_EQ(read(), QByteArray("[Kandora]\r\nWidth=640\r\n"));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("ies.ini")});
}

TEST_F(IniFileSafetyTest, ReadOnlyFolderIsRefusedAndKeptEvenWhenRootStartsUs)
{
    write("[Kandora]\r\nWidth=640\r\n");
    // The file itself is writable by anyone; only the folder is closed.
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                          QFile::ExeOther);
    const std::string outcome = saveAsNobody();
    // QSaveFile may fall back to writing the file in place when it cannot
    // create its temporary file; then the file must hold the whole new text.
    if (outcome == "saved")
        EXPECT_EQ(read(), QByteArray("[Kandora]\r\nWidth=800\r\n"));
    else
        EXPECT_EQ(read(), QByteArray("[Kandora]\r\nWidth=640\r\n"));
    EXPECT_EQ(outcome, "refused") << "a read-only folder should refuse the save";
    EXPECT_EQ(entries(), QStringList{QStringLiteral("ies.ini")});
}

TEST_F(IniFileSafetyTest, FullDiskKeepsTheOldSettings)
{
    const QString mountPoint = dir.filePath(QStringLiteral("fs"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("fs")));
    const std::string outcome = RunInChild([mountPoint] {
        const QByteArray where = mountPoint.toLocal8Bit();
        if (!PrivateMounts() || ::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") != 0)
            return std::string("skip");
        const QString file = mountPoint + QStringLiteral("/ies.ini");
        QFile old(file);
        if (!old.open(QIODevice::WriteOnly) || old.write("[Kandora]\r\nWidth=640\r\n") < 0)
            return std::string("could not write the old file");
        old.close();
        IniFile ini(file);
        ini.load();
        ini.document().setValue(QStringLiteral("Kandora"), QStringLiteral("Notes"), QString(1 << 20, QLatin1Char('x')));
        std::string text = ini.save() ? "saved" : "refused";
        QFile after(file);
        after.open(QIODevice::ReadOnly);
        // Appended piece by piece: "|" + a temporary trips g++ 12's -Wrestrict at -O3.
        text += '|';
        text += after.readAll().toStdString();
        for (const QString& name : QDir(mountPoint).entryList(QDir::Files | QDir::Hidden)) {
            text += '|';
            text += name.toStdString();
        }
        return text;
    });
    if (outcome == "skip")
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
    EXPECT_EQ(outcome, "refused|[Kandora]\r\nWidth=640\r\n|ies.ini");
}

}  // namespace
