#pragma once
// The blasting charge as it hangs on a block's face: a decoration, swapped for its lit state when a
// light in a player's hand reaches its fuse, which the world's explosions then burst.

#include <cstdint>

namespace fuse_block {

constexpr uint16_t kCharge = 239;
constexpr uint16_t kLit = 191;

}  // namespace fuse_block
