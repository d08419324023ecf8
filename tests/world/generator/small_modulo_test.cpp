#include "world/generator/small_modulo.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Every draw of the game's generator (and more) against every variant count a block can have.
TEST(SmallModulo, MatchesTheRemainderForEveryDrawAndVariantCount) {
  for (uint32_t d = 1; d <= 255; ++d) {
    const SmallModulo mod(d);
    for (uint32_t x = 0; x < 65536; ++x) {
      if (mod.of(x) != x % d) FAIL() << x << " % " << d << " gave " << mod.of(x);
    }
  }
}

TEST(SmallModulo, HoldsForTheLargestOperands) {
  for (uint32_t d : {256u, 1000u, 32767u, 32768u, 65521u, 65535u}) {
    const SmallModulo mod(d);
    for (uint32_t x : {0u, 1u, d - 1, d, d + 1, 32767u, 65534u, 65535u}) EXPECT_EQ(mod.of(x), x % d) << x << " % " << d;
  }
}

}  // namespace
