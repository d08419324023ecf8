#pragma once
// What follows when a block leaves a cell: debris shows it breaking, and the blocks that depended
// on it follow (stacked and standing blocks above fall apart, hanging blocks below break, attached
// blocks re-attach to another side or break, two-cell furniture beside it disconnects, fences
// re-join). Every removal is a block edit handed to the world's edit sink (`World::edits`), with the
// acting player or object as context, so drops, light, liquids and the peers follow. Walks up and down a column
// stop after the world's height in steps, so no chain can loop. Main thread only.

#include <cstdint>

class MapBlock;
class PlayerBase;
class World;

constexpr uint32_t kBreakDebris = 15;

// Debris of the layer's block (unless the world is being generated), then the layer is removed
// with drops (a kind-7 edit whose extra is the count).
void spawnTileBreakDebris(World& world, MapBlock& cell, uint8_t layer, uint32_t count, PlayerBase* actor);
// Debris of the decoration in the slot, then the decoration is removed (a kind-9 edit).
void removeDecoWithDebris(World& world, MapBlock& cell, uint8_t slot);
// A cell without a solid part breaks; a solid one whose solidity comes from a decoration breaks
// its block and the decoration takes the block's place.
void breakSupportedBlock(World& world, MapBlock& cell, PlayerBase* actor);
// The cascade around a cell whose block word (front or back, by its layer mark) changed; only a
// front word has dependants.
void updateNeighboursAfterBlockChange(World& world, MapBlock& cell, uint16_t word, PlayerBase* actor);
// The block to the left (right) of a removed two-cell piece loses its right (left) partner.
void connectLeftNeighbour(World& world, MapBlock& cell);
void connectRightNeighbour(World& world, MapBlock& cell);
// A fence cell re-joins its side neighbours: a fence in the run, a fence end at its end.
void joinFenceCell(World& world, MapBlock& cell);
