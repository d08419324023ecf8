// The save container: its bytes as other copies of the game expect them, round trips of plain and
// compressed sections, and damaged files that must fail cleanly.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/file_handle.h"
#include "saves/container/data_stream_reader.h"
#include "saves/container/data_stream_writer.h"
#include "saves/container/gzip_buffer.h"
#include "tests/support/temp_dir.h"

namespace {

using Bytes = std::vector<uint8_t>;

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

Bytes counting(size_t size) {
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + i / 256);
  return bytes;
}

void appendU32(Bytes& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

TEST_F(DataStreamTest, HeaderDirectoryAndPlainBodyAreByteExact) {
  const Bytes plain = {0xAA, 0xBB, 0xCC};
  const Bytes packed = counting(1000);
  ASSERT_TRUE(writeSample(plain, packed));
  const Bytes file = fileBytes();

  Bytes expected = {'R', 'B', 'W', 'C', 0, 0, 2, 0, 0, 0, 0, 0};
  // Section 0x8000, revision 0, plain, at 12 + 24 = 36, three bytes.
  expected.insert(expected.end(), {0x00, 0x80, 0, 0});
  appendU32(expected, 36);
  appendU32(expected, 3);
  // Section 2, revision 1, gzip, right behind the plain body; its size is the rest of the file.
  expected.insert(expected.end(), {0x02, 0x00, 1, 1});
  appendU32(expected, 39);
  appendU32(expected, static_cast<uint32_t>(file.size() - 39));
  expected.insert(expected.end(), plain.begin(), plain.end());
  ASSERT_GT(file.size(), expected.size());
  EXPECT_EQ(Bytes(file.begin(), file.begin() + static_cast<long>(expected.size())), expected);
  // The compressed body is a gzip stream (magic 1f 8b, deflate), not a bare zlib one.
  EXPECT_EQ(file[39], 0x1f);
  EXPECT_EQ(file[40], 0x8b);
  EXPECT_EQ(file[41], 0x08);
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
  EXPECT_TRUE(in.read(first));
  EXPECT_TRUE(in.read(second));
  first.insert(first.end(), second.begin(), second.end());
  EXPECT_EQ(first, plain);

  EXPECT_EQ(in.openSection(7), nullptr);  // optional sections are simply absent
  EXPECT_FALSE(in.failed());
}

TEST_F(DataStreamTest, EmptySectionsAndDuplicateIds) {
  {
    kel::FileHandle file(path(), kel::FileHandle::READ_WRITE_NEW);
    DataStreamWriter out(file, "RBWM", 1, 4);
    out.openSection(5, 0, SectionStorage::Plain);
    out.closeSection();
    out.openSection(6, 0, SectionStorage::Gzip);
    out.closeSection();
    out.openSection(9, 0, SectionStorage::Plain);
    out.body().u8(1);
    out.closeSection();
    out.openSection(9, 0, SectionStorage::Plain);
    out.body().u8(2);
    out.closeSection();
    ASSERT_TRUE(out.finish());
  }
  kel::FileHandle file(path(), kel::FileHandle::READ);
  DataStreamReader in(file);
  ASSERT_TRUE(in.is("RBWM", 1));
  const SectionEntry* plain = in.openSection(5);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->size, 0u);
  const SectionEntry* packed = in.openSection(6);
  ASSERT_NE(packed, nullptr);
  EXPECT_EQ(packed->size, 0u);
  EXPECT_TRUE(in.read({}));
  ASSERT_NE(in.openSection(9), nullptr);
  uint8_t value = 0;
  EXPECT_TRUE(in.read({&value, 1}));
  EXPECT_EQ(value, 1);  // the first entry of an id wins
  EXPECT_FALSE(in.failed());
}

TEST_F(DataStreamTest, WriterFailuresAreReported) {
  kel::FileHandle closed;
  DataStreamWriter noFile(closed, "RBWC", 0, 1);
  noFile.openSection(1, 0, SectionStorage::Plain);
  noFile.closeSection();
  EXPECT_FALSE(noFile.finish());

  kel::FileHandle file(path(), kel::FileHandle::READ_WRITE_NEW);
  DataStreamWriter tooMany(file, "RBWC", 0, 1);
  for (uint16_t id : {1, 2}) {
    tooMany.openSection(id, 0, SectionStorage::Plain);
    tooMany.closeSection();
  }
  EXPECT_FALSE(tooMany.finish());
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

  // A compressed body is read once, whole; a second read is not a peek at the next section.
  DataStreamReader again(file);
  ASSERT_NE(again.openSection(2), nullptr);
  Bytes body(100);
  EXPECT_TRUE(again.read(body));
  EXPECT_FALSE(again.read(body));
}

