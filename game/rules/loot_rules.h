#pragma once
// What a block leaves behind when it goes: its loot table, the loot of the decorations attached to
// it, and the part of a circuit component. A table either picks one entry by weight or rolls every
// entry against its chance; rolled chances are scaled by the difficulty's factor for their size.
// Drops are handed to the rules (`Logic::spawnItemDrop`) at the cell's pixel position, so a host's
// drops reach its peers. Nothing drops in a creative world.
//
// Main thread only.

#include <cstddef>
#include <cstdint>

#include "engine/base/geometry.h"

class Logic;
class MapBlock;
class World;
struct DifficultyRow;
struct LootTable;

namespace loot {
constexpr uint8_t kDropKind = 7;
constexpr uint16_t kConnectorExtraItem = 1616;
constexpr size_t kThresholdCount = 6;
// The chance sizes whose factors a difficulty row gives, smallest first.
constexpr float kThresholds[kThresholdCount] = {0.02f, 0.05f, 0.1f, 0.25f, 0.5f, 1.0f};
// Where a row keeps its six factors, and its level byte.
constexpr size_t kFactorOffset = 20;
constexpr size_t kLevelOffset = 84;
}  // namespace loot

// The factor for a rolled chance: the row's factor of the first threshold above the chance, its
// last factor when none is; 1 without a row. A switched difficulty above level 2 gives no bonus.
float lootChanceFactor(const DifficultyRow* row, float chance, bool switchedRecently);

// Every item the table gives, dropped at the position.
void dropLoot(Logic& rules, const LootTable& table, engine::Vec2 at, const DifficultyRow* row, float multiplier = 1.0f);
// `Logic::dropBlockLoot`: the block's (or decoration's) own table.
void dropBlockLoot(World& world, Logic& rules, MapBlock& cell, uint16_t blockId, const DifficultyRow* row);
// `Logic::dropAttachmentLoot`: the decorations on the layer's side (unless one keeps the rest), the
// circuit part on the front, then the block's own loot unless a decoration kept it.
void dropAttachmentLoot(World& world, Logic& rules, MapBlock& cell, uint8_t layer, const DifficultyRow* row);
