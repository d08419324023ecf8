#pragma once
// The mobs a released capsule may hold: rows of the mob table with a one-bit category mask. The
// table is authored in the content set (436 rows); a random capsule picks among them, and a
// capsule that names its mob (a peer's held item can name anything) is honoured only for a row of
// this table.

#include <cstdint>

struct SpawnableMob {
  uint32_t mobRow = 0;
  uint32_t categories = 0;  // one bit
};
