#pragma once
// Why a right click put the held item nowhere, in a few words for the player: each thing that
// stops a placement has its own text (fruit wants an empty hand, something stands in the cell, the
// block wants a floor, a side wall or a back wall, the liquid there, paint held to a block that
// takes none, a decoration held to anything but the face of a solid block), so a refusal says
// what to change, and only what the rules really ask.
// It reads the world and changes nothing. Main thread only.

class Item;
class MapBlock;
class World;

namespace placement_refusal {
constexpr const char* kCannotPlace = "That cannot be placed.";
constexpr const char* kCannotPlaceHere = "It cannot be placed there.";
constexpr const char* kFruitWantsEmptyHand = "Fruit is picked with an empty hand.";
constexpr const char* kShelfHasNoRoom = "There is no room for that on the shelf there.";
constexpr const char* kSomethingInTheWay = "Something stands in the way.";
constexpr const char* kYouAreInTheWay = "You stand in the way.";
constexpr const char* kNeedsFloor = "It needs a floor under it.";
constexpr const char* kNeedsWall = "It needs a wall to hang on.";
// A block that wants cover is held by a back wall (or the ground deep around it); one that faces
// a solid side is held by a wall beside it as well. A roof holds neither.
constexpr const char* kNeedsBackWall = "It needs a back wall behind it.";
constexpr const char* kNeedsSideOrBackWall = "It needs a wall beside it or a back wall behind it.";
constexpr const char* kNeedsAbove = "It needs something above it.";
constexpr const char* kCellTaken = "That cell is taken.";
constexpr const char* kCannotBePainted = "That block cannot be painted.";
constexpr const char* kPartWantsOpenCell = "A circuit part goes only where no block stands.";
constexpr const char* kPartCellTaken = "That cell already holds a circuit part.";
constexpr const char* kConnectorNotPlaced = "A wire connector cannot be placed.";
constexpr const char* kNeedsBlockFace = "It goes only on the face of a solid block.";
constexpr const char* kNoRoomOnBlock = "There is no room for it on that block.";
// A use that waits for the player to come nearer: a door, a lever, a chest two cells away.
constexpr const char* kStandNextToIt = "Stand next to it to use it.";
}  // namespace placement_refusal

// The text for the held item refused at the cell; `playerInCell`: the acting player stands there.
const char* placementRefusal(World& world, MapBlock& cell, const Item& held, bool playerInCell);
