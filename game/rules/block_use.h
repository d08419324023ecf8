#pragma once
// Using a block: a player clicks a cell's front word (or its back word when only the back layer
// is aimed at). `useStationOrClock` answers crafting stations and clocks locally, `checkBlockUse`
// decides whether the use may go on (next to the cell, or within reach for the uses that allow
// it), and `useBlock` dispatches it: decorations cut off, fuses lit, fruit picked, shelves
// cleared, portals, circuit parts and switches, levers and toggles, signs, beds, tilling,
// fertiliser, and the containers (forges, alchemy labs, stables, chests) with their locks.
//
// The check and the dispatch take the acting player's role (`BlockUser`): the same rules run for
// a player alone, the host's own player and, on the host, a joined player's copy, each answering
// from what its machine knows. Every change of the world goes through the world's rules
// (`Logic::editBlock`, cell effects, sounds), so a host's changes reach its peers; what the use
// tells, spends or opens reaches the player who acted. Refusals are warnings to that player and
// change nothing. Main thread only.

#include <cstdint>

class BlockUser;
class MapBlock;
class Player;
class World;
class WorldMap;

namespace block_use {
constexpr uint16_t kKeys[7] = {19, 83, 147, 211, 275, 339, 403};
constexpr uint16_t kLocks[7] = {467, 468, 469, 470, 471, 472, 473};
}  // namespace block_use

// How near a block's use asks the player to stand: next to the cell. Taking from a shelf and
// putting on it, opening a container, a station or a device are all held to it, so what she can
// put somewhere she can take back from where she stands.
bool withinUseReach(const BlockUser& user, const MapBlock& cell);
// The cell is one of the map's own and the layer its front or back: what a use may name.
bool isUsableCell(const WorldMap& map, const MapBlock& cell, uint8_t layer);
// The layer a click on the cell uses: its front block, or, where none stands, its back (a tool
// takes a circuit part or a decoration off it there).
uint8_t clickedLayer(const MapBlock& cell);
// Crafting stations and clocks on a front word; true when handled. They open the player's own
// views, so each machine answers them for its own player.
bool useStationOrClock(World& world, MapBlock& cell, uint8_t layer, Player& player);
bool checkBlockUse(World& world, MapBlock& cell, uint8_t layer, BlockUser& user);
// Whether a use of the cell would do something now, stations and clocks included; says nothing to
// the player, so the view may ask it every frame for the pointed cell, and the host may ask it of
// a joined player's request.
bool blockUsable(World& world, MapBlock& cell, uint8_t layer, BlockUser& user);
// Whether the cell has a use for what the player holds that waits only for her to stand next to
// it (a door, a lever, a chest two cells away): the click is the block's, and places nothing.
bool useWaitsForNearness(World& world, MapBlock& cell, uint8_t layer, BlockUser& user);
void useBlock(World& world, MapBlock& cell, uint8_t layer, BlockUser& user);

// The cell's circuit kind is a part that a cutting tool takes (1-14, or above 17).
bool hasCircuitPart(const MapBlock& cell);
// The hour a clock shows for a day phase and the tick within the phase (0-511).
int clockHour(uint32_t phase, uint32_t tickInPhase);
