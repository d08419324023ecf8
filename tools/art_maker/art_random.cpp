#include "tools/art_maker/art_random.h"

#include "engine/base/random.h"

namespace artmaker {

uint32_t artSeed(std::string_view name, uint32_t a, uint32_t b) {
  uint32_t hash = 2166136261u;  // FNV-1a over the name, then the numbers
  auto mixByte = [&hash](uint8_t byte) {
    hash ^= byte;
    hash *= 16777619u;
  };
  for (char c : name) mixByte(static_cast<uint8_t>(c));
  for (uint32_t value : {a, b}) {
    for (int i = 0; i < 4; ++i) mixByte(static_cast<uint8_t>(value >> (8 * i)));
  }
  return hash;
}

ArtRandom::ArtRandom(uint32_t seed) { engine::randomSeed(seed); }

int ArtRandom::below(int n) {
  if (n <= 0) return 0;
  // Two draws give 30 bits, enough for any atlas coordinate without the bias of one 15-bit draw.
  const uint32_t wide = (uint32_t(engine::randomNext()) << 15) | uint32_t(engine::randomNext());
  return static_cast<int>(wide % uint32_t(n));
}

int ArtRandom::between(int lo, int hi) { return hi <= lo ? lo : lo + below(hi - lo + 1); }

float ArtRandom::unit() { return float(engine::randomNext()) / float(engine::RANDOM_MAX); }

bool ArtRandom::chance(float p) { return unit() < p; }

}  // namespace artmaker
