// The little-endian reader and writer that every file and message goes through.

#include <gtest/gtest.h>

#include <random>

#include "content/format/content_scrambler.h"
#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"

namespace {

TEST(ByteIo, FieldsRoundTripLittleEndian) {
  engine::ByteWriter w;
  w.u8(0xAB);
  w.u16(0x1234);
  w.i16(-2);
  w.u32(0xDEADBEEF);
  w.i32(-5);
  w.u64(0x0102030405060708ull);
  w.f32(1.5f);
  EXPECT_EQ(w.data()[1], 0x34);
  EXPECT_EQ(w.data()[2], 0x12);
  engine::ByteReader r(w.data());
  EXPECT_EQ(r.u8(), 0xAB);
  EXPECT_EQ(r.u16(), 0x1234);
  EXPECT_EQ(r.i16(), -2);
  EXPECT_EQ(r.u32(), 0xDEADBEEFu);
  EXPECT_EQ(r.i32(), -5);
  EXPECT_EQ(r.u64(), 0x0102030405060708ull);
  EXPECT_FLOAT_EQ(r.f32(), 1.5f);
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.remaining(), 0u);
}

TEST(ByteIo, ReadingPastTheEndGivesZeroAndAStickyErrorAndHugeLengthsDoNotWrap) {
  const uint8_t bytes[] = {1, 2, 3};
  engine::ByteReader r(bytes, sizeof bytes);
  EXPECT_EQ(r.u16(), 0x0201);
  EXPECT_EQ(r.u16(), 0) << "only one byte is left";
  EXPECT_TRUE(r.failed());
  EXPECT_EQ(r.u8(), 0) << "the error sticks although a byte is left";
  uint8_t out[4] = {9, 9, 9, 9};
  EXPECT_FALSE(r.bytes(out, 4));
  EXPECT_EQ(out[0], 0);
  EXPECT_TRUE(r.take(1).empty());
  engine::ByteReader huge(bytes, sizeof bytes);
  huge.u8();
  EXPECT_FALSE(huge.skip(SIZE_MAX));
  EXPECT_TRUE(huge.failed());
}

TEST(ByteIo, AlignmentCountsFromTheStartAndPatchingStaysInsideTheWrittenBytes) {
  const uint8_t bytes[8] = {};
  engine::ByteReader r(bytes, sizeof bytes);
  r.u8();
  EXPECT_TRUE(r.alignTo(4));
  EXPECT_TRUE(r.alignTo(4));
  EXPECT_EQ(r.position(), 4u);
  r.u8();
  EXPECT_FALSE(r.alignTo(16)) << "the padding is not there";
  engine::ByteWriter w;
  w.u8(1);
  w.alignTo(4);
  EXPECT_EQ(w.size(), 4u);
  w.patchU32(0, 0x01020304);
  EXPECT_EQ(w.data()[0], 0x04);
  EXPECT_THROW(w.patchU32(1, 0), std::out_of_range);
  EXPECT_THROW(w.patchU32(SIZE_MAX, 0), std::out_of_range);
}

// The scrambler applies the keys a run at a time; the file format is the plain per-byte rule:
// XOR with both keys, each position advancing and wrapping on its own.
TEST(Scrambler, RunsMatchThePerByteRuleOnRandomDataAndChunks) {
  std::mt19937 random(11);
  std::vector<uint8_t> data(5000);
  for (uint8_t& byte : data) byte = static_cast<uint8_t>(random());
  std::vector<uint8_t> expected = data;
  size_t p22 = 0, p30 = 0;
  for (uint8_t& byte : expected) {
    byte = static_cast<uint8_t>(byte ^ content::kKey22[p22] ^ content::kKey30[p30]);
    p22 = (p22 + 1) % content::kKey22Size;
    p30 = (p30 + 1) % content::kKey30Size;
  }
  content::ContentScrambler scrambler;
  for (size_t at = 0; at < data.size();) {
    const size_t chunk = std::min<size_t>(random() % 700, data.size() - at);
    scrambler.apply(data.data() + at, chunk);
    at += chunk;
  }
  EXPECT_EQ(data, expected);
}

}  // namespace
