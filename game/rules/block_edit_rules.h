#pragma once
// Whether a block edit may happen, and the acting player's side of it. Every cell change reaches
// the rules as one `BlockEdit`; `checkBlockEdit` runs the checks and, for an accepted placement,
// counts the statistic and uses up the held item, or, for a refused one, shows the refusal at the
// cell. The world and the rules come from the caller.

#include <cstdint>

class LogicPlayers;
class MapBlock;
class PlayerBase;
class World;
struct BlockEdit;

namespace edit_rules {
constexpr int16_t kTextProtected = 149;
constexpr uint8_t kEffectRefused = 13;
constexpr uint16_t kStatBlockPlaced = 10;
}  // namespace edit_rules

// The check of a kind-2 edit: circuit parts keep their cell, the front layer takes a block only
// over nothing or a replaceable block and where no present player's body stands, the back layer
// only when empty.
bool canPlaceBlock(World& world, LogicPlayers& rules, MapBlock& cell, uint16_t blockId, uint8_t layer);
// Whether the edit puts a block or an object into the cell (what a held item may be used up for).
bool isPlacementKind(uint8_t kind);
// The kinds a player makes with the item she holds, which may spend it: the placements and the
// setting of a circuit part.
bool placesHeldItem(uint8_t kind);
// The validation proper, by kind, after the protection of guarded cells against remote players.
bool canApplyBlockEdit(World& world, LogicPlayers& rules, const BlockEdit& edit, PlayerBase* player);
// The validation as it runs for the local player, telling her nothing (the pointed-cell preview).
bool wouldApplyForPlayer(World& world, LogicPlayers& rules, const BlockEdit& edit);
// The validation with the player's side effects.
bool checkBlockEdit(World& world, LogicPlayers& rules, const BlockEdit& edit, PlayerBase* player);
