// The file handle's three modes, reading to the end from the current position, and ownership.

#include "platform/file_handle.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/temp_dir.h"

namespace {

using kel::FileHandle;

class FileHandleTest : public testing::Test {
 protected:
  testsupport::TempDir dir;
};

TEST_F(FileHandleTest, ReadWriteExistingFailsOnAMissingFileAndCreatesNothing) {
  FileHandle handle;
  EXPECT_FALSE(handle.open(dir.file("missing.bin"), FileHandle::READ_WRITE_EXISTING));
  EXPECT_FALSE(handle.isOpen());
  EXPECT_FALSE(std::filesystem::exists(dir.file("missing.bin")));
}

TEST_F(FileHandleTest, ReadWriteNewCreatesOrTruncatesAndCanReadBack) {
  const std::string path = dir.write("save.dat", "old contents that are long");
  FileHandle handle(path, FileHandle::READ_WRITE_NEW);
  ASSERT_TRUE(handle);
  std::fputs("new", handle.stream());
  std::rewind(handle.stream());
  EXPECT_EQ(handle.readToString(), "new");

  FileHandle created(dir.file("fresh.dat"), FileHandle::READ_WRITE_NEW);
  EXPECT_TRUE(created.isOpen());
  created.close();
  EXPECT_TRUE(std::filesystem::exists(dir.file("fresh.dat")));
}

TEST_F(FileHandleTest, ReadWriteExistingKeepsTheRestOfTheFile) {
  const std::string path = dir.write("world.dat", "abcdef");
  {
    FileHandle handle(path, FileHandle::READ_WRITE_EXISTING);
    ASSERT_TRUE(handle);
    std::fputs("XY", handle.stream());
  }  // the handle closes its stream when it goes
  EXPECT_EQ(dir.read("world.dat"), "XYcdef");
}

TEST_F(FileHandleTest, ReadModeAndUnknownModesOpenForReadingOnly) {
  const std::string path = dir.write("text.txt", "hello");
  for (int mode : {static_cast<int>(FileHandle::READ), 3, -1, 255}) {
    FileHandle handle(path, mode);
    ASSERT_TRUE(handle) << mode;
    EXPECT_EQ(std::fputs("zz", handle.stream()), EOF) << mode;
  }
  EXPECT_EQ(dir.read("text.txt"), "hello");
  EXPECT_STREQ(FileHandle::modeText(7), "rb");
  EXPECT_STREQ(FileHandle::modeText(FileHandle::READ_WRITE_NEW), "wb+");
  EXPECT_STREQ(FileHandle::modeText(FileHandle::READ_WRITE_EXISTING), "rb+");
}

TEST_F(FileHandleTest, AFolderCannotBeOpenedForWriting) {
  FileHandle handle;
  EXPECT_FALSE(handle.open(dir.path().string(), FileHandle::READ_WRITE_NEW));
  EXPECT_FALSE(handle.open(dir.path().string(), FileHandle::READ_WRITE_EXISTING));
}

TEST_F(FileHandleTest, ReadToStringStartsAtTheCurrentPositionAndCloses) {
  const std::string path = dir.write("lang.json", "0123456789");
  FileHandle handle(path, FileHandle::READ);
  ASSERT_TRUE(handle);
  std::fseek(handle.stream(), 4, SEEK_SET);
  EXPECT_EQ(handle.readToString(), "456789");
  EXPECT_FALSE(handle.isOpen());
  EXPECT_EQ(handle.readToString(), "");  // closed: nothing, and no crash
}

TEST_F(FileHandleTest, ReadToStringStopsAtTheFirstZeroByte) {
  const std::string path = dir.write("zero.txt", std::string("before\0after", 12));
  FileHandle handle(path, FileHandle::READ);
  EXPECT_EQ(handle.readToString(), "before");
}

TEST_F(FileHandleTest, ReadToStringReadsFilesLargerThanOneBlockWhole) {
  std::string big(100000, 'x');
  big[0] = 'a';
  big[16384] = 'b';
  big.back() = 'z';
  const std::string path = dir.write("big.txt", big);
  FileHandle handle(path, FileHandle::READ);
  EXPECT_EQ(handle.readToString(), big);
}

TEST_F(FileHandleTest, MovingHandsOverTheStreamAndReopeningClosesTheOld) {
  const std::string path = dir.write("a.txt", "aaa");
  dir.write("b.txt", "bbb");
  FileHandle first(path, FileHandle::READ);
  FileHandle second(std::move(first));
  EXPECT_FALSE(first.isOpen());  // NOLINT(bugprone-use-after-move): moved-from state is defined
  ASSERT_TRUE(second.isOpen());
  EXPECT_TRUE(second.open(dir.file("b.txt"), FileHandle::READ));
  EXPECT_EQ(second.readToString(), "bbb");

  FileHandle third(path, FileHandle::READ);
  FileHandle fourth;
  fourth = std::move(third);
  EXPECT_EQ(fourth.readToString(), "aaa");
}

}  // namespace
