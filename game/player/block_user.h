#pragma once
// The player who uses a block, as block use asks of it (game/rules/block_use.h). One use of a
// block runs the same rules for whoever acts: the player of a game played alone or the host's own
// (`Player`), or a joined player's copy on the host (`PlayerServer`), which answers from what the
// host knows of her (where it has her, what its copy of her items holds) and lets her client follow
// what the use gives, spends or opens.
//
// Main thread only.

#include <cstdint>

class Item;
class LogicBlock;
class MapBlock;
class PlayerBase;
class Sign;

class BlockUser {
 public:
  virtual ~BlockUser() = default;

  // The player the rules act for: edits, effects, blasts, beds, portals, and what it is told.
  virtual PlayerBase& actingPlayer() = 0;
  // The stack the block is used with; null for an empty hand (and for a stack the player no longer
  // carries).
  virtual Item* usedItem() = 0;
  // At most one column and one row from the player's cell, across the map's seam.
  virtual bool isNextToCell(const MapBlock& cell) const = 0;
  // Within the reach of the item (null: a bare hand); anywhere in a creative world.
  virtual bool canReach(const MapBlock& cell, const Item* item) const = 0;
  // One unit of the held stack is used up (an animal led into its stable).
  virtual void useUpHeldItem() = 0;
  // The container the use opened becomes the player's open container and its contents are shown
  // to it.
  virtual void showContainer(LogicBlock& entity) = 0;
  // The sign's text is shown over its cell, or the sign opens for the player to write on it.
  virtual void readSign(Sign& sign, bool edit) = 0;
};
