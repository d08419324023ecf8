#pragma once
// One entry of the portal list that links portals of one frame kind across the planets of a game:
// the planet it stands on, the planet it leads to, its cell (0xFFFF, 0xFFFF for no place) and the
// cell of its partner packed as two u16. Sixteen bytes on disk.

#include <cstdint>

struct PortalRecord {
  static constexpr uint16_t kNoPlace = 0xFFFF;

  uint32_t planet = 0;
  uint32_t target = 0;
  uint16_t x = kNoPlace;
  uint16_t y = kNoPlace;
  uint32_t link = 0;
};
