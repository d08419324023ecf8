#pragma once
// The two compression routines under the save container, also used to send packed map cells to a
// joining peer: one whole buffer deflated into one gzip stream, and one stream inflated into a
// buffer of known size. Both work on whole buffers in one call (no streaming state), which is
// what makes them several times faster than a stream-at-a-time deflate. Pure functions; any
// thread.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The source as one gzip stream at compression level 6 (the default level of common gzip tools),
// which any gzip reader inflates. An empty source gives an empty result, as the container stores
// an empty compressed section with size 0. Nothing when the compressor cannot be made. Only the
// stream's own size stays resident: the worst-case room is reserved but never touched beyond
// what the stream fills.
std::optional<std::vector<uint8_t>> gzipCompress(std::span<const uint8_t> source);

// Inflates a gzip or zlib stream into the destination. True only when the stream ends exactly
// where the destination is full and its check value and recorded size agree: a short, damaged or
// overlong stream is a failure, and the destination's content is then unspecified. The
// destination's size is the caller's, never one read from the stream. An empty source fills an
// empty destination.
bool gunzipBuffer(std::span<const uint8_t> source, std::span<uint8_t> destination);
