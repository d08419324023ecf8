#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/io/file_utils.h"
#include "tests/support/temp_dir.h"

using namespace engine;
namespace fs = std::filesystem;

namespace {

class FileUtilsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FileUtils::destroyInstance();
    FileUtils::setResourcePath(root_.path().string());
    files_ = FileUtils::getInstance();
    ASSERT_NE(files_, nullptr);
  }
  void TearDown() override {
    FileUtils::destroyInstance();
    FileUtils::setResourcePath("");
  }

  std::string rootPath() const { return root_.path().string() + "/"; }

  testsupport::TempDir root_;
  FileUtils* files_ = nullptr;
};

}  // namespace

TEST_F(FileUtilsTest, FirstSearchPathWinsAndTheAnswerIsCached) {
  EXPECT_EQ(files_->getSearchPaths(), std::vector<std::string>{rootPath()});
  root_.write("first/tex/stone.png", "1");
  root_.write("second/tex/stone.png", "2");
  files_->setSearchPaths({"first", "second/"});
  EXPECT_EQ(files_->getSearchPaths(),
            (std::vector<std::string>{rootPath() + "first/", rootPath() + "second/", rootPath()}));

  const std::string first = rootPath() + "first/tex/stone.png";
  EXPECT_EQ(files_->fullPathForFilename("tex/stone.png"), first);
  fs::remove(first);
  EXPECT_EQ(files_->fullPathForFilename("tex/stone.png"), first) << "answer comes from the cache";
  files_->purgeCachedEntries();
  EXPECT_EQ(files_->fullPathForFilename("tex/stone.png"), rootPath() + "second/tex/stone.png");
  EXPECT_EQ(files_->getStringFromFile("tex/stone.png"), "2");
}

TEST_F(FileUtilsTest, MissingNamesAreNotCachedButHitsAreAndOnlyPlainFilesExist) {
  EXPECT_EQ(files_->fullPathForFilename("late.txt"), "late.txt");
  EXPECT_FALSE(files_->isFileExist("late.txt"));
  root_.write("late.txt", "here");
  EXPECT_EQ(files_->fullPathForFilename("late.txt"), rootPath() + "late.txt");
  EXPECT_FALSE(files_->isFileExist(""));

  root_.write("dir/file.txt", "x");
  EXPECT_FALSE(files_->isFileExist("dir"));
  EXPECT_TRUE(files_->isFileExist("dir/file.txt"));
  fs::remove(rootPath() + "dir/file.txt");
  EXPECT_TRUE(files_->isFileExist("dir/file.txt")) << "a hit is cached";
}

TEST_F(FileUtilsTest, AbsolutePathsBypassTheSearch) {
  testsupport::TempDir other;
  const std::string outside = other.write("outside.txt", "abs");
  files_->setSearchPaths({other.path().string()});
  EXPECT_EQ(files_->getSearchPaths(),
            (std::vector<std::string>{other.path().string() + "/", rootPath()}));
  EXPECT_EQ(files_->fullPathForFilename(outside), outside);
  EXPECT_EQ(files_->fullPathForFilename("outside.txt"), outside);
  EXPECT_FALSE(files_->isFileExist(other.file("nope.txt")));
  // An empty list leaves the root alone; listing the root keeps it where it was given.
  files_->setSearchPaths({});
  EXPECT_EQ(files_->getSearchPaths(), std::vector<std::string>{rootPath()});
  files_->setSearchPaths({"", "extra"});
  EXPECT_EQ(files_->getSearchPaths(),
            (std::vector<std::string>{rootPath(), rootPath() + "extra/"}));
}

TEST_F(FileUtilsTest, ResolutionFoldersSitBetweenFolderAndFileName) {
  root_.write("ui/hd/button.png", "hd");
  root_.write("ui/button.png", "sd");
  files_->setSearchResolutionsOrder({"hd"});
  EXPECT_EQ(files_->getSearchResolutionsOrder(), (std::vector<std::string>{"hd/", ""}));
  EXPECT_EQ(files_->fullPathForFilename("ui/button.png"), rootPath() + "ui/hd/button.png");
  files_->setSearchResolutionsOrder({"", "hd/"});
  EXPECT_EQ(files_->fullPathForFilename("ui/button.png"), rootPath() + "ui/button.png");
  files_->addSearchResolutionsOrder("x", true);
  files_->addSearchResolutionsOrder("", false);
  EXPECT_EQ(files_->getSearchResolutionsOrder(), (std::vector<std::string>{"x/", "", "hd/", ""}));
}

TEST_F(FileUtilsTest, ReadsWholeFilesAsBytesAndAsText) {
  const std::string bytes("ab\0cd\xFF", 6);
  root_.write("blob.bin", bytes);
  const Data data = files_->getDataFromFile("blob.bin");
  ASSERT_EQ(data.getSize(), 6);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.getBytes()), 6), bytes);
  EXPECT_EQ(files_->getStringFromFile("blob.bin"), "ab") << "text ends at the first zero byte";

  root_.write("empty.txt", "");
  fs::create_directories(rootPath() + "folder");
  for (const char* name : {"", "empty.txt", "missing.txt", "folder"}) {
    EXPECT_TRUE(files_->getDataFromFile(name).isNull()) << name;
    EXPECT_EQ(files_->getStringFromFile(name), "") << name;
    int64_t size = -1;
    EXPECT_EQ(files_->getFileData(name, &size), nullptr) << name;
    EXPECT_EQ(size, 0) << name;
  }
}

TEST_F(FileUtilsTest, RelativeFilesKeepTheOtherFilesFolderAndWritesGoToTheDataHome) {
  EXPECT_EQ(files_->fullPathFromRelativeFile("a.png", "fonts/big/main.fnt"), "fonts/big/a.png");
  EXPECT_EQ(files_->fullPathFromRelativeFile("a.png", "main.fnt"), "a.png");
  testsupport::ScopedDataHome home;
  const std::string writable = files_->getWritablePath();
  EXPECT_EQ(writable, home.path().string() + "/engine_io_tests/");
  EXPECT_TRUE(fs::is_directory(writable));
}

TEST(Data, CopiesOwnBuffersAndHandsThemOver) {
  const unsigned char bytes[] = {1, 2, 3};
  Data a;
  a.copy(bytes, 3);
  Data b = a;
  ASSERT_NE(b.getBytes(), a.getBytes());
  b.getBytes()[0] = 9;
  EXPECT_EQ(a.getBytes()[0], 1);
  int64_t size = 0;
  unsigned char* taken = b.takeBuffer(&size);
  EXPECT_EQ(size, 3);
  EXPECT_EQ(taken[0], 9);
  EXPECT_TRUE(b.isNull());
  free(taken);
  a.copy(nullptr, 5);
  EXPECT_TRUE(a.isNull());
  EXPECT_EQ(a.getSize(), 0);
}
