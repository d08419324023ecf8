// One gzip stream in, the same bytes out: streams the saves write are ones zlib reads, and
// streams zlib wrote (every save made so far, and zlib-wrapped ones) read back. Damaged, short,
// overlong and mismatched streams are refused. Bodies that compress well go through the container
// and world file tests.
#include "saves/container/gzip_buffer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <functional>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// Random bytes that deflate cannot shrink, then runs that it can.
Bytes sampleBody() {
  std::mt19937 random(5);
  Bytes source(1 << 20);
  for (size_t i = 0; i < source.size(); ++i) {
    source[i] = i < source.size() / 2 ? static_cast<uint8_t>(random()) : static_cast<uint8_t>(i / 97);
  }
  return source;
}

// What any gzip reader does: zlib's inflate with the gzip wrapper only, in one call.
bool zlibGunzip(const Bytes& stream, Bytes& out) {
  z_stream inflater{};
  if (inflateInit2(&inflater, 31) != Z_OK) return false;
  inflater.next_in = const_cast<Bytef*>(stream.data());
  inflater.avail_in = static_cast<uInt>(stream.size());
  inflater.next_out = out.data();
  inflater.avail_out = static_cast<uInt>(out.size());
  const int status = inflate(&inflater, Z_FINISH);
  const bool whole = status == Z_STREAM_END && inflater.total_out == out.size();
  inflateEnd(&inflater);
  return whole;
}

// zlib's own stream at its default level, gzip (31) or zlib (15) wrapped.
Bytes zlibDeflate(const Bytes& source, int windowBits) {
  z_stream deflater{};
  deflateInit2(&deflater, Z_DEFAULT_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
  Bytes out(deflateBound(&deflater, static_cast<uLong>(source.size())));
  deflater.next_in = const_cast<Bytef*>(source.data());
  deflater.avail_in = static_cast<uInt>(source.size());
  deflater.next_out = out.data();
  deflater.avail_out = static_cast<uInt>(out.size());
  deflate(&deflater, Z_FINISH);
  out.resize(deflater.total_out);
  deflateEnd(&deflater);
  return out;
}

TEST(GzipBufferRoundTrip, StreamsWrittenHereAndByZlibComeBackWhole) {
  const Bytes source = sampleBody();
  const std::optional<Bytes> stream = gzipCompress(source);
  ASSERT_TRUE(stream);
  ASSERT_GE(stream->size(), 18u);  // the gzip header and trailer at least
  EXPECT_EQ((*stream)[0], 0x1F);
  EXPECT_EQ((*stream)[1], 0x8B);
  EXPECT_LT(stream->size(), source.size() * 3 / 4);  // the compressible half shrank

  Bytes back(source.size());
  ASSERT_TRUE(gunzipBuffer(*stream, back));
  EXPECT_EQ(back, source);
  Bytes byZlib(source.size());
  ASSERT_TRUE(zlibGunzip(*stream, byZlib));
  EXPECT_EQ(byZlib, source);

  for (int windowBits : {31, 15}) {
    SCOPED_TRACE(windowBits);
    Bytes fromZlib(source.size());
    EXPECT_TRUE(gunzipBuffer(zlibDeflate(source, windowBits), fromZlib));
    EXPECT_EQ(fromZlib, source);
  }
  EXPECT_TRUE(gzipCompress({})->empty());
  EXPECT_TRUE(gunzipBuffer({}, {}));
}

// Each damage to a good stream, and destinations that do not match it, fail without reading or
// writing outside the buffers (the sanitizers watch).
TEST(GzipBufferRoundTrip, DamagedOrMismatchedStreamsAreRefused) {
  const Bytes source = sampleBody();
  const Bytes good = *gzipCompress(source);
  auto flip = [](size_t at) { return [at](Bytes& s) { s[at] ^= 0x5A; }; };
  const struct {
    const char* what;
    std::function<void(Bytes&)> damage;
    size_t destination;
  } cases[] = {
      {"no length word", [](Bytes& s) { s.resize(s.size() - 4); }, source.size()},
      {"cut in the middle", [](Bytes& s) { s.resize(s.size() / 2); }, source.size()},
      {"only the header", [](Bytes& s) { s.resize(10); }, source.size()},
      {"a flipped byte in the body", flip(good.size() / 2), source.size()},
      {"a flipped check value", flip(good.size() - 8), source.size()},
      {"a flipped recorded size", flip(good.size() - 4), source.size()},
      {"a broken magic", flip(1), source.size()},
      {"a destination one byte short", [](Bytes&) {}, source.size() - 1},
      {"a destination one byte long", [](Bytes&) {}, source.size() + 1},
      {"an empty destination", [](Bytes&) {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes stream = good;
    c.damage(stream);
    Bytes out(c.destination);
    EXPECT_FALSE(gunzipBuffer(stream, out));
  }
  Bytes out(1);
  EXPECT_FALSE(gunzipBuffer({}, out));  // nothing cannot fill a destination
}

}  // namespace
