// Words written in one call come out as the same little-endian bytes as written one at a time.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/io/byte_writer.h"

namespace {

TEST(ByteWriterTest, WordsWrittenTogetherAreTheBytesOfWordsWrittenOneByOne) {
  const std::vector<uint32_t> words = {0x04030201u, 0xFFFFFFFFu, 0u, 0x80000001u, 0x00A0B0C0u};
  engine::ByteWriter together;
  together.u8(0x7F);  // an odd start: the words need no alignment
  together.u32s(words);
  together.u32s({});
  engine::ByteWriter oneByOne;
  oneByOne.u8(0x7F);
  for (uint32_t word : words) oneByOne.u32(word);
  const std::vector<uint8_t> bytes = together.release();
  EXPECT_EQ(bytes, oneByOne.release());
  ASSERT_EQ(bytes.size(), 21u);
  EXPECT_EQ(bytes[1], 0x01);
  EXPECT_EQ(bytes[4], 0x04);
}

}  // namespace
