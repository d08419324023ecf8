#pragma once
// The crafting stations: which block (and which item standing for it) makes which station kind,
// with the texts and values the crafting view shows. Kind 0 is crafting by hand.

#include <array>
#include <cstdint>

struct CraftingStation {
  uint16_t nameText = 0;
  uint16_t blockId = 0;
  uint16_t itemId = 0;
  uint8_t kind = 0;
  float a = 1.0f;
  float b = 1.0f;
  uint32_t order = 0;
  uint32_t descriptionText = 0;
};

const std::array<CraftingStation, 16>& craftingStations();
// The row of the kind; the first row (by hand) for an unknown kind.
const CraftingStation& craftingStationByKind(uint8_t kind);
// The station kind of a block id, 0 for none.
uint8_t stationKindOfBlock(uint16_t blockId);
