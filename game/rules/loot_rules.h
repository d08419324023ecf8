#pragma once
// What a block leaves behind when it goes: its loot table, the loot of the decorations attached to
// it, and the part of a circuit component. A table either picks one entry by weight or rolls every
// entry against its chance; rolled chances are scaled by the difficulty's factor for their size.
// An entry of the category kind gives a potion with a random effect, its byte the potion's recipe.
// Drops are handed to the rules (`Logic::spawnItemDrop`) at the cell's pixel position, so a host's
// drops reach its peers. Nothing drops in a creative world.
//
// Main thread only.

#include <cstdint>

#include "engine/base/geometry.h"

class LogicEntities;
class MapBlock;
class World;
struct DifficultyRow;
struct LootTable;

namespace loot {
constexpr uint8_t kDropKind = 7;
constexpr uint16_t kConnectorExtraItem = 1616;
}  // namespace loot

// Every item the table gives, dropped at the position.
void dropLoot(LogicEntities& rules, const LootTable& table, engine::Vec2 at, const DifficultyRow* row, float multiplier = 1.0f);
// `Logic::dropBlockLoot`: the block's (or decoration's) own table.
void dropBlockLoot(World& world, LogicEntities& rules, MapBlock& cell, uint16_t blockId, const DifficultyRow* row);
// `Logic::dropAttachmentLoot`: the decorations on the layer's side (unless one keeps the rest), the
// circuit part on the front, then the block's own loot unless a decoration kept it.
void dropAttachmentLoot(World& world, LogicEntities& rules, MapBlock& cell, uint8_t layer, const DifficultyRow* row);
