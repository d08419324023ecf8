#pragma once
// The ranges the host holds a client's numbers to before it acts on them: ids that index the
// game's tables, amounts that the rules add up, the places of a worn item, and how far from its
// player a client may act. A value outside its range makes the request do nothing.

#include <cstdint>

#include "game/crafting/recipe_knowledge.h"

class MapBlock;
class PlayerGraphical;

namespace host {

// A block entity or a device opens for a player next to it; one more cell allows for the moves the
// host has not heard of yet.
constexpr int kUseReach = 2;
// The farthest a tool reaches, with the same allowance.
constexpr int kToolReach = 8;
// Pixels a mob may stand from the player that hits or catches it.
constexpr float kMobReach = 8 * 30.0f;

// A buff or timed effect: a potion's value.
bool buffIdFits(uint16_t id);
// A craft book entry.
bool entryIdFits(uint16_t entry);
// Damage a client reports for its own player: finite and above 0.
bool damageFits(float amount);
// A player's mode byte: 0 walks; 1 flies freely, only where the host lets its player fly.
bool modeFits(uint8_t mode, bool mayFly);
// What a client says its player knows of the craft book: a flag of 0 or 1 and no entry past the
// book's end.
bool craftKnowledgeFits(uint8_t allKnown, const RecipeKnowledge::Bitset& known);
// How many stacks a client may say its player carries: no more than a player has slots.
bool inventoryFits(uint32_t stacks);
// How many stacks a client says one craft used up: at least one, and no more than a craft grid
// has cells.
bool craftStacksFit(uint32_t stacks);
// A worn item's part (0 or 1) and index (0..4).
bool wornPlaceFits(uint8_t part, uint8_t index);
// The cell is at most `reach` cells from the player's cell in each direction, across the map's
// seam (`mapWidth` columns).
bool cellWithinReach(const PlayerGraphical& player, const MapBlock& cell, int32_t mapWidth, int reach);
// A speed or delay a client hands the rules: finite, not negative and at most `most`.
bool amountFits(float value, float most);

}  // namespace host
