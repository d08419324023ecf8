#include <gtest/gtest.h>
#include <minizip/zip.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "engine/io/file_utils.h"
#include "tests/support/temp_dir.h"

using namespace engine;

namespace {

struct Member {
  std::string name;
  std::string bytes;
  bool deflate = true;
};

// Builds an archive with the zip writer, so the reader meets what real tools produce.
std::string makeZip(const testsupport::TempDir& dir, const std::string& name,
                    const std::vector<Member>& members) {
  const std::string path = dir.file(name);
  zipFile zip = zipOpen(path.c_str(), APPEND_STATUS_CREATE);
  EXPECT_NE(zip, nullptr);
  for (const Member& m : members) {
    zip_fileinfo info = {};
    EXPECT_EQ(zipOpenNewFileInZip(zip, m.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                  m.deflate ? Z_DEFLATED : 0, m.deflate ? Z_BEST_COMPRESSION : 0),
              ZIP_OK);
    EXPECT_EQ(zipWriteInFileInZip(zip, m.bytes.data(), static_cast<unsigned>(m.bytes.size())),
              ZIP_OK);
    EXPECT_EQ(zipCloseFileInZip(zip), ZIP_OK);
  }
  EXPECT_EQ(zipClose(zip, nullptr), ZIP_OK);
  return path;
}

// The member's bytes, or nothing when the read failed (and then the size must be 0).
std::optional<std::string> readMember(const std::string& zip, const std::string& member) {
  int64_t size = -1;
  unsigned char* bytes = FileUtils::getInstance()->getFileDataFromZip(zip, member, &size);
  if (bytes == nullptr) {
    EXPECT_EQ(size, 0);
    return std::nullopt;
  }
  std::string text(reinterpret_cast<const char*>(bytes), static_cast<size_t>(size));
  std::free(bytes);
  return text;
}

const std::string FNT = [] {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "char id=65 x=0 y=0\n";
  return text;
}();
const std::string STORED("raw\0bytes", 9);

class ZipMemberTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FileUtils::destroyInstance();
    FileUtils::setResourcePath(dir_.path().string());
    ASSERT_NE(FileUtils::getInstance(), nullptr);
    zip_ = makeZip(dir_, "pack.zip", {{"fonts/main.fnt", FNT}, {"Stored.txt", STORED, false}});
    bytes_ = dir_.read("pack.zip");
  }
  void TearDown() override {
    FileUtils::destroyInstance();
    FileUtils::setResourcePath("");
  }
  // Both members of an archive made of the given bytes.
  std::pair<std::optional<std::string>, std::optional<std::string>> readBoth(
      const std::string& bytes) {
    dir_.write("other.zip", bytes);
    return {readMember(dir_.file("other.zip"), "fonts/main.fnt"),
            readMember(dir_.file("other.zip"), "Stored.txt")};
  }

  testsupport::TempDir dir_;
  std::string zip_;
  std::string bytes_;
};

}  // namespace

TEST_F(ZipMemberTest, ReadsMembersWholeByTheirExactNameOnly) {
  EXPECT_EQ(readMember(zip_, "fonts/main.fnt"), FNT);
  EXPECT_EQ(readMember(zip_, "Stored.txt"), STORED);
  EXPECT_EQ(readMember(zip_, "stored.txt"), std::nullopt);
  EXPECT_EQ(readMember(dir_.file("absent.zip"), "Stored.txt"), std::nullopt);
  EXPECT_EQ(readMember(makeZip(dir_, "empty.zip", {{"nothing", ""}}), "nothing"), std::nullopt);
  EXPECT_EQ(readBoth("this is not an archive at all").second, std::nullopt);
}

TEST_F(ZipMemberTest, DamagedArchivesFailCleanly) {
  // Cut inside the central directory.
  const auto [fnt, stored] = readBoth(bytes_.substr(0, bytes_.find("PK\x01\x02") + 10));
  EXPECT_FALSE(fnt || stored);
  // A changed byte of stored data is caught by the checksum.
  std::string damaged = bytes_;
  damaged[bytes_.find(STORED) + 1] ^= 0x5A;
  EXPECT_EQ(readBoth(damaged).second, std::nullopt);
  // The central record's uncompressed size sits 24 bytes into it: nearly 4 GiB is refused before
  // allocating, and a size only a little too large fails on the early end of the data.
  const size_t size = bytes_.find("PK\x01\x02") + 24;
  damaged = bytes_;
  damaged.replace(size, 4, "\xFF\xFF\xFF\xFF");
  EXPECT_EQ(readBoth(damaged).first, std::nullopt);
  damaged = bytes_;
  damaged[size] = static_cast<char>(static_cast<unsigned char>(damaged[size]) + 1);
  EXPECT_EQ(readBoth(damaged).first, std::nullopt);
}
