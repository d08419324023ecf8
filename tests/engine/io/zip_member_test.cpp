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
  using namespace std::string_literals;
  for (const std::string& name : {"stored.txt"s, "main.fnt"s, ""s, std::string(300, 'a')}) {
    EXPECT_EQ(readMember(zip_, name), std::nullopt) << name;
  }
  EXPECT_EQ(readMember("", "Stored.txt"), std::nullopt);
  EXPECT_EQ(readMember(dir_.file("absent.zip"), "Stored.txt"), std::nullopt);
  // A 255-byte name is still within the format's limit.
  const std::string longName(255, 'n');
  EXPECT_EQ(readMember(makeZip(dir_, "long.zip", {{longName, "long"}}), longName), "long");
  // Empty members and files that are no archive give nothing.
  EXPECT_EQ(readMember(makeZip(dir_, "empty.zip", {{"nothing", ""}}), "nothing"), std::nullopt);
  EXPECT_EQ(readBoth("this is not an archive at all").second, std::nullopt);
}

TEST_F(ZipMemberTest, TruncatedArchivesFailCleanly) {
  // Any cut that loses member data or the central directory fails. Cuts that lose only the
  // zero tail of the end record (the high half of an offset, the comment length) may still
  // read, but then only the checksummed original bytes.
  const size_t endRecord = bytes_.find("PK\x05\x06");
  ASSERT_NE(endRecord, std::string::npos);
  for (size_t length = 0; length < bytes_.size(); ++length) {
    const auto [fnt, stored] = readBoth(bytes_.substr(0, length));
    if (length < endRecord + 16) {  // up to the directory's size field
      ASSERT_FALSE(fnt || stored) << "cut at " << length;
    } else {
      ASSERT_TRUE(!fnt || fnt == FNT) << "cut at " << length;
    }
  }
}

TEST_F(ZipMemberTest, DamagedBytesNeverGiveWrongContent) {
  // Any one damaged byte either leaves the member readable as it was or makes the read fail:
  // the checksum must catch changed data.
  int failures = 0;
  for (size_t at = 0; at < bytes_.size(); ++at) {
    std::string damaged = bytes_;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
    const auto [fnt, stored] = readBoth(damaged);
    ASSERT_TRUE(!fnt || fnt == FNT) << "byte " << at;
    ASSERT_TRUE(!stored || stored == STORED) << "byte " << at;
    failures += fnt ? 0 : 1;
  }
  EXPECT_GT(failures, 0);
}

TEST_F(ZipMemberTest, ImpossibleSizesAreRefusedBeforeAllocating) {
  // The central record's uncompressed size sits 24 bytes into it; claim nearly 4 GiB.
  const size_t size = bytes_.find("PK\x01\x02") + 24;
  ASSERT_NE(size, std::string::npos + 24);
  std::string damaged = bytes_;
  damaged.replace(size, 4, "\xFF\xFF\xFF\xFF");
  EXPECT_EQ(readBoth(damaged).first, std::nullopt);
  // A size only a little too large fails on the early end of the data instead.
  damaged = bytes_;
  damaged[size] = static_cast<char>(static_cast<unsigned char>(damaged[size]) + 1);
  EXPECT_EQ(readBoth(damaged).first, std::nullopt);
}