TEST_F(DataStreamTest, CompressedBodyOfTheWrongSizeFails) {
  const Bytes packed = counting(500);
  ASSERT_TRUE(writeSample({}, packed));
  for (size_t asked : {size_t{499}, size_t{501}}) {
    kel::FileHandle file(path(), kel::FileHandle::READ);
    DataStreamReader in(file);
    ASSERT_NE(in.openSection(2), nullptr);
    Bytes out(asked);
    EXPECT_FALSE(in.read(out)) << asked;
    EXPECT_TRUE(in.failed()) << asked;
  }
}

// Every cut of the file, and a flip of every byte, either reads back exactly what was written or
// fails; none of them reads outside the file (the sanitizers watch) or passes as good.
TEST_F(DataStreamTest, DamagedFilesFailCleanly) {
  const Bytes plain = counting(24);
  const Bytes packed = counting(3000);
  ASSERT_TRUE(writeSample(plain, packed));
  const Bytes good = fileBytes();

  auto readsBackWhole = [&] {
    kel::FileHandle file(path(), kel::FileHandle::READ);
    DataStreamReader in(file);
    Bytes a(plain.size()), b(packed.size());
    const bool found =
        in.is("RBWC", 0) && in.openSection(0x8000) && in.read(a) && in.openSection(2) && in.read(b);
    return found && !in.failed() && a == plain && b == packed;
  };

  for (size_t cut = 0; cut < good.size(); ++cut) {
    setFileBytes(Bytes(good.begin(), good.begin() + static_cast<long>(cut)));
    EXPECT_FALSE(readsBackWhole()) << "cut at " << cut;
  }
  // Bytes the format carries without judging them: the header's reserved word, the revision
  // bytes (the format readers judge those), the plain body, and the gzip header's time stamp,
  // flags and system bytes.
  const size_t gzipStart = 12 + 24 + plain.size();
  auto unjudged = [&](size_t at) {
    return (at >= 8 && at < 12) || at == 14 || at == 26 || (at >= 36 && at < gzipStart) ||
           (at >= gzipStart + 4 && at < gzipStart + 10);
  };
  for (size_t at = 0; at < good.size(); ++at) {
    Bytes flipped = good;
    flipped[at] ^= 0x41;
    setFileBytes(flipped);
    const bool passed = readsBackWhole();
    if (!unjudged(at)) {
      EXPECT_FALSE(passed) << "flip at " << at;
    }
  }
}

TEST_F(DataStreamTest, DirectoryClaimsBeyondTheFileAreRefused) {
  struct Case {
    const char* what;
    size_t at;
    Bytes value;
  };
  const Case cases[] = {
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
  for (const Case& c : cases) {
    Bytes bad = good;
    std::memcpy(bad.data() + c.at, c.value.data(), c.value.size());
    setFileBytes(bad);
    kel::FileHandle file(path(), kel::FileHandle::READ);
    DataStreamReader in(file);
    EXPECT_TRUE(in.failed()) << c.what;
  }
}

TEST(GzipBufferTest, ZlibWrappedStreamsAreAcceptedToo) {
  const Bytes source = counting(2000);
  uLongf size = compressBound(static_cast<uLong>(source.size()));
  Bytes zlibStream(size);
  ASSERT_EQ(compress(zlibStream.data(), &size, source.data(), static_cast<uLong>(source.size())),
            Z_OK);
  zlibStream.resize(size);
  Bytes out(source.size());
  EXPECT_TRUE(gunzipBuffer(zlibStream, out));
  EXPECT_EQ(out, source);

  const std::optional<Bytes> gzip = gzipCompress(source);
  ASSERT_TRUE(gzip.has_value());
  Bytes cut(gzip->begin(), gzip->end() - 4);  // the trailer's length word is missing
  EXPECT_FALSE(gunzipBuffer(cut, out));
  EXPECT_TRUE(gzipCompress({})->empty());
}

}  // namespace
