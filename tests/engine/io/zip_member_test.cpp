#include <gtest/gtest.h>
#include <minizip/zip.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "engine/io/file_utils.h"
#include "tests/support/temp_dir.h"

using namespace engine;

namespace {

struct Member {
  std::string name;
  std::string bytes;
  bool deflate;
};

// Builds an archive with the zip writer, so the reader meets what real tools produce.
std::string makeZip(const testsupport::TempDir& dir, const std::string& name,
                    const std::vector<Member>& members) {
  const std::string path = dir.file(name);
  zipFile zip = zipOpen(path.c_str(), APPEND_STATUS_CREATE);
  EXPECT_NE(zip, nullptr);
  for (const Member& member : members) {
    zip_fileinfo info = {};
    EXPECT_EQ(zipOpenNewFileInZip(zip, member.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                  member.deflate ? Z_DEFLATED : 0,
                                  member.deflate ? Z_BEST_COMPRESSION : 0),
              ZIP_OK);
    EXPECT_EQ(zipWriteInFileInZip(zip, member.bytes.data(),
                                  static_cast<unsigned>(member.bytes.size())),
              ZIP_OK);
    EXPECT_EQ(zipCloseFileInZip(zip), ZIP_OK);
  }
  EXPECT_EQ(zipClose(zip, nullptr), ZIP_OK);
  return path;
}

// The member's bytes, or nullopt-like {false, ""} when the read failed (and then size must be 0).
std::pair<bool, std::string> readMember(const std::string& zip, const std::string& member) {
  int64_t size = -1;
  unsigned char* bytes = FileUtils::getInstance()->getFileDataFromZip(zip, member, &size);
  if (bytes == nullptr) {
    EXPECT_EQ(size, 0);
    return {false, ""};
  }
  std::string text(reinterpret_cast<const char*>(bytes), static_cast<size_t>(size));
  std::free(bytes);
  return {true, text};
}

std::string repeated(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

class ZipMemberTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FileUtils::destroyInstance();
    FileUtils::setResourcePath(dir_.path().string());
    ASSERT_NE(FileUtils::getInstance(), nullptr);
    zip_ = makeZip(dir_, "pack.zip",
                   {{"fonts/main.fnt", repeated("char id=65 x=0 y=0\n", 200), true},
                    {"Stored.txt", std::string("raw\0bytes", 9), false}});
    bytes_ = dir_.read("pack.zip");
  }
  void TearDown() override {
    FileUtils::destroyInstance();
    FileUtils::setResourcePath("");
  }

  testsupport::TempDir dir_;
  std::string zip_;
  std::string bytes_;
};

}  // namespace

TEST_F(ZipMemberTest, ReadsMembersWholeByTheirExactNameOnly) {
  EXPECT_EQ(readMember(zip_, "fonts/main.fnt"),
            std::make_pair(true, repeated("char id=65 x=0 y=0\n", 200)));
  EXPECT_EQ(readMember(zip_, "Stored.txt"), std::make_pair(true, std::string("raw\0bytes", 9)));
  EXPECT_FALSE(readMember(zip_, "stored.txt").first);
  EXPECT_FALSE(readMember(zip_, "main.fnt").first);
  EXPECT_FALSE(readMember(zip_, "").first);
  EXPECT_FALSE(readMember(zip_, std::string(300, 'a')).first);
  EXPECT_FALSE(readMember("", "Stored.txt").first);
  EXPECT_FALSE(readMember(dir_.file("absent.zip"), "Stored.txt").first);
  // A 255-byte name is still within the format's limit.
  const std::string longName(255, 'n');
  const std::string other = makeZip(dir_, "long.zip", {{longName, "long", true}});
  EXPECT_EQ(readMember(other, longName), std::make_pair(true, std::string("long")));
  // Empty members and files that are no archive give nothing.
  EXPECT_FALSE(readMember(makeZip(dir_, "empty.zip", {{"nothing", "", true}}), "nothing").first);
  dir_.write("text.zip", "this is not an archive at all");
  EXPECT_FALSE(readMember(dir_.file("text.zip"), "Stored.txt").first);
}

TEST_F(ZipMemberTest, TruncatedArchivesFailCleanly) {
  // Any cut that loses member data or the central directory fails. Cuts that lose only the
  // zero tail of the end record (the high half of an offset, the comment length) may still
  // read, but then only the checksummed original bytes.
  const size_t endRecord = bytes_.find("PK\x05\x06");
  ASSERT_NE(endRecord, std::string::npos);
  const auto good = readMember(zip_, "fonts/main.fnt");
  for (size_t length = 0; length < bytes_.size(); ++length) {
    dir_.write("cut.zip", bytes_.substr(0, length));
    const auto read = readMember(dir_.file("cut.zip"), "fonts/main.fnt");
    if (length < endRecord + 16) {  // up to the directory's size field
      ASSERT_FALSE(read.first) << "cut at " << length;
      ASSERT_FALSE(readMember(dir_.file("cut.zip"), "Stored.txt").first) << "cut at " << length;
    } else {
      ASSERT_TRUE(!read.first || read == good) << "cut at " << length;
    }
  }
}

TEST_F(ZipMemberTest, DamagedBytesNeverGiveWrongContent) {
  // Any one damaged byte either leaves the member readable as it was or makes the read fail:
  // the checksum must catch changed data.
  const auto good = readMember(zip_, "fonts/main.fnt");
  const auto stored = readMember(zip_, "Stored.txt");
  int failures = 0;
  for (size_t at = 0; at < bytes_.size(); ++at) {
    std::string damaged = bytes_;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
    dir_.write("bad.zip", damaged);
    const auto read = readMember(dir_.file("bad.zip"), "fonts/main.fnt");
    const auto readStored = readMember(dir_.file("bad.zip"), "Stored.txt");
    ASSERT_TRUE(!read.first || read == good) << "byte " << at;
    ASSERT_TRUE(!readStored.first || readStored == stored) << "byte " << at;
    failures += read.first ? 0 : 1;
  }
  EXPECT_GT(failures, 0);
}

TEST_F(ZipMemberTest, ImpossibleSizesAreRefusedBeforeAllocating) {
  // The central record's uncompressed size sits 24 bytes into it; claim nearly 4 GiB.
  const size_t central = bytes_.find("PK\x01\x02");
  ASSERT_NE(central, std::string::npos);
  std::string damaged = bytes_;
  for (int i = 0; i < 4; ++i) damaged[central + 24 + i] = static_cast<char>(0xFF);
  dir_.write("huge.zip", damaged);
  EXPECT_FALSE(readMember(dir_.file("huge.zip"), "fonts/main.fnt").first);
  // A size only a little too large fails on the early end of the data instead.
  damaged = bytes_;
  damaged[central + 24] = static_cast<char>(static_cast<unsigned char>(damaged[central + 24]) + 1);
  dir_.write("long.zip", damaged);
  EXPECT_FALSE(readMember(dir_.file("long.zip"), "fonts/main.fnt").first);
}
