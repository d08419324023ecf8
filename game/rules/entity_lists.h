#pragma once
// What the rules ask of the entity lists, which live in the entity layer: whether an entity other
// than a pet stands in a cell (a block cannot be placed over it), and clearing every list when a
// world ends. The entity layer registers its implementation at launch; the null form has no
// entities.
//
// Main thread only.

#include "engine/base/seam.h"

class MapBlock;

class EntityLists {
 public:
  virtual ~EntityLists() = default;
  // An entity whose kind is not 8 (a pet) stands in the cell.
  virtual bool blocksPlacementIn(const MapBlock&) { return false; }
  virtual void clearAll() {}
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<EntityLists, EntityLists>& entityListsSeam();
EntityLists& entityLists();
void setEntityLists(EntityLists* lists);
