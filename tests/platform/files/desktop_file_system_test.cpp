// The desktop file system on a temporary folder: paths under the application-data folder, listing,
// folder creation and the copy, move and delete operations, with their failures.

#include "platform/desktop_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using kel::DesktopFileSystem;

class DesktopFileSystemTest : public testing::Test {
 protected:
  std::string at(const std::string& name) const { return dir.file(name); }

  testsupport::TempDir dir;
  DesktopFileSystem files;
};

TEST(DesktopFileSystemPaths, RootAndSettingsLiveInTheApplicationDataFolder) {
  testsupport::ScopedDataHome home;
  DesktopFileSystem files;
  EXPECT_EQ(files.writableRoot(), (home.path() / "Rubblemoor").string());
  EXPECT_EQ(files.settingsPath(), (home.path() / "Rubblemoor" / "settings.json").string());
  // Asking never creates the folder: only the save code does.
  EXPECT_FALSE(fs::exists(home.path() / "Rubblemoor"));
}

TEST_F(DesktopFileSystemTest, ListFilesGivesPlainFilesOnlySortedHiddenOnesIncluded) {
  dir.write("worlds/b.world", "b");
  dir.write("worlds/a.world", "a");
  dir.write("worlds/.hidden", "h");
  dir.write("worlds/sub/inner.world", "x");
  EXPECT_EQ(files.listFiles(at("worlds")),
            (std::vector<std::string>{".hidden", "a.world", "b.world"}));
  EXPECT_EQ(files.listFiles(at("worlds") + "/"), files.listFiles(at("worlds")));
}

TEST_F(DesktopFileSystemTest, ListFilesOfSomethingThatIsNoFolderGivesNothing) {
  dir.write("plain.txt", "x");
  EXPECT_TRUE(files.listFiles(at("missing")).empty());
  EXPECT_TRUE(files.listFiles(at("plain.txt")).empty());
  EXPECT_TRUE(files.listFiles("").empty());
}

TEST_F(DesktopFileSystemTest, CreateFolderIsTrueOnlyWhenItCreatedTheFolder) {
  EXPECT_TRUE(files.createFolder(at("one"), false));
  EXPECT_FALSE(files.createFolder(at("one"), false));    // already there
  EXPECT_FALSE(files.createFolder(at("a/b/c"), false));  // parent missing
  EXPECT_FALSE(fs::exists(at("a")));
  EXPECT_TRUE(files.createFolder(at("a/b/c"), true));
  EXPECT_TRUE(fs::is_directory(at("a/b/c")));
  EXPECT_FALSE(files.createFolder(at("a/b/c"), true));  // already there, with parents too
  EXPECT_TRUE(files.createFolder(at("a/b/d/"), true));  // a trailing '/' changes nothing
  EXPECT_FALSE(files.createFolder(at("a/b/d"), true));
  dir.write("file", "x");
  EXPECT_FALSE(files.createFolder(at("file"), true));        // a file is in the way
  EXPECT_FALSE(files.createFolder(at("file/below"), true));  // a file is a parent
  EXPECT_FALSE(files.createFolder("", true));
}

TEST_F(DesktopFileSystemTest, ExistsSeesFilesAndFolders) {
  dir.write("f.txt", "x");
  EXPECT_TRUE(files.exists(at("f.txt")));
  EXPECT_TRUE(files.exists(dir.path().string()));
  EXPECT_FALSE(files.exists(at("nothing")));
  EXPECT_FALSE(files.exists(""));
}

TEST_F(DesktopFileSystemTest, DeleteRemovesFilesAndWholeFoldersAndFailsOnMissingPaths) {
  dir.write("tree/x/y.txt", "y");
  dir.write("lone.txt", "l");
  EXPECT_TRUE(files.deletePath(at("lone.txt")));
  EXPECT_TRUE(files.deletePath(at("tree")));
  EXPECT_FALSE(fs::exists(at("tree")));
  EXPECT_FALSE(files.deletePath(at("tree")));
  EXPECT_FALSE(files.deletePath(""));
}

