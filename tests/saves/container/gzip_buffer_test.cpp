// One gzip stream in, the same bytes out, whatever the source compresses to: bodies that shrink
// to almost nothing, that do not shrink at all (the output buffer doubles past its first guess),
// and those in between; zlib-wrapped streams too, and a gzip stream cut short is refused.
#include "saves/container/gzip_buffer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

TEST(GzipBufferRoundTrip, EveryKindOfBodyComesBackWhole) {
  std::mt19937 random(5);
  const struct {
    const char* what;
    size_t size;
    int distinct;  // 1: all one byte; 256: random bytes that deflate cannot shrink
  } cases[] = {{"one byte", 1, 256},       {"zeros", 3 << 20, 1},       {"random", 1 << 20, 256},
               {"few values", 2 << 20, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> source(c.size);
    for (uint8_t& byte : source) byte = static_cast<uint8_t>(random() % static_cast<unsigned>(c.distinct));
    const std::optional<std::vector<uint8_t>> stream = gzipCompress(source);
    ASSERT_TRUE(stream);
    ASSERT_GE(stream->size(), 18u);  // the gzip header and trailer at least
    EXPECT_EQ((*stream)[0], 0x1F);
    EXPECT_EQ((*stream)[1], 0x8B);
    std::vector<uint8_t> back(source.size());
    ASSERT_TRUE(gunzipBuffer(*stream, back));
    EXPECT_EQ(back, source);
    EXPECT_FALSE(gunzipBuffer({stream->data(), stream->size() - 4}, back));  // no length word

    uLongf size = compressBound(static_cast<uLong>(c.size));
    std::vector<uint8_t> zlibStream(size), fromZlib(c.size);
    ASSERT_EQ(compress(zlibStream.data(), &size, source.data(), static_cast<uLong>(c.size)), Z_OK);
    EXPECT_TRUE(gunzipBuffer({zlibStream.data(), size}, fromZlib));
    EXPECT_EQ(fromZlib, source);
  }
  EXPECT_TRUE(gzipCompress({})->empty());
}

}  // namespace
