#pragma once
// How a placed block fits its neighbours: two-cell furniture joins its side neighbours, a
// multi-part base passes its variant to its linked decoration, solid blocks take their look from
// which sides are open, fences join fences and stables, and a block placed into an occupied cell
// keeps a solid front as a decoration. All act on the map they are given. Main thread only.

#include <cstdint>

#include "world/edits/edit_result.h"

struct BlockProps;
class MapBlock;
class WorldMap;

// Connection variants of a flag-44 block by the neighbours it joins.
namespace connection {
constexpr uint8_t kRightOnly = 0;
constexpr uint8_t kBoth = 1;
constexpr uint8_t kLeftOnly = 2;
constexpr uint8_t kNone = 3;
}  // namespace connection

void connectWithSideNeighbours(WorldMap& map, MapBlock& cell, EditResult& result);
void copyVariantToLinkedDeco(WorldMap& map, MapBlock& cell);
// The variant by which side neighbours are opaque: both 3, left 0, right 2, neither 1.
uint8_t variantBySideOpacity(WorldMap& map, const MapBlock& cell);
// A block takes its variant by side opacity only when it has a picture for each of the four ways
// (a dirt of three random looks set to the fourth would be drawn as a washed-out blank, and saved so).
constexpr uint8_t kSideOpacityVariants = 4;
bool hasSideOpacityVariants(const BlockProps& block);
// Applied to a solid front block, else to the first solid front-side decoration, when it has the
// side variants; false when nothing changed.
bool setVariantBySideOpacity(WorldMap& map, MapBlock& cell);
void connectFenceAndStable(WorldMap& map, MapBlock& cell, bool placingFence, EditResult& result);
// A solid front block moves into the first free decoration slot.
void moveSolidFrontToDeco(WorldMap& map, MapBlock& cell);
// A solid front block moves into the first free decoration slot; then the front takes the id.
void placeFrontKeepingSolidAsDeco(WorldMap& map, MapBlock& cell, uint16_t id);
// Into the first free decoration slot when the front is taken (false when none is free), else
// as the front block.
bool placeAsDecoOrFront(WorldMap& map, MapBlock& cell, uint16_t id, uint8_t variant);
