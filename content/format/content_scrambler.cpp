#include "content/format/content_scrambler.h"

#include <algorithm>

namespace content {

namespace {
template <size_t N>
constexpr std::array<uint8_t, N - 1> keyBytes(const char (&text)[N]) {
  std::array<uint8_t, N - 1> out{};
  for (size_t i = 0; i + 1 < N; ++i) out[i] = static_cast<uint8_t>(text[i]);
  return out;
}

static_assert(kKeystreamPeriod % kKey22Size == 0 && kKeystreamPeriod % kKey30Size == 0);

// key22[i mod 22] XOR key30[i mod 30] over one period.
std::array<uint8_t, kKeystreamPeriod> makeKeystream() {
  std::array<uint8_t, kKeystreamPeriod> out{};
  for (size_t i = 0; i < kKeystreamPeriod; ++i) {
    out[i] = static_cast<uint8_t>(kKey22[i % kKey22Size] ^ kKey30[i % kKey30Size]);
  }
  return out;
}

const std::array<uint8_t, kKeystreamPeriod>& keystream() {
  static const std::array<uint8_t, kKeystreamPeriod> stream = makeKeystream();
  return stream;
}

}  // namespace

// Printable ASCII, stored whole; the file is scrambled with exactly these bytes.
const std::array<uint8_t, kKey22Size> kKey22 = keyBytes("Moor-peat&rubble#22key");
const std::array<uint8_t, kKey30Size> kKey30 = keyBytes("Dig*deep;the_stones_remember!3");

void ContentScrambler::apply(uint8_t* bytes, size_t length) {
  const uint8_t* stream = keystream().data();
  while (length > 0) {
    // The rest of the period, or less: a plain XOR of two byte runs, which vectorises.
    const size_t run = std::min(length, kKeystreamPeriod - position_);
    const uint8_t* key = stream + position_;
    for (size_t i = 0; i < run; ++i) bytes[i] = static_cast<uint8_t>(bytes[i] ^ key[i]);
    bytes += run;
    length -= run;
    position_ = (position_ + run) % kKeystreamPeriod;
  }
}

}  // namespace content
