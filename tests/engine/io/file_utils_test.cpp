#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/io/file_utils.h"
#include "tests/support/file_search_paths.h"
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
  root_.write("first/tex/stone.png", "1");
  root_.write("second/tex/stone.png", "2");
  FileUtilsProbe::setSearchPaths(*files_, {"first", "second/"});
  EXPECT_EQ(FileUtilsProbe::searchPaths(*files_),
            (std::vector<std::string>{rootPath() + "first/", rootPath() + "second/", rootPath()}));

  const std::string first = rootPath() + "first/tex/stone.png";
  EXPECT_EQ(files_->fullPathForFilename("tex/stone.png"), first);
  fs::remove(first);
  EXPECT_EQ(files_->fullPathForFilename("tex/stone.png"), first) << "answer comes from the cache";
  FileUtilsProbe::forgetCachedPaths(*files_);
  EXPECT_EQ(files_->fullPathForFilename("tex/stone.png"), rootPath() + "second/tex/stone.png");
  const Data second = files_->getDataFromFile("tex/stone.png");
  ASSERT_EQ(second.getSize(), 1);
  EXPECT_EQ(second.getBytes()[0], '2');
}

TEST_F(FileUtilsTest, MissingNamesAreNotCachedAndOnlyPlainFilesExist) {
  EXPECT_NE(files_->fullPathForFilename("late.txt"), rootPath() + "late.txt");
  root_.write("late.txt", "here");
  EXPECT_EQ(files_->fullPathForFilename("late.txt"), rootPath() + "late.txt");
  root_.write("dir/file.txt", "x");
  EXPECT_NE(files_->fullPathForFilename("dir"), rootPath() + "dir");
}

TEST_F(FileUtilsTest, ReadsWholeFilesAsBytes) {
  const std::string bytes("ab\0cd\xFF", 6);
  root_.write("blob.bin", bytes);
  const Data data = files_->getDataFromFile("blob.bin");
  ASSERT_EQ(data.getSize(), 6);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.getBytes()), 6), bytes);

  fs::create_directories(rootPath() + "folder");
  for (const char* name : {"missing.txt", "folder"}) {
    EXPECT_TRUE(files_->getDataFromFile(name).isNull()) << name;
    int64_t size = -1;
    EXPECT_EQ(files_->getFileData(name, &size), nullptr) << name;
    EXPECT_EQ(size, 0) << name;
  }
}
