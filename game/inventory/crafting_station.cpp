#include "game/inventory/crafting_station.h"

const std::array<CraftingStation, 16>& craftingStations() {
  static const std::array<CraftingStation, 16> rows{{
      {204, 0, 65535, 0, 1.0f, 1.0f, 0, 220},     {207, 32, 24, 1, 229.0f, 1.0f, 6, 223},
      {208, 34, 152, 2, 873.0f, 250.0f, 3, 224},  {209, 35, 216, 3, 949.0f, 126.0f, 8, 225},
      {210, 38, 408, 4, 837.0f, 1.0f, 11, 226},   {211, 43, 1304, 5, 798.0f, 374.0f, 17, 227},
      {219, 46, 1688, 6, 798.0f, 250.0f, 19, 235}, {212, 47, 1240, 7, 457.0f, 1.0f, 16, 228},
      {213, 39, 472, 8, 761.0f, 1.0f, 12, 229},   {214, 40, 536, 9, 609.0f, 1.0f, 14, 230},
      {215, 41, 600, 10, 685.0f, 1.0f, 13, 231},  {216, 42, 664, 11, 533.0f, 1.0f, 15, 232},
      {217, 36, 280, 12, 873.0f, 126.0f, 9, 233}, {218, 37, 344, 13, 913.0f, 1.0f, 10, 234},
      {205, 33, 88, 14, 305.0f, 1.0f, 0, 221},    {206, 45, 1368, 15, 798.0f, 126.0f, 0, 222},
  }};
  return rows;
}

const CraftingStation& craftingStationByKind(uint8_t kind) {
  for (const CraftingStation& row : craftingStations()) {
    if (row.kind == kind) return row;
  }
  return craftingStations()[0];
}

uint8_t stationKindOfBlock(uint16_t blockId) {
  for (const CraftingStation& row : craftingStations()) {
    if (row.blockId == (blockId & 0xFFF)) return row.kind;
  }
  return craftingStations()[0].kind;
}
