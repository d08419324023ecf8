#include "content/format/content_scrambler.h"

namespace content {

namespace {
template <size_t N>
constexpr std::array<uint8_t, N - 1> keyBytes(const char (&text)[N]) {
  std::array<uint8_t, N - 1> out{};
  for (size_t i = 0; i + 1 < N; ++i) out[i] = static_cast<uint8_t>(text[i]);
  return out;
}
}  // namespace

// Printable ASCII, stored whole; the file is scrambled with exactly these bytes.
const std::array<uint8_t, kKey22Size> kKey22 = keyBytes("Moor-peat&rubble#22key");
const std::array<uint8_t, kKey30Size> kKey30 = keyBytes("Dig*deep;the_stones_remember!3");

void ContentScrambler::apply(uint8_t* bytes, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    bytes[i] = static_cast<uint8_t>(bytes[i] ^ kKey22[p22_] ^ kKey30[p30_]);
    if (++p30_ == kKey30Size) p30_ = 0;
    if (++p22_ == kKey22Size) p22_ = 0;
  }
}

}  // namespace content
