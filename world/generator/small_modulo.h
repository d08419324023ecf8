#pragma once
// x % d for x and d below 2^16 (d at least 1) with two multiplications instead of a division: the
// low 32 bits of x * ceil(2^32 / d), times d, keep the high 32 bits (Lemire's method, exact for
// every such x and d). The noise map draws two block variants for most of its two million cells,
// and a division each made up a large share of that loop.

#include <cstdint>

class SmallModulo {
 public:
  explicit SmallModulo(uint32_t divisor) : divisor_(divisor), factor_(UINT32_C(0xFFFFFFFF) / divisor + 1) {}
  uint32_t of(uint32_t x) const {
    const uint32_t low = factor_ * x;
    return static_cast<uint32_t>((static_cast<uint64_t>(low) * divisor_) >> 32);
  }

 private:
  uint32_t divisor_;
  uint32_t factor_;  // 0 for a divisor of 1, so every remainder is 0
};
