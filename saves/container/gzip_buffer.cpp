#include "saves/container/gzip_buffer.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace {

// 15 window bits plus 16: write the gzip wrapper.
constexpr int kGzipWindowBits = 31;
// 15 window bits plus 32: accept either a gzip or a zlib wrapper.
constexpr int kAutoWindowBits = 47;
constexpr int kMemoryLevel = 8;
// zlib counts in uInt; larger buffers would need chunking that no save comes close to.
constexpr size_t kMaxChunk = std::numeric_limits<uInt>::max();
constexpr size_t kFirstOutputBytes = 64 * 1024;

}  // namespace

std::optional<std::vector<uint8_t>> gzipCompress(std::span<const uint8_t> source) {
  if (source.empty()) return std::vector<uint8_t>();
  if (source.size() > kMaxChunk) return std::nullopt;
  z_stream stream{};
  if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kGzipWindowBits, kMemoryLevel,
                   Z_DEFAULT_STRATEGY) != Z_OK) {
    return std::nullopt;
  }
  // Save bodies compress well (a world's cells to a sixteenth or less), so the buffer starts at an
  // eighth of the source and doubles when deflate fills it: a large body is never regrown in small
  // steps, and never costs a second copy of itself at full size. The bound caps the start, since
  // the stream never exceeds it.
  const size_t bound = deflateBound(&stream, static_cast<uLong>(source.size()));
  std::vector<uint8_t> out(std::min(bound, std::max(source.size() / 8, kFirstOutputBytes)));
  stream.next_in = const_cast<Bytef*>(source.data());
  stream.avail_in = static_cast<uInt>(source.size());
  int status = Z_OK;
  while (status == Z_OK) {
    if (stream.total_out == out.size()) out.resize(out.size() * 2);
    stream.next_out = out.data() + stream.total_out;
    stream.avail_out = static_cast<uInt>(out.size() - stream.total_out);
    status = deflate(&stream, Z_FINISH);
  }
  const size_t written = stream.total_out;
  deflateEnd(&stream);
  if (status != Z_STREAM_END) return std::nullopt;
  out.resize(written);
  return out;
}

bool gunzipBuffer(std::span<const uint8_t> source, std::span<uint8_t> destination) {
  if (source.empty()) return destination.empty();
  if (source.size() > kMaxChunk || destination.size() > kMaxChunk) return false;
  z_stream stream{};
  if (inflateInit2(&stream, kAutoWindowBits) != Z_OK) return false;
  stream.next_in = const_cast<Bytef*>(source.data());
  stream.avail_in = static_cast<uInt>(source.size());
  // One call with the whole destination: a stream that needs more room, or runs out of input
  // before its end, stops short of Z_STREAM_END and fails.
  stream.next_out = destination.data();
  stream.avail_out = static_cast<uInt>(destination.size());
  const int status = inflate(&stream, Z_FINISH);
  const bool whole = status == Z_STREAM_END && stream.total_out == destination.size();
  inflateEnd(&stream);
  return whole;
}
