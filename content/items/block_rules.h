#pragma once
// Small constant tables about blocks that the rules, the world generator and the views consult:
// side variants of placed blocks, replacement blocks by layer, planet surface rules, surface
// decorations, coloured and special blocks, block tiers and block groups.

#include <cstdint>
#include <vector>

#include "content/items/map_cell.h"

// An item that places a different block on each of three sides.
struct SideVariantRule {
  uint16_t itemId;
  uint16_t blocks[3];  // side 0, side 1, side 2
};

struct SideLookup {
  int side = 0;
  const SideVariantRule* rule = nullptr;  // null: the block has no side variants
};

constexpr uint32_t NO_SECOND_PLANET = 0xFFFFFFFF;

// The link table between planets: for each planet reachable from another, the link block an
// adventure world holds (blockA, in the upper `share` of its ground) and the block that frames an
// arrival from it (blockB).
struct PlanetLinkRule {
  uint32_t planetBit;
  uint32_t secondPlanetBit;  // NO_SECOND_PLANET for none
  uint16_t value;
  uint16_t blockA;
  uint16_t blockB;
  uint16_t depth = 12;
  uint32_t reserved = 0;
  float share = 0.6f;
};

struct ColoredBlock {
  uint16_t blockId;
  uint16_t secondId;
  uint32_t rgb;
};

// The side and row of the first side-variant rule that places the block (sides compared in the
// order 0, 2, 1); side 0 and no rule when none does.
SideLookup lookupBlockRule(uint16_t blockId);
// 14 for layer 2; else the block that replaces the cell's front block on that layer, 0 for none.
uint16_t blockCategory(uint8_t layer, const CellInfo& cell);
// The link rows of a planet, in table order.
std::vector<const PlanetLinkRule*> rowsForKind(uint32_t planetBit);
// The decoration block grown on a surface block, 0 for none.
uint16_t itemValueFromTable(uint16_t blockId);
// The coloured blocks with their colours.
const std::vector<ColoredBlock>& coloredBlocks();
bool isSpecialPlaceable(uint16_t id);
bool isSpecialBlockId(uint16_t id);
// 1..15 for the tier blocks 35 + 64k, 3 for every other block.
int blockTier(uint16_t id);
// Both cells' front blocks belong to the same block group.
bool sameBlockGroup(const CellInfo& a, const CellInfo& b);
