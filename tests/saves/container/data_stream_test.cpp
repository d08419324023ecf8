// The save container: round trips of plain and compressed sections, reads that stay inside their
// section, and damaged directories. Its bytes are checked through the character and world files.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/file_handle.h"
#include "saves/container/data_stream_reader.h"
#include "saves/container/data_stream_writer.h"
#include "tests/saves/save_bytes.h"
#include "tests/support/temp_dir.h"

namespace saves_test {
namespace {

Bytes counting(size_t size) {
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + i / 256);
  return bytes;
}

class DataStreamTest : public ::testing::Test {
 protected:
  std::string path() const { return dir_.file("box.dat"); }
  Bytes fileBytes() const {
    const std::string text = dir_.read("box.dat");
    return Bytes(text.begin(), text.end());
  }
  void setFileBytes(const Bytes& bytes) const {
    dir_.write("box.dat", std::string(bytes.begin(), bytes.end()));
  }

  // Two sections as a character or world file has them: a plain one and a compressed one.
  bool writeSample(const Bytes& plain, const Bytes& packed) const {
    kel::FileHandle file(path(), kel::FileHandle::READ_WRITE_NEW);
    DataStreamWriter out(file, "RBWC", 0, 2);
    out.openSection(0x8000, 0, SectionStorage::Plain);
    out.body().bytes(plain);
    out.closeSection();
    out.openSection(2, 1, SectionStorage::Gzip, packed.size());
    out.body().bytes(packed);
    out.closeSection();
    return out.finish();
  }

  testsupport::TempDir dir_;
};

TEST_F(DataStreamTest, SectionsReadBackAndNeverPastTheirEnd) {
  const Bytes plain = counting(40);
  const Bytes packed = counting(70000);
  ASSERT_TRUE(writeSample(plain, packed));
  kel::FileHandle file(path(), kel::FileHandle::READ);
  DataStreamReader in(file);
  EXPECT_TRUE(in.is("RBWC", 0));
  EXPECT_FALSE(in.is("RBWM", 0));
  EXPECT_EQ(in.openSection(7), nullptr);  // optional sections are simply absent

  // A plain section in several reads comes in file order.
  ASSERT_NE(in.openSection(0x8000), nullptr);
  Bytes first(15), second(25);
  EXPECT_TRUE(in.read(first) && in.read(second));
  first.insert(first.end(), second.begin(), second.end());
  EXPECT_EQ(first, plain);

  const SectionEntry* cells = in.openSection(2);
  ASSERT_NE(cells, nullptr);
  EXPECT_EQ(cells->revision, 1);
  Bytes unpacked(packed.size());
  EXPECT_TRUE(in.read(unpacked));
  EXPECT_EQ(unpacked, packed);
  EXPECT_FALSE(in.failed());
  EXPECT_FALSE(in.read(unpacked));  // a compressed body is read once, whole

  // A read past the body fails and gives zeros.
  for (const auto& [id, size] : {std::pair{0x8000, plain.size()}, std::pair{2, packed.size()}}) {
    DataStreamReader again(file);
    ASSERT_NE(again.openSection(static_cast<uint16_t>(id)), nullptr);
    Bytes tooMuch(size + 1, 0x55);
    EXPECT_FALSE(again.read(tooMuch)) << id;
    EXPECT_EQ(tooMuch, Bytes(size + 1, 0)) << id;
    EXPECT_TRUE(again.failed()) << id;
  }
}

// The fuzzer covers the long tail; one case per check the reader makes.
TEST_F(DataStreamTest, DamagedDirectoriesAreRefused) {
  const struct {
    const char* what;
    size_t at;
    Bytes value;
  } cases[] = {
      {"entry count far above what the file holds", 6, {0xFF, 0xFF}},
      {"unknown storage flag", 15, {0x02}},
      {"body inside the directory", 16, {0x0C, 0, 0, 0}},
      {"bodies overlapping", 20, {0x0B, 0, 0, 0}},
  };
  ASSERT_TRUE(writeSample(counting(10), counting(10)));
  const Bytes good = fileBytes();
  for (const auto& c : cases) {
    setFileBytes(patched(good, c.at, c.value));
    kel::FileHandle file(path(), kel::FileHandle::READ);
    EXPECT_TRUE(DataStreamReader(file).failed()) << c.what;
  }
  setFileBytes(cut(good, good.size() - 1));
  kel::FileHandle file(path(), kel::FileHandle::READ);
  EXPECT_TRUE(DataStreamReader(file).failed()) << "cut short";
}

}  // namespace
}  // namespace saves_test
