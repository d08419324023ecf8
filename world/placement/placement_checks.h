#pragma once
// Whether a block may be put into a cell: the tests the rules run before they send a placing or
// attaching edit. Each returns true when the block may go in; a refusal with a reason is shown to
// the reporter (when one is given) as a message of kind 3. They read the world they are given and
// change nothing. Main thread only.

#include <cstdint>

class MapBlock;
class PlacementReporter;
class World;
class WorldMap;

constexpr uint8_t kNoSide = 255;

bool checkLiquidPlacement(World& world, MapBlock& cell, uint16_t id, PlacementReporter* reporter);
// A block placed with its placement rules (edit kind 4).
bool checkPlaceBlock(World& world, MapBlock& cell, uint16_t id, PlacementReporter* reporter);
// A block attached as a decoration on a side (edit kind 3).
bool checkAttachBlock(World& world, MapBlock& cell, uint16_t id, uint8_t side, PlacementReporter* reporter);
bool hasSupportBelow(WorldMap& map, const MapBlock& cell, uint16_t id);
// Deep below the surface line, or backed by a back block.
bool isCellCovered(const WorldMap& map, const MapBlock& cell);
// Whether a side-attaching block finds a hold on the side the mask names (bit 2: above rather than
// below, bit 4: left rather than right).
bool isSideOpenFor(WorldMap& map, const MapBlock& cell, uint16_t id, uint8_t mask);
// The side 0, 2 or 4 (or 0-3 on a ring block) a side-attaching block holds on, kNoSide for none.
uint8_t attachSideFor(WorldMap& map, const MapBlock& cell, uint16_t id, bool keepCurrent);

// The texts of the refusals.
namespace placement_text {
constexpr const char* kNotInWater = "This object can't be placed in water.";
constexpr const char* kNotInAcid = "This object can't be placed in acid.";
constexpr const char* kNotInLava = "This object can't be placed in lava.";
constexpr const char* kPotNeedsEmptyShelf = "Flower pots can be placed only on empty shelves.";
constexpr const char* kLockOnlyOnContainers = "Locks can be placed only on chests, forges and alchemy labs.";
// A plant refused by the planting check, by its result code 1-7.
constexpr const char* kPlantRefusals[8] = {
    "",
    "This plant does not grow on this ground.",
    "This plant needs tilled soil.",
    "This plant needs solid ground.",
    "There is no room to plant here.",
    "This plant must be planted in a special support.",
    "This plant must be planted on a special support.",
    "Something on the ground keeps this plant from growing.",
};
}  // namespace placement_text
