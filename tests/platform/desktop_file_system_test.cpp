#include "platform/desktop_file_system.h"

#include <gtest/gtest.h>

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

TEST_F(DesktopFileSystemTest, CopyMergesFolders) {
  dir.write("folder/a.txt", "a");
  dir.write("folder/deep/b.txt", "b");
  EXPECT_TRUE(files.copyPath(at("folder"), at("backup")));
  EXPECT_EQ(dir.read("backup/deep/b.txt"), "b");
  dir.write("folder/a.txt", "a2");
  EXPECT_TRUE(files.copyPath(at("folder"), at("backup")));  // into the existing copy
  EXPECT_EQ(dir.read("backup/a.txt"), "a2");
}

TEST_F(DesktopFileSystemTest, CopyRefusesMissingOrUnreadableSourcesAndTargetsOfTheOtherKind) {
  dir.write("file.txt", "f");
  dir.write("folder/a.txt", "a");
  EXPECT_FALSE(files.copyPath(at("missing.txt"), at("x.txt")));
  EXPECT_FALSE(files.copyPath(at("file.txt"), at("folder")));  // a file never replaces a folder
  EXPECT_FALSE(files.copyPath(at("file.txt"), at("file.txt")));  // onto itself
  EXPECT_EQ(dir.read("file.txt"), "f");
  // A folder copied into itself would keep copying its own new contents.
  EXPECT_FALSE(files.copyPath(at("folder"), at("folder/nested")));
  EXPECT_FALSE(fs::exists(at("folder/nested")));
  EXPECT_TRUE(files.copyPath(at("folder"), at("folder-sibling")));  // a shared prefix is not inside
}

TEST_F(DesktopFileSystemTest, MoveReplacesFilesCarriesFoldersAndDeleteRemovesWholeTrees) {
  dir.write("world.tmp", "fresh");
  dir.write("world.dat", "stale");
  EXPECT_TRUE(files.movePath(at("world.tmp"), at("world.dat")));  // without asking
  EXPECT_EQ(dir.read("world.dat"), "fresh");
  dir.write("player/a.chr", "a");
  EXPECT_TRUE(files.movePath(at("player"), at("renamed")));
  EXPECT_FALSE(files.movePath(at("world.dat"), at("renamed")));  // never onto a folder
  EXPECT_EQ(dir.read("renamed/a.chr"), "a");
  EXPECT_TRUE(files.deletePath(at("renamed")));
  EXPECT_FALSE(fs::exists(at("renamed")));
  EXPECT_FALSE(files.deletePath(at("renamed")));
}

}  // namespace
