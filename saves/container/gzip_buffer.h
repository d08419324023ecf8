#pragma once
// The two compression routines under the save container, also used to send packed map cells to a
// joining peer: one whole buffer deflated into one gzip stream, and one stream inflated into a
// buffer of known size. Pure functions; any thread.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The source as one gzip stream (zlib's default level, gzip wrapper). An empty source gives an
// empty result, as the container stores an empty compressed section with size 0. Nothing when
// zlib cannot start a stream. The output buffer starts at an eighth of the source and doubles
// whenever deflate fills it, so it never grows by small steps.
std::optional<std::vector<uint8_t>> gzipCompress(std::span<const uint8_t> source);

// Inflates a gzip or zlib stream into the destination. True only when the stream ends exactly
// where the destination is full: a short, damaged or overlong stream is a failure, and the
// destination's content is then unspecified. An empty source fills an empty destination.
bool gunzipBuffer(std::span<const uint8_t> source, std::span<uint8_t> destination);
