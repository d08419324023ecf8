// The save container: its bytes as other copies of the game expect them, round trips of plain and
// compressed sections, and damaged files that must fail cleanly.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
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

TEST_F(DataStreamTest, HeaderDirectoryAndPlainBodyAreByteExact) {
  ASSERT_TRUE(writeSample({0xAA, 0xBB, 0xCC}, counting(1000)));
  const Bytes file = fileBytes();
  ASSERT_GT(file.size(), 42u);
  const Bytes expected = Le().text("RBWC").u16(0).u16(2).u32(0)
                             .entry(0x8000, 0, 0, 36, 3)  // plain, right behind the directory
                             .entry(2, 1, 1, 39, static_cast<uint32_t>(file.size() - 39))
                             .u8(0xAA).u8(0xBB).u8(0xCC)
                             .u8(0x1F).u8(0x8B).u8(0x08)  // a gzip stream, not a bare zlib one
                             .bytes;
  EXPECT_EQ(cut(file, expected.size()), expected);
}

TEST_F(DataStreamTest, SectionsReadBackInAnyOrder) {
  const Bytes plain = counting(40);
  const Bytes packed = counting(70000);
  ASSERT_TRUE(writeSample(plain, packed));
  kel::FileHandle file(path(), kel::FileHandle::READ);
  DataStreamReader in(file);
  EXPECT_TRUE(in.is("RBWC", 0));
  EXPECT_FALSE(in.is("RBWM", 0));

  const SectionEntry* cells = in.openSection(2);
  ASSERT_NE(cells, nullptr);
  EXPECT_EQ(cells->revision, 1);
  Bytes unpacked(packed.size());
  EXPECT_TRUE(in.read(unpacked));
  EXPECT_EQ(unpacked, packed);

  // A plain section in several reads comes in file order.
  ASSERT_NE(in.openSection(0x8000), nullptr);
  Bytes first(15), second(25);
  EXPECT_TRUE(in.read(first) && in.read(second));
  first.insert(first.end(), second.begin(), second.end());
  EXPECT_EQ(first, plain);

  EXPECT_EQ(in.openSection(7), nullptr);  // optional sections are simply absent
  EXPECT_FALSE(in.failed());
}

TEST_F(DataStreamTest, EmptySectionsAndDuplicateIds) {
  {
    kel::FileHandle file(path(), kel::FileHandle::READ_WRITE_NEW);
    DataStreamWriter out(file, "RBWM", 1, 4);
    const std::tuple<uint16_t, SectionStorage, Bytes> sections[] = {
        {5, SectionStorage::Plain, {}}, {6, SectionStorage::Gzip, {}},
        {9, SectionStorage::Plain, {1}}, {9, SectionStorage::Plain, {2}}};
    for (const auto& [id, storage, body] : sections) {
      out.openSection(id, 0, storage);
      out.body().bytes(body);
      out.closeSection();
    }
    ASSERT_TRUE(out.finish());
  }
  kel::FileHandle file(path(), kel::FileHandle::READ);
  DataStreamReader in(file);
  ASSERT_TRUE(in.is("RBWM", 1));
  for (uint16_t id : {5, 6}) {
    const SectionEntry* empty = in.openSection(id);
    ASSERT_NE(empty, nullptr) << id;
    EXPECT_EQ(empty->size, 0u) << id;
  }
  EXPECT_TRUE(in.read({}));
  ASSERT_NE(in.openSection(9), nullptr);
  uint8_t value = 0;
  EXPECT_TRUE(in.read({&value, 1}));
  EXPECT_EQ(value, 1);  // the first entry of an id wins
  EXPECT_FALSE(in.failed());
}

TEST_F(DataStreamTest, WriterFailuresAreReported) {
  kel::FileHandle closed;
  kel::FileHandle file(path(), kel::FileHandle::READ_WRITE_NEW);
  // No file at all, and more sections than the directory was opened for.
  for (const auto& [handle, sections] : {std::pair{&closed, 1}, std::pair{&file, 2}}) {
    DataStreamWriter out(*handle, "RBWC", 0, 1);
    for (uint16_t id = 1; id <= sections; ++id) {
      out.openSection(id, 0, SectionStorage::Plain);
      out.closeSection();
    }
    EXPECT_FALSE(out.finish()) << sections;
  }
}

TEST_F(DataStreamTest, ReadsNeverPassTheirSection) {
  ASSERT_TRUE(writeSample(counting(8), counting(100)));
  kel::FileHandle file(path(), kel::FileHandle::READ);
  DataStreamReader in(file);
  ASSERT_NE(in.openSection(0x8000), nullptr);
  Bytes tooMuch(9, 0x55);
  EXPECT_FALSE(in.read(tooMuch));
  EXPECT_EQ(tooMuch, Bytes(9, 0));
  EXPECT_TRUE(in.failed());

  // A compressed body is read once, whole, and only at its own size; a second read is not a peek
  // at the next section.
  for (size_t asked : {size_t{99}, size_t{101}, size_t{100}}) {
    DataStreamReader again(file);
    ASSERT_NE(again.openSection(2), nullptr);
    Bytes body(asked);
    EXPECT_EQ(again.read(body), asked == 100) << asked;
    EXPECT_EQ(again.failed(), asked != 100) << asked;
    EXPECT_FALSE(again.read(body)) << asked;
  }
}

// Every cut of the file, and a flip of every byte, either reads back exactly what was written or
// fails; none of them reads outside the file (the sanitizers watch) or passes as good.
TEST_F(DataStreamTest, DamagedFilesFailCleanly) {
  const Bytes plain = counting(24);
  const Bytes packed = counting(3000);
  ASSERT_TRUE(writeSample(plain, packed));
  const Bytes good = fileBytes();
  auto readsBackWhole = [&](const Bytes& bytes) {
    setFileBytes(bytes);
    kel::FileHandle file(path(), kel::FileHandle::READ);
    DataStreamReader in(file);
    Bytes a(plain.size()), b(packed.size());
    const bool found =
        in.is("RBWC", 0) && in.openSection(0x8000) && in.read(a) && in.openSection(2) && in.read(b);
    return found && !in.failed() && a == plain && b == packed;
  };
  forEveryCut(good, [&](const Bytes& bad) { EXPECT_FALSE(readsBackWhole(bad)); });
  // Bytes the format carries without judging them: the header's reserved word, the revision
  // bytes (the format readers judge those), the plain body, and the gzip header's time stamp,
  // flags and system bytes.
  const size_t gzipStart = 12 + 24 + plain.size();
  forEachFlip(good, 0, good.size(), 1, 0x41, [&](const Bytes& bad, size_t at) {
    const bool unjudged = (at >= 8 && at < 12) || at == 14 || at == 26 ||
                          (at >= 36 && at < gzipStart) ||
                          (at >= gzipStart + 4 && at < gzipStart + 10);
    EXPECT_TRUE(!readsBackWhole(bad) || unjudged);
  });
}

TEST_F(DataStreamTest, DirectoryClaimsBeyondTheFileAreRefused) {
  const struct {
    const char* what;
    size_t at;
    Bytes value;
  } cases[] = {
      {"entry count far above what the file holds", 6, {0xFF, 0xFF}},
      {"body offset past the end", 16, {0xFF, 0xFF, 0xFF, 0x7F}},
      {"body size past the end", 20, {0x00, 0x00, 0x01, 0x00}},
      {"offset plus size wrapping 32 bits", 16, {0xFF, 0xFF, 0xFF, 0xFF}},
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
}

}  // namespace
}  // namespace saves_test
