#pragma once
// The mobs a released capsule may hold: rows of the mob table with a one-bit category mask. The
// table is authored in the content set as the catalogue's spawner category (436 rows) and copied
// into the content tables by the entity effect registration at start-up. A random capsule picks
// among them; a capsule that names its mob (a peer's held item can name anything) is honoured
// only for a row of this table.

#include <cstddef>
#include <cstdint>

constexpr size_t kSpawnableMobCount = 436;

struct SpawnableMob {
  uint32_t mobRow = 0;
  uint32_t categories = 0;  // one bit
};
