#pragma once
// Why a right click put the held item nowhere, in a few words for the player: each thing that
// stops a placement has its own text (fruit wants an empty hand, something stands in the cell, the
// block wants a floor, a wall or a roof, the liquid there, paint held to a block that takes none),
// so a refusal says what to change.
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
constexpr const char* kNeedsCover = "It needs a wall or a roof around it.";
constexpr const char* kNeedsAbove = "It needs something above it.";
constexpr const char* kCellTaken = "That cell is taken.";
constexpr const char* kCannotBePainted = "That block cannot be painted.";
constexpr const char* kPartWantsOpenCell = "A circuit part goes only where no block stands.";
constexpr const char* kPartCellTaken = "That cell already holds a circuit part.";
}  // namespace placement_refusal

// The text for the held item refused at the cell; `playerInCell`: the acting player stands there.
const char* placementRefusal(World& world, MapBlock& cell, const Item& held, bool playerInCell);
