#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TempFolderTest.h"
#include "photometry/AtomicFile.h"
#include "tests/photometry/ChildProcess.h"

namespace fs = std::filesystem;

namespace {

std::string Contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Names in `dir` other than those expected: a leftover temporary file shows here.
std::vector<std::string> Names(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(dir))
        names.push_back(item.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class AtomicFileTest : public TempFolderTest {
protected:
    AtomicFileTest() : TempFolderTest("kandora-atomic-") {}
};

TEST_F(AtomicFileTest, CreatesANewFileWithTheUsualPermissions)
{
    const mode_t mask = ::umask(022);
    const std::string error = WriteFileAtomically((dir_ / "new.ies").string(), std::string("a\0b", 3));
    ::umask(mask);
    ASSERT_EQ(error, "");
    EXPECT_EQ(Contents(dir_ / "new.ies"), std::string("a\0b", 3));
    EXPECT_EQ(fs::status(dir_ / "new.ies").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(Names(dir_), std::vector<std::string>{"new.ies"});
}

TEST_F(AtomicFileTest, ReplacesAFileKeepingItsPermissions)
{
    std::ofstream(dir_ / "old.ies") << "old contents that are longer";
    fs::permissions(dir_ / "old.ies", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(WriteFileAtomically((dir_ / "old.ies").string(), "new"), "");
    EXPECT_EQ(Contents(dir_ / "old.ies"), "new");
    EXPECT_EQ(fs::status(dir_ / "old.ies").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Names(dir_), std::vector<std::string>{"old.ies"});
}

TEST_F(AtomicFileTest, WritesThroughASymbolicLink)
{
    std::ofstream(dir_ / "real.ies") << "old";
    fs::create_symlink("real.ies", dir_ / "link.ies");
    ASSERT_EQ(WriteFileAtomically((dir_ / "link.ies").string(), "new"), "");
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.ies"));
    EXPECT_EQ(Contents(dir_ / "real.ies"), "new");
    EXPECT_EQ(Names(dir_), (std::vector<std::string>{"link.ies", "real.ies"}));
}

TEST_F(AtomicFileTest, RefusesAFolderAsTarget)
{
    fs::create_directory(dir_ / "x.ies");
    std::ofstream(dir_ / "x.ies" / "inside") << "kept";
    EXPECT_EQ(WriteFileAtomically((dir_ / "x.ies").string(), "new"), "It is a folder, not a file.");
    EXPECT_EQ(Contents(dir_ / "x.ies" / "inside"), "kept");
    EXPECT_EQ(Names(dir_), std::vector<std::string>{"x.ies"});
}

TEST_F(AtomicFileTest, ReportsAMissingFolderOrName)
{
    EXPECT_EQ(WriteFileAtomically((dir_ / "none" / "a.ies").string(), "x"),
              "Cannot create a file in the folder: " + std::string(std::strerror(ENOENT)) + ".");
    EXPECT_EQ(WriteFileAtomically("", "x"), "No file name was given.");
    EXPECT_EQ(WriteFileAtomically(dir_.string() + "/", "x"), "No file name was given.");
}

TEST_F(AtomicFileTest, ReadOnlyFolderKeepsTheOldFile)
{
    std::ofstream(dir_ / "ies.ini") << "old";
    // The file itself may be written; only the folder is closed.
    fs::permissions(dir_ / "ies.ini", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                          fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    // Permission bits do not stop root (CI runs as root): write as "nobody".
    const std::string error = RunInChild([&] {
        if (!DropRootPrivileges())
            return std::string("could not drop privileges");
        return WriteFileAtomically((dir_ / "ies.ini").string(), "new");
    });
    EXPECT_EQ(error, "Cannot create a file in the folder: " + std::string(std::strerror(EACCES)) + ".");
    EXPECT_EQ(Contents(dir_ / "ies.ini"), "old");
    EXPECT_EQ(Names(dir_), std::vector<std::string>{"ies.ini"});
}

TEST_F(AtomicFileTest, WriteProtectedFileInAWritableFolderIsKept)
{
    std::ofstream(dir_ / "ies.ini") << "old";
    fs::permissions(dir_ / "ies.ini", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(dir_, fs::perms::all);
    const std::string error = RunInChild([&] {
        if (!DropRootPrivileges())
            return std::string("could not drop privileges");
        return WriteFileAtomically((dir_ / "ies.ini").string(), "new");
    });
    EXPECT_EQ(error, "The file is write-protected.");
    EXPECT_EQ(Contents(dir_ / "ies.ini"), "old");
    EXPECT_EQ(Names(dir_), std::vector<std::string>{"ies.ini"});
}

TEST_F(AtomicFileTest, FileSizeLimitMidWriteKeepsTheOldFile)
{
    std::ofstream(dir_ / "big.ies") << "old";
    const std::string error = RunInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);  // report EFBIG instead of killing the process
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return std::string("could not limit the file size");
        return WriteFileAtomically((dir_ / "big.ies").string(), std::string(1 << 16, 'x'));
    });
    EXPECT_EQ(error, "Cannot write the file: " + std::string(std::strerror(EFBIG)) + ".");
    EXPECT_EQ(Contents(dir_ / "big.ies"), "old");
    EXPECT_EQ(Names(dir_), std::vector<std::string>{"big.ies"});
}

// Mounts a tiny file system of our own in a child, so a full disk and a
// read-only file system are real ones; skipped without the privilege.
class SmallFileSystemTest : public AtomicFileTest {
protected:
    // Runs `body` with a 64 KB tmpfs mounted on dir_/fs holding "old.ies";
    // returns its text, or "skip" when no file system could be mounted.
    std::string WithSmallFileSystem(const std::function<std::string(const fs::path&)>& body)
    {
        const fs::path mountPoint = dir_ / "fs";
        fs::create_directory(mountPoint);
        return RunInChild([&] {
            if (!PrivateMounts() || ::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
                return std::string("skip");
            std::ofstream(mountPoint / "old.ies") << "old";
            std::string text = body(mountPoint);
            text += "|" + Contents(mountPoint / "old.ies");
            for (const std::string& name : Names(mountPoint))
                text += "|" + name;
            return text;
        });
    }
};

TEST_F(SmallFileSystemTest, FullDiskKeepsTheOldFile)
{
    const std::string outcome = WithSmallFileSystem([](const fs::path& mounted) {
        return WriteFileAtomically((mounted / "old.ies").string(), std::string(1 << 20, 'x'));
    });
    if (outcome == "skip")
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
    EXPECT_EQ(outcome, "Cannot write the file: " + std::string(std::strerror(ENOSPC)) + ".|old|old.ies");
}

TEST_F(SmallFileSystemTest, ReadOnlyFileSystemKeepsTheOldFile)
{
    const std::string outcome = WithSmallFileSystem([](const fs::path& mounted) {
        if (::mount("tmpfs", mounted.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k") != 0)
            return std::string("remount failed");
        return WriteFileAtomically((mounted / "old.ies").string(), "new");
    });
    if (outcome == "skip")
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
    EXPECT_EQ(outcome, "Cannot create a file in the folder: " + std::string(std::strerror(EROFS)) + ".|old|old.ies");
}

TEST_F(SmallFileSystemTest, WritesThatFitSucceedOnTheSameFileSystem)
{
    const std::string outcome = WithSmallFileSystem([](const fs::path& mounted) {
        return WriteFileAtomically((mounted / "old.ies").string(), std::string(1000, 'n'));
    });
    if (outcome == "skip")
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
    EXPECT_EQ(outcome, "|" + std::string(1000, 'n') + "|old.ies");
}

}  // namespace
