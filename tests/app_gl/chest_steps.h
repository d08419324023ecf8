#pragma once
// The steps of a window test that sets a chest of the content's chest table beside the player and
// opens it, as a person would: carried, placed with a right click and right-clicked again.

#include <vector>

#include "tests/app_gl/window_play.h"

class Chest;
class MapBlock;
struct ItemRule;

namespace apptest {

// The chest table's chest of the most slots: the item that places it, its block and slot count.
const ItemRule& largestChest();
// The steps that carry the chest's item and place it beside the player; once done, `cell` is its
// cell and `chest` its entity, of the table's slot count.
std::vector<Step> chestPlaced(const ItemRule& kind, MapBlock*& cell, Chest*& chest);
// A step that right-clicks the cell until the inventory shows the chest on its container page.
Step chestOpened(const std::string& name, MapBlock*& cell, Chest*& chest);

}  // namespace apptest
