#include "platform/file_handle.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/support/temp_dir.h"

namespace {

using kel::FileHandle;

TEST(FileHandle, NewTruncatesOrCreatesExistingKeepsTheRestAndNeverCreates) {
  testsupport::TempDir dir;
  FileHandle handle(dir.write("save.dat", "old contents that are long"), FileHandle::READ_WRITE_NEW);
  ASSERT_TRUE(handle);
  std::fputs("new", handle.stream());
  std::rewind(handle.stream());
  EXPECT_EQ(handle.readToString(), "new");
  {
    FileHandle existing(dir.write("world.dat", "abcdef"), FileHandle::READ_WRITE_EXISTING);
    ASSERT_TRUE(existing);
    std::fputs("XY", existing.stream());
  }  // the handle closes its stream when it goes
  EXPECT_EQ(dir.read("world.dat"), "XYcdef");
  EXPECT_FALSE(handle.open(dir.file("missing.bin"), FileHandle::READ_WRITE_EXISTING));
  EXPECT_FALSE(std::filesystem::exists(dir.file("missing.bin")));
}

TEST(FileHandle, ReadToStringReadsFromThePositionToTheFirstZeroByteAndCloses) {
  testsupport::TempDir dir;
  FileHandle handle(dir.write("lang.json", "0123456789"), FileHandle::READ);
  std::fseek(handle.stream(), 4, SEEK_SET);
  EXPECT_EQ(handle.readToString(), "456789");
  EXPECT_FALSE(handle.isOpen());
  EXPECT_TRUE(handle.open(dir.write("zero.txt", std::string("before\0after", 12)), FileHandle::READ));
  EXPECT_EQ(handle.readToString(), "before");
}

}  // namespace
