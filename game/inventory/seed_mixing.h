#pragma once
// Crossing two seeds in the inventory: a stack of seeds whose genes are known (they came from a
// plant) dropped on another such stack with other genes uses one seed of each and gives one seed
// of the child's genes (`mixPlantGenes`), which goes wherever the inventory finds room. Seeds of
// unknown genes, and two stacks of the same genes (which simply join), are not mixed.
// Main thread only.

#include <cstdint>

#include "game/inventory/slot_ref.h"

class Inventory;
class Item;

// Whether the two stacks can be crossed.
bool canMixSeeds(const Item* a, const Item* b);

struct SeedMix {
  bool mixed = false;
  uint16_t genes = 0;  // the child's gene word
  SlotRef where;       // the slot the new seed went to
};

// Crosses one seed of each slot; nothing changes when they cannot be crossed or no slot has room
// for the child.
SeedMix mixSeeds(Inventory& inventory, SlotRef a, SlotRef b);