TEST_F(DesktopFileSystemTest, CopyMakesOrReplacesFilesAndCopiesFoldersWhole) {
  dir.write("src.txt", "new");
  dir.write("dst.txt", "old");
  EXPECT_TRUE(files.copyPath(at("src.txt"), at("copy.txt")));
  EXPECT_TRUE(files.copyPath(at("src.txt"), at("dst.txt")));
  EXPECT_EQ(dir.read("copy.txt"), "new");
  EXPECT_EQ(dir.read("dst.txt"), "new");
  EXPECT_EQ(dir.read("src.txt"), "new");

  dir.write("folder/a.txt", "a");
  dir.write("folder/deep/b.txt", "b");
  EXPECT_TRUE(files.copyPath(at("folder"), at("backup")));
  EXPECT_EQ(dir.read("backup/deep/b.txt"), "b");
  dir.write("folder/a.txt", "a2");
  EXPECT_TRUE(files.copyPath(at("folder"), at("backup")));  // into the existing copy
  EXPECT_EQ(dir.read("backup/a.txt"), "a2");
}

TEST_F(DesktopFileSystemTest, CopyRefusesMissingSourcesAndTargetsOfTheOtherKind) {
  dir.write("file.txt", "f");
  dir.write("folder/a.txt", "a");
  EXPECT_FALSE(files.copyPath(at("missing.txt"), at("x.txt")));
  EXPECT_FALSE(fs::exists(at("x.txt")));
  EXPECT_FALSE(files.copyPath(at("file.txt"), at("folder")));  // a file never replaces a folder
  EXPECT_FALSE(files.copyPath(at("folder"), at("file.txt")));  // nor a folder a file
  EXPECT_EQ(dir.read("file.txt"), "f");
  EXPECT_FALSE(files.copyPath(at("file.txt"), at("file.txt")));  // onto itself
  EXPECT_EQ(dir.read("file.txt"), "f");
  EXPECT_FALSE(files.copyPath(at("file.txt"), at("file.txt/inside")));
  EXPECT_FALSE(files.copyPath(at("file.txt"), ""));
}

TEST_F(DesktopFileSystemTest, CopyOfAnUnreadableFileFails) {
  if (geteuid() == 0) {
    // The superuser reads every file; a source below a file is unreadable for everyone.
    dir.write("file.txt", "f");
    EXPECT_FALSE(files.copyPath(at("file.txt/child"), at("out.txt")));
    EXPECT_FALSE(fs::exists(at("out.txt")));
    return;
  }
  const std::string path = dir.write("secret.txt", "s");
  chmod(path.c_str(), 0);
  EXPECT_FALSE(files.copyPath(path, at("out.txt")));
  chmod(path.c_str(), 0600);
}

TEST_F(DesktopFileSystemTest, MoveReplacesAnExistingFileWithoutAsking) {
  dir.write("world.tmp", "fresh");
  dir.write("world.dat", "stale");
  EXPECT_TRUE(files.movePath(at("world.tmp"), at("world.dat")));
  EXPECT_EQ(dir.read("world.dat"), "fresh");
  EXPECT_FALSE(fs::exists(at("world.tmp")));
}

TEST_F(DesktopFileSystemTest, MoveCarriesFoldersAndFailsWithoutASourceOrOntoAFolder) {
  dir.write("player/a.chr", "a");
  EXPECT_TRUE(files.movePath(at("player"), at("renamed")));
  EXPECT_EQ(dir.read("renamed/a.chr"), "a");
  EXPECT_FALSE(files.movePath(at("player"), at("again")));
  EXPECT_FALSE(fs::exists(at("again")));

  dir.write("f.txt", "f");
  dir.write("busy/inner.txt", "i");
  EXPECT_FALSE(files.movePath(at("f.txt"), at("busy")));
  EXPECT_EQ(dir.read("f.txt"), "f");
  EXPECT_EQ(dir.read("busy/inner.txt"), "i");
}

}  // namespace
