#pragma once
// The pointed cell lights up in the world when the held item can act on it there: a block it can
// break (the fitting tool, within reach), a block a use would work on, or a cell the held block
// can go into. The light is the main layer's highlight sprite, moved over the cell's nearest copy and
// showing the tile overlay's frame (bright corner brackets over a faint wash).
//
// Main thread only.

#include "engine/base/geometry.h"

class MainLayer;
class MapBlock;
class PlayerDesktopLocal;

// Whether the held item (or the empty hand) acts on the cell now; `inReach` is the view's reach.
// Asks the rules only through queries that say nothing to the player.
bool heldItemActsOn(PlayerDesktopLocal& player, MapBlock& cell, bool inReach);
// Whether a right click on the cell would place the held item there (and not use the block it
// points at): where the block preview shows it.
bool clickPlacesAt(PlayerDesktopLocal& player, MapBlock& cell, bool inReach);

// Shows the highlight of the layer over the cell, or hides it for none; no cell hides the block
// preview too. No layer: nothing is drawn.
void showCellHighlight(MainLayer* layer, const PlayerDesktopLocal* player, const MapBlock* cell);
// The pointed cell lit when the held item acts on it, with the preview of the block the held item
// would place there; null for no cell.
void showPointedCell(MainLayer* layer, PlayerDesktopLocal& player, MapBlock* cell, bool inReach);
// Where the cell's copy nearest to the player lies in the world's pixels (the world wraps).
engine::Vec2 cellPointNearPlayer(const PlayerDesktopLocal& player, const MapBlock& cell);
