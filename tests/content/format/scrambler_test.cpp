#include <gtest/gtest.h>

#include <random>

#include "content/format/content_scrambler.h"

namespace {

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
