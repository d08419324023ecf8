// One gzip stream in, the same bytes out, zlib-wrapped streams too; a gzip stream cut short is
// refused. Bodies that compress well go through the container and world file tests.
#include "saves/container/gzip_buffer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

// Random bytes that deflate cannot shrink, so the output buffer must grow past its first guess.
TEST(GzipBufferRoundTrip, IncompressibleAndZlibBodiesComeBackWhole) {
  std::mt19937 random(5);
  std::vector<uint8_t> source(1 << 20);
  for (uint8_t& byte : source) byte = static_cast<uint8_t>(random());
  const std::optional<std::vector<uint8_t>> stream = gzipCompress(source);
  ASSERT_TRUE(stream);
  ASSERT_GE(stream->size(), 18u);  // the gzip header and trailer at least
  EXPECT_EQ((*stream)[0], 0x1F);
  EXPECT_EQ((*stream)[1], 0x8B);
  std::vector<uint8_t> back(source.size());
  ASSERT_TRUE(gunzipBuffer(*stream, back));
  EXPECT_EQ(back, source);
  EXPECT_FALSE(gunzipBuffer({stream->data(), stream->size() - 4}, back));  // no length word

  uLongf size = compressBound(static_cast<uLong>(source.size()));
  std::vector<uint8_t> zlibStream(size), fromZlib(source.size());
  ASSERT_EQ(compress(zlibStream.data(), &size, source.data(), static_cast<uLong>(source.size())),
            Z_OK);
  EXPECT_TRUE(gunzipBuffer({zlibStream.data(), size}, fromZlib));
  EXPECT_EQ(fromZlib, source);
  EXPECT_TRUE(gzipCompress({})->empty());
}

}  // namespace
