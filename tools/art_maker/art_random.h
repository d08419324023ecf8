#pragma once
// Seeded randomness for the art: each drawing seeds the game's one generator with a seed made from
// what it draws (atlas, id, variant), so a picture never depends on what was drawn before it and the
// same sources always give the same bytes.

#include <cstdint>
#include <string_view>

namespace artmaker {

// A stable seed from a name and up to two numbers.
uint32_t artSeed(std::string_view name, uint32_t a = 0, uint32_t b = 0);

class ArtRandom {
 public:
  explicit ArtRandom(uint32_t seed);
  int below(int n);              // 0..n-1 (0 when n <= 0)
  int between(int lo, int hi);   // lo..hi inclusive
  float unit();                  // 0..1
  bool chance(float p);
};

}  // namespace artmaker
