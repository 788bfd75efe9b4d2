#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "TempTree.h"
#include "tests/photometry/ChildProcess.h"
#include "browser/ShellNamespace.h"

namespace fs = std::filesystem;

namespace {

class ShellNamespaceTest : public ::testing::Test {
protected:
    ShellNamespaceTest()
    {
        tree_.MakeFolder("home/Lamps/Spots");
        tree_.MakeFolder("home/.hidden");
        tree_.Write("home/file.ies", "x");
        tree_.MakeFolder("fs/usr");
    }
    ShellNamespace Space() const { return ShellNamespace((tree_.Root() / "home").string(), (tree_.Root() / "fs").string()); }
    std::string Home() const { return (tree_.Root() / "home").string(); }

    TempTree tree_;
};

std::vector<std::string> Sorted(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

}  // namespace

TEST_F(ShellNamespaceTest, DesktopHoldsHomeThenFileSystemRoot)
{
    const ShellNamespace space = Space();
    const auto roots = space.EnumerateSubfolders(space.DesktopId());
    ASSERT_TRUE(roots);
    ASSERT_EQ(roots->size(), 2u);
    EXPECT_TRUE(space.IsHome(IdList({(*roots)[0]})));
    EXPECT_TRUE(space.IsFileSystemRoot(IdList({(*roots)[1]})));
    EXPECT_EQ(space.DisplayName(IdList()), QStringLiteral("Desktop"));
    EXPECT_EQ(space.DisplayName(IdList({(*roots)[0]})), QStringLiteral("home"));
    EXPECT_EQ(ShellNamespace("", "/").DisplayName(IdList({"/"})), QStringLiteral("File System"));
    EXPECT_LT(space.Compare(IdList({(*roots)[0]}), IdList({(*roots)[1]})), 0);
}

TEST_F(ShellNamespaceTest, ListsFoldersOnlyHiddenIncludedAndLinksToFolders)
{
    fs::create_directory_symlink(tree_.Root() / "home/Lamps", tree_.Root() / "home/link");
    fs::create_symlink(tree_.Root() / "home/loop", tree_.Root() / "home/loop");  // a link loop
    const ShellNamespace space = Space();
    const auto items = space.EnumerateSubfolders(IdList({Home()}));
    ASSERT_TRUE(items);
    EXPECT_EQ(Sorted(*items), (std::vector<std::string>{".hidden", "Lamps", "link"}));
    EXPECT_TRUE(space.HasSubfolders(IdList({Home(), "Lamps"})));
    EXPECT_FALSE(space.HasSubfolders(IdList({Home(), "Lamps", "Spots"})));
    EXPECT_TRUE(space.BindsAsFolder(IdList({Home(), "link"})));
    EXPECT_FALSE(space.BindsAsFolder(IdList({Home(), "file.ies"})));
    EXPECT_FALSE(space.BindsAsFolder(IdList({Home(), "loop"})));
}

TEST_F(ShellNamespaceTest, UnreadableFolderHasNoEnumeratorAndNoSubfolders)
{
    ::chmod((tree_.Root() / "home/Lamps").c_str(), 0);
    const ShellNamespace space = Space();
    const IdList lamps({Home(), "Lamps"});
    // Permission bits do not stop root, so the check runs as "nobody".
    const std::string seen = RunInChild([&] {
        if (!DropRootPrivileges())
            return std::string("could not drop privileges");
        return std::string(space.EnumerateSubfolders(lamps) ? "listed" : "no enumerator") +
               (space.HasSubfolders(lamps) ? " subfolders" : " none") + (space.BindsAsFolder(lamps) ? " binds" : "");
    });
    EXPECT_EQ(seen, "no enumerator none binds");
}

TEST_F(ShellNamespaceTest, ParsingNamesAndParsePathRoundTrip)
{
    const ShellNamespace space = Space();
    const IdList spots({Home(), "Lamps", "Spots"});
    EXPECT_EQ(space.ParsingName(spots), Home() + "/Lamps/Spots");
    EXPECT_EQ(space.ParsingName(IdList()), "");
    EXPECT_EQ(space.ParsePath(Home() + "/Lamps//Spots/"), spots);
    EXPECT_EQ(space.ParsePath(Home()), IdList({Home()}));
    const std::string fsRoot = (tree_.Root() / "fs").string();
    EXPECT_EQ(space.ParsePath(fsRoot + "/usr"), IdList({fsRoot, "usr"}));
    EXPECT_FALSE(space.ParsePath(Home() + "/Missing"));
    EXPECT_FALSE(space.ParsePath("relative/path"));
    EXPECT_FALSE(space.ParsePath(""));
    EXPECT_EQ(ShellNamespace("", "/").ParsePath("/tmp"), IdList({"/", "tmp"}));
    EXPECT_EQ(ShellNamespace("", "/").ParsingName(IdList({"/", "tmp"})), "/tmp");
}

TEST_F(ShellNamespaceTest, NamesThatAreNotUtf8AreListedAndShownAsLatin1)
{
    const std::string odd = "Lum\xE9";  // Latin-1 e acute, invalid as UTF-8
    tree_.MakeFolder("home/" + odd);
    const ShellNamespace space = Space();
    const auto items = space.EnumerateSubfolders(IdList({Home()}));
    ASSERT_TRUE(items);
    EXPECT_NE(std::find(items->begin(), items->end(), odd), items->end());
    EXPECT_EQ(space.DisplayName(IdList({Home(), odd})), QStringLiteral("Lum\u00e9"));
    EXPECT_TRUE(space.BindsAsFolder(IdList({Home(), odd})));
}

TEST_F(ShellNamespaceTest, CompareIgnoresCaseThenUsesBytes)
{
    const ShellNamespace space = Space();
    EXPECT_LT(space.Compare(IdList({Home(), "apple"}), IdList({Home(), "Banana"})), 0);
    EXPECT_LT(space.Compare(IdList({Home(), "Apple"}), IdList({Home(), "apple"})), 0);
    EXPECT_EQ(space.Compare(IdList({Home(), "a"}), IdList({Home(), "a"})), 0);
    EXPECT_LT(space.Compare(IdList({Home()}), IdList({Home(), "a"})), 0);
}

TEST_F(ShellNamespaceTest, MountedVolumesFollowTheFileSystemRoot)
{
    tree_.MakeFolder("media/ann/USB STICK/Lamps");
    const std::string mounts = (tree_.Root() / "media/ann").string();
    const std::string fsRoot = (tree_.Root() / "fs").string();
    const ShellNamespace space(Home(), fsRoot, {mounts, (tree_.Root() / "missing").string()});
    const auto roots = space.EnumerateSubfolders(space.DesktopId());
    ASSERT_TRUE(roots);
    ASSERT_EQ(roots->size(), 3u);
    const IdList volume({mounts + "/USB STICK"});
    EXPECT_EQ(IdList({(*roots)[2]}), volume);
    EXPECT_TRUE(space.IsVolume(volume));
    EXPECT_FALSE(space.IsVolume(IdList({fsRoot})));
    EXPECT_EQ(space.DisplayName(volume), QStringLiteral("USB STICK"));
    EXPECT_LT(space.Compare(IdList({fsRoot}), volume), 0);
    EXPECT_EQ(space.ParsePath(mounts + "/USB STICK/Lamps"), IdList({mounts + "/USB STICK", "Lamps"}));
}
